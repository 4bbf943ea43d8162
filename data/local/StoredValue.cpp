#include "data/local/StoredValue.h"

#include "data/base/Error.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <limits>

namespace qor::data::stored {

namespace {

[[noreturn]] void invalid(const FieldDef& field, const QVariant& v)
{
    throw Error(kind::InvalidValue,
                QStringLiteral("'%1' não é um valor válido para o campo %2").arg(v.toString(), field.name));
}

QString stripTrailingBlanks(QString s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    s.truncate(n);
    return s;
}

int digits(const QString& s, qsizetype from, qsizetype count)
{
    int n = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// The stored forms, read without the general date parser (rows are read often).
QDate storedDate(const QString& s)
{
    if (s.size() != 10 || s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-'))
        return {};
    return QDate(digits(s, 0, 4), digits(s, 5, 2), digits(s, 8, 2));
}

QTime storedTime(const QString& s)
{
    if (s.size() != 12 || s.at(2) != QLatin1Char(':') || s.at(5) != QLatin1Char(':') || s.at(8) != QLatin1Char('.'))
        return {};
    return QTime(digits(s, 0, 2), digits(s, 3, 2), digits(s, 6, 2), digits(s, 9, 3));
}

QDate parseDate(const QString& s)
{
    if (const QDate d = storedDate(s); d.isValid())
        return d;
    for (const char* f : {DateFormat, "dd/MM/yyyy", "dd.MM.yyyy", "d/M/yyyy"}) {
        const QDate d = QDate::fromString(s, QString::fromLatin1(f));
        if (d.isValid())
            return d;
    }
    return {};
}

QTime parseTime(const QString& s)
{
    if (const QTime t = storedTime(s); t.isValid())
        return t;
    for (const char* f : {TimeFormat, "hh:mm:ss", "hh:mm"}) {
        const QTime t = QTime::fromString(s, QString::fromLatin1(f));
        if (t.isValid())
            return t;
    }
    return {};
}

} // namespace

static int byteDigits(const char* s, int from, int count)
{
    int n = 0;
    for (int i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return -1;
        n = n * 10 + (s[i] - '0');
    }
    return n;
}

QDate dateFromStored(const char* s, qsizetype size)
{
    if (size != 10 || s[4] != '-' || s[7] != '-')
        return {};
    return QDate(byteDigits(s, 0, 4), byteDigits(s, 5, 2), byteDigits(s, 8, 2));
}

QTime timeFromStored(const char* s, qsizetype size)
{
    if (size != 12 || s[2] != ':' || s[5] != ':' || s[8] != '.')
        return {};
    return QTime(byteDigits(s, 0, 2), byteDigits(s, 3, 2), byteDigits(s, 6, 2), byteDigits(s, 9, 3));
}

QString normaliseText(const QString& s, int size)
{
    QString out = stripTrailingBlanks(s);
    if (size > 0 && out.size() > size)
        out = stripTrailingBlanks(out.left(size));
    return out;
}

QVariant toStorage(const FieldDef& field, const QVariant& v)
{
    if (v.isNull())
        return {};
    const bool isText = v.typeId() == QMetaType::QString;
    const QString asText = isText ? v.toString().trimmed() : QString();
    if (isText && asText.isEmpty())
        return {};
    switch (field.kind) {
    case FieldKind::Text: {
        const QString s = normaliseText(v.toString(), field.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldKind::Integer: {
        bool ok = false;
        qlonglong n = 0;
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            const double d = v.toDouble();
            ok = std::isfinite(d) && d == std::floor(d);
            n = ok ? qlonglong(d) : 0;
        } else if (isText) {
            n = asText.toLongLong(&ok);
        } else {
            n = v.toLongLong(&ok);
        }
        if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
            invalid(field, v);
        return QVariant(n);
    }
    case FieldKind::Float: {
        bool ok = false;
        const double d = isText ? QLocale::c().toDouble(asText, &ok) : v.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            invalid(field, v);
        return QVariant(d);
    }
    case FieldKind::Date: {
        const QDate d = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date()
                        : isText                          ? parseDate(asText)
                                                          : v.toDate();
        if (!d.isValid())
            invalid(field, v);
        return d.toString(Qt::ISODate);
    }
    case FieldKind::Time: {
        const QTime t = v.typeId() == QMetaType::QDateTime ? v.toDateTime().time()
                        : isText                          ? parseTime(asText)
                                                          : v.toTime();
        if (!t.isValid())
            invalid(field, v);
        return t.toString(Qt::ISODateWithMs);
    }
    case FieldKind::DateTime: {
        const QDateTime dt = isText ? QDateTime::fromString(asText, Qt::ISODateWithMs) : v.toDateTime();
        if (!dt.isValid())
            invalid(field, v);
        return dt.toString(Qt::ISODateWithMs);
    }
    }
    invalid(field, v);
}

QVariant fromStorage(FieldKind kind, const QVariant& s)
{
    if (s.isNull())
        return {};
    switch (kind) {
    case FieldKind::Text:
        return s.typeId() == QMetaType::QString ? s : QVariant(s.toString());
    case FieldKind::Integer:
        return QVariant(int(s.toLongLong()));
    case FieldKind::Float:
        return s.typeId() == QMetaType::Double ? s : QVariant(s.toDouble());
    case FieldKind::Date: {
        const QDate d = parseDate(s.toString());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldKind::Time: {
        const QTime t = parseTime(s.toString());
        return t.isValid() ? QVariant(t) : QVariant();
    }
    case FieldKind::DateTime: {
        const QDateTime dt = QDateTime::fromString(s.toString(), Qt::ISODateWithMs);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    }
    return s;
}

} // namespace qor::data::stored
