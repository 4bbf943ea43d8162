#pragma once

#include <QString>
#include <QtGlobal>

namespace qor::orderdb {

// An exact decimal as the order database keeps it: a whole number of units
// of 10^scale (scale <= 0; a decimal(15,2) column has scale -2, so 1234.56
// is 123456 units). Values never pass through binary floating point on the
// way in or out unless the caller hands over a double.
struct Decimal {
    qint64 units = 0;
    int scale = 0;

    double toDouble() const;
    QString toString() const; // "1234.56", "-0.05", "7"

    // Rounded half away from zero to the new scale; too large raises InvalidValue.
    Decimal rescaled(int newScale) const;

    // A double taken at its shortest round-trip decimal text ("0.285", not
    // 0.28499999999999998), then rounded half away from zero: 0.285 -> 0.29.
    static Decimal fromDouble(double value, int scale);
    // Decimal text with a point ("1234.565", "-3", "1e3"), rounded likewise.
    static Decimal fromText(const QString& text, int scale);

    friend bool operator==(const Decimal&, const Decimal&) = default;
};

} // namespace qor::orderdb
