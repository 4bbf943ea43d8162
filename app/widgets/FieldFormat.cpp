#include "app/widgets/FieldFormat.h"

#include "data/base/Text.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

namespace qor::widgets {

using data::FieldKind;

static const QLocale& brazil()
{
    static const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    return br;
}

DisplayFormat::DisplayFormat(const QString& pattern) : pattern_(pattern)
{
    const qsizetype digitsAt = pattern.indexOf(QRegularExpression(QStringLiteral("[#0]")));
    const QString body = digitsAt < 0 ? QString() : pattern.mid(digitsAt);
    static const QRegularExpression numberBody(QStringLiteral("^[#0,]*(\\.(0*))?$"));
    const auto m = numberBody.match(body);
    if (digitsAt >= 0 && m.hasMatch()) {
        numeric_ = true;
        prefix_ = pattern.left(digitsAt);
        const QString integerPart = body.section(QLatin1Char('.'), 0, 0);
        grouping_ = integerPart.contains(QLatin1Char(','));
        decimals_ = int(m.captured(2).size());
    }
}

QString DisplayFormat::number(double v, bool forEditing) const
{
    QLocale loc = brazil();
    if (forEditing || !grouping_)
        loc.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString digits = loc.toString(v, 'f', decimals_);
    return forEditing ? digits : prefix_ + digits;
}

QString DisplayFormat::qtDateTimePattern() const
{
    // The suite writes minutes as "nn"; "mm" right after "hh" means minutes too.
    QString p = pattern_;
    p.replace(QStringLiteral("hh:mm"), QStringLiteral("hh:nn"));
    p.replace(QStringLiteral("mm"), QStringLiteral("MM"));
    p.replace(QStringLiteral("nn"), QStringLiteral("mm"));
    return p;
}

static QString defaultText(const QVariant& value, FieldKind kind)
{
    QLocale plain = brazil();
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    switch (kind) {
    case FieldKind::Integer:
        return QString::number(value.toLongLong());
    case FieldKind::Float:
        return plain.toString(value.toDouble(), 'g', 15);
    case FieldKind::Date:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case FieldKind::Time:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case FieldKind::DateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case FieldKind::Text:
        return value.toString();
    }
    return value.toString();
}

QString DisplayFormat::display(const QVariant& value, FieldKind kind) const
{
    if (value.isNull())
        return {};
    if (numeric_ && (kind == FieldKind::Float || kind == FieldKind::Integer))
        return number(value.toDouble(), false);
    if (!pattern_.isEmpty() && kind == FieldKind::Date)
        return value.toDate().toString(qtDateTimePattern());
    if (!pattern_.isEmpty() && kind == FieldKind::Time)
        return value.toTime().toString(qtDateTimePattern());
    if (!pattern_.isEmpty() && kind == FieldKind::DateTime)
        return value.toDateTime().toString(qtDateTimePattern());
    return defaultText(value, kind);
}

QString DisplayFormat::edit(const QVariant& value, FieldKind kind) const
{
    if (value.isNull())
        return {};
    if (numeric_ && kind == FieldKind::Float)
        return number(value.toDouble(), true);
    if (numeric_ && kind == FieldKind::Integer)
        return QString::number(value.toLongLong());
    return display(value, kind);
}

static bool parseDate(const QString& text, QDate* out)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return false;
    bool okD = false, okM = false, okY = false;
    const int d = parts[0].trimmed().toInt(&okD);
    const int m = parts[1].trimmed().toInt(&okM);
    const QString yearText = parts[2].trimmed();
    int y = yearText.toInt(&okY);
    if (!okD || !okM || !okY)
        return false;
    if (yearText.size() <= 2)
        y += y < 50 ? 2000 : 1900;
    const QDate date(y, m, d);
    if (!date.isValid())
        return false;
    *out = date;
    return true;
}

static bool parseTime(const QString& text, QTime* out)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    int values[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    const QTime t(values[0], values[1], values[2]);
    if (!t.isValid())
        return false;
    *out = t;
    return true;
}

bool parseFieldText(const QString& text, FieldKind kind, QVariant* out)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *out = QVariant();
        return true;
    }
    switch (kind) {
    case FieldKind::Text:
        *out = text;
        return true;
    case FieldKind::Integer: {
        bool ok = false;
        const int v = t.toInt(&ok);
        if (ok)
            *out = v;
        return ok;
    }
    case FieldKind::Float: {
        double v = 0;
        if (!text::parseAmount(t, &v))
            return false;
        *out = v;
        return true;
    }
    case FieldKind::Date: {
        QDate d;
        if (!parseDate(t, &d))
            return false;
        *out = d;
        return true;
    }
    case FieldKind::Time: {
        QTime tm;
        if (!parseTime(t, &tm))
            return false;
        *out = tm;
        return true;
    }
    case FieldKind::DateTime: {
        const QString datePart = t.section(QLatin1Char(' '), 0, 0);
        const QString timePart = t.section(QLatin1Char(' '), 1).trimmed();
        QDate d;
        QTime tm(0, 0);
        if (!parseDate(datePart, &d) || (!timePart.isEmpty() && !parseTime(timePart, &tm)))
            return false;
        *out = QDateTime(d, tm);
        return true;
    }
    }
    return false;
}

// Suite mask character -> Qt input-mask character, for the characters that
// stand for something to type.
static QChar qtMaskCharFor(QChar c)
{
    switch (c.unicode()) {
    case 'L': return QLatin1Char('A');
    case 'l': return QLatin1Char('a');
    case 'A': return QLatin1Char('N');
    case 'a': return QLatin1Char('n');
    case 'C': return QLatin1Char('X');
    case 'c': return QLatin1Char('x');
    case '0': return QLatin1Char('9');
    case '9': return QLatin1Char('0');
    case '#': return QLatin1Char('#');
    default: return {};
    }
}

static bool isQtMaskMeta(QChar c)
{
    static const QString meta = QStringLiteral("AaNnXx90Dd#HhBb><!{}[]\\");
    return meta.contains(c);
}

EditMask::EditMask(const QString& suiteMask) : suiteMask_(suiteMask)
{
    if (suiteMask.isEmpty())
        return;
    const QStringList parts = suiteMask.split(QLatin1Char(';'));
    const QString mask = parts.value(0);
    if (parts.size() > 1 && !parts[1].isEmpty())
        keepLiterals_ = parts[1] != QLatin1String("0");
    if (parts.size() > 2 && !parts[2].isEmpty())
        blank_ = parts[2].at(0);

    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == QLatin1Char('!'))
            continue; // leading-blank option: no Qt counterpart, blanks stay where typed
        if (c == QLatin1Char('>') || c == QLatin1Char('<')) {
            qtMask_ += c;
            continue;
        }
        QChar literal;
        if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
            literal = mask.at(++i);
        } else if (const QChar typed = qtMaskCharFor(c); !typed.isNull()) {
            qtMask_ += typed;
            literal_ << false;
            continue;
        } else {
            literal = c == QLatin1Char('_') ? QLatin1Char(' ') : c;
        }
        if (isQtMaskMeta(literal))
            qtMask_ += QLatin1Char('\\');
        qtMask_ += literal;
        literal_ << true;
    }
    qtMask_ += QLatin1Char(';') + QString(blank_);
}

QString EditMask::valueText(const QString& displayText) const
{
    if (isEmpty())
        return displayText;
    QString out;
    bool typedSomething = false;
    for (qsizetype i = 0; i < displayText.size(); ++i) {
        const QChar c = displayText.at(i);
        const bool literal = i < literal_.size() && literal_.at(i);
        if (literal) {
            if (keepLiterals_)
                out += c;
            continue;
        }
        if (c == blank_ || c == QLatin1Char(' ')) {
            out += QLatin1Char(' ');
        } else {
            out += c;
            typedSomething = true;
        }
    }
    return typedSomething ? out : QString();
}

} // namespace qor::widgets
