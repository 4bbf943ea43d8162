#include "data/orderdb/Decimal.h"

#include "data/base/Error.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace qor::orderdb {

namespace {

constexpr int MaxDigits = 18; // every 18-digit number fits in a qint64

double powerOfTen(int n)
{
    static const std::array<double, MaxDigits + 1> table = [] {
        std::array<double, MaxDigits + 1> t{};
        double p = 1.0;
        for (double& v : t) {
            v = p;
            p *= 10.0;
        }
        return t;
    }();
    return table.at(static_cast<size_t>(n));
}

[[noreturn]] void outOfRange(const QString& text)
{
    throw Error(kind::InvalidValue, QStringLiteral("Valor numérico fora do intervalo permitido: %1").arg(text));
}

[[noreturn]] void notANumber(const QString& text)
{
    throw Error(kind::InvalidValue, QStringLiteral("Valor numérico inválido: \"%1\"").arg(text));
}

// digits (no leading sign) times 10^exponent, rounded half away from zero to
// units of 10^scale. Works on a view of the digits and multiplies the
// trailing zeros in, so no string is rebuilt along the way.
Decimal roundDigits(bool negative, std::string_view digits, int exponent, int scale, const QString& original)
{
    const int shift = exponent - scale;
    std::string_view kept = digits;
    bool roundUp = false;
    if (shift < 0) {
        const auto drop = static_cast<size_t>(-shift);
        kept = drop >= digits.size() ? std::string_view() : digits.substr(0, digits.size() - drop);
        roundUp = drop <= digits.size() && digits[digits.size() - drop] >= '5';
    }
    const size_t firstSignificant = kept.find_first_not_of('0');
    kept = firstSignificant == std::string_view::npos ? std::string_view() : kept.substr(firstSignificant);
    const size_t zeros = kept.empty() || shift <= 0 ? 0 : static_cast<size_t>(shift);
    if (kept.size() + zeros > MaxDigits)
        outOfRange(original);
    qint64 units = 0;
    for (char c : kept)
        units = units * 10 + (c - '0');
    for (size_t i = 0; i < zeros; ++i)
        units *= 10;
    if (roundUp)
        ++units;
    return Decimal{negative ? -units : units, scale};
}

Decimal parse(const std::string& text, int scale, const QString& original)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::string digits;
    int exponent = 0;
    bool sawDigit = false;
    bool sawPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            sawDigit = true;
            if (sawPoint)
                --exponent;
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
    }
    if (!sawDigit)
        notANumber(original);
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        int e = 0;
        const char* begin = text.data() + i + 1;
        const char* end = text.data() + text.size();
        if (begin < end && *begin == '+')
            ++begin;
        const auto [ptr, ec] = std::from_chars(begin, end, e);
        if (ec != std::errc() || ptr != end)
            notANumber(original);
        exponent += e;
        i = text.size();
    }
    if (i != text.size())
        notANumber(original);
    return roundDigits(negative, digits, exponent, scale, original);
}

} // namespace

double Decimal::toDouble() const
{
    // Both operands are exact, so the quotient is the double nearest the
    // decimal value (1234.56, not 1234.5599999999999).
    return static_cast<double>(units) / powerOfTen(-scale);
}

QString Decimal::toString() const
{
    QString digits = QString::number(units < 0 ? -static_cast<quint64>(units) : static_cast<quint64>(units));
    const int places = -scale;
    if (places > 0) {
        if (digits.size() <= places)
            digits = QString(places - digits.size() + 1, QLatin1Char('0')) + digits;
        digits.insert(digits.size() - places, QLatin1Char('.'));
    }
    return units < 0 ? QLatin1Char('-') + digits : digits;
}

Decimal Decimal::rescaled(int newScale) const
{
    if (newScale == scale)
        return *this;
    return fromText(toString(), newScale);
}

Decimal Decimal::fromDouble(double value, int scale)
{
    if (!std::isfinite(value))
        notANumber(QString::number(value));
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    const std::string shortest(buffer.data(), end);
    return parse(shortest, scale, QString::fromStdString(shortest));
}

Decimal Decimal::fromText(const QString& text, int scale)
{
    return parse(text.trimmed().toStdString(), scale, text);
}

} // namespace qor::orderdb
