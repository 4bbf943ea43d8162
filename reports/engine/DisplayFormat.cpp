#include "reports/engine/DisplayFormat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace qor::reports {

namespace {

const QLocale& brazil()
{
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

bool isDigitPlaceholder(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

QString groupThousands(const QString& digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char('.');
        out += digits.at(i);
    }
    return out;
}

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString formatNumber(double value, const QString& format)
{
    if (format.isEmpty()) {
        QString general = brazil().toString(value, 'g', 15);
        general.remove(QLatin1Char('.')); // no grouping in the plain display
        return general;
    }
    // The placeholders form one run; what stands before and after it is literal.
    qsizetype begin = 0;
    while (begin < format.size() && !isDigitPlaceholder(format.at(begin)) && format.at(begin) != QLatin1Char(','))
        ++begin;
    qsizetype end = begin;
    while (end < format.size()
           && (isDigitPlaceholder(format.at(end)) || format.at(end) == QLatin1Char(',')
               || format.at(end) == QLatin1Char('.')))
        ++end;
    const QString prefix = format.left(begin);
    const QString suffix = format.mid(end);
    const QString pattern = format.mid(begin, end - begin);

    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? pattern : pattern.left(point);
    const QString fractionPart = point < 0 ? QString() : pattern.mid(point + 1);
    const bool grouping = integerPart.contains(QLatin1Char(','));
    const int minIntegerDigits = int(integerPart.count(QLatin1Char('0')));
    const int minDecimals = int(fractionPart.count(QLatin1Char('0')));
    const int maxDecimals = minDecimals + int(fractionPart.count(QLatin1Char('#')));

    QString fixed = QString::number(std::fabs(value), 'f', maxDecimals);
    QString intDigits = fixed.section(QLatin1Char('.'), 0, 0);
    QString decimals = maxDecimals > 0 ? fixed.section(QLatin1Char('.'), 1, 1) : QString();
    while (decimals.size() > minDecimals && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    if (intDigits == QLatin1String("0") && minIntegerDigits == 0)
        intDigits.clear();
    while (intDigits.size() < minIntegerDigits)
        intDigits.prepend(QLatin1Char('0'));

    const bool isZero = std::all_of(fixed.cbegin(), fixed.cend(),
                                    [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); });
    QString number = grouping ? groupThousands(intDigits) : intDigits;
    if (!decimals.isEmpty())
        number += QLatin1Char(',') + decimals;
    if (number.isEmpty())
        number = QStringLiteral("0");
    return prefix + (value < 0 && !isZero ? QStringLiteral("-") : QString()) + number + suffix;
}

QString formatDateTime(const QDate& date, const QTime& time, const QString& format)
{
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar quote = format.at(i);
        if (quote == QLatin1Char('\'') || quote == QLatin1Char('"')) {
            qsizetype close = format.indexOf(quote, i + 1);
            if (close < 0)
                close = format.size();
            out += format.mid(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        const QChar c = format.at(i).toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run).toLower() == c)
            ++run;
        switch (c.unicode()) {
        case u'd':
            out += run >= 2 ? twoDigits(date.day()) : QString::number(date.day());
            break;
        case u'y':
            out += run >= 4 ? QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))
                            : twoDigits(date.year() % 100);
            break;
        case u'm':
            if (afterHour)
                out += run >= 2 ? twoDigits(time.minute()) : QString::number(time.minute());
            else
                out += run >= 2 ? twoDigits(date.month()) : QString::number(date.month());
            break;
        case u'h':
            out += run >= 2 ? twoDigits(time.hour()) : QString::number(time.hour());
            break;
        case u'n':
            out += run >= 2 ? twoDigits(time.minute()) : QString::number(time.minute());
            break;
        case u's':
            out += run >= 2 ? twoDigits(time.second()) : QString::number(time.second());
            break;
        default:
            out += format.mid(i, run);
            break;
        }
        if (c.isLetter())
            afterHour = c == u'h';
        i += run;
    }
    return out;
}

QString formatValue(const QVariant& value, const QString& format)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return formatNumber(value.toDouble(), format);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return format.isEmpty() ? value.toString() : formatNumber(value.toDouble(), format);
    case QMetaType::QDate:
        return formatDateTime(value.toDate(), QTime(0, 0), format.isEmpty() ? QStringLiteral("dd/mm/yyyy") : format);
    case QMetaType::QTime:
        return formatDateTime(QDate(), value.toTime(), format.isEmpty() ? QStringLiteral("hh:nn:ss") : format);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return formatDateTime(dt.date(), dt.time(), format.isEmpty() ? QStringLiteral("dd/mm/yyyy hh:nn:ss") : format);
    }
    default:
        return value.toString();
    }
}

} // namespace qor::reports
