#pragma once

#include "data/local/DataSet.h"

#include <QString>
#include <QVariant>

namespace qor::widgets {

// A field's display format written the suite's way: "###,##0.00",
// "R$ ###,##0.00", "##0.00", "######0" for numbers (a literal prefix, ","
// for grouping, the digits after "." for decimals) and "dd/mm/yy",
// "dd/mm/yyyy", "hh:nn", "hh:mm" for dates and times ("mm" after "hh" is
// minutes). Numbers show the Brazilian way: "1.234,50", "R$ 1.234,50".
// Null values show as "".
class DisplayFormat {
public:
    DisplayFormat() = default;
    explicit DisplayFormat(const QString& pattern);

    const QString& pattern() const { return pattern_; }
    bool isEmpty() const { return pattern_.isEmpty(); }

    // What a control shows when it does not have the focus.
    QString display(const QVariant& value, data::FieldKind kind) const;
    // What it shows while the operator types: numbers without prefix and
    // grouping ("1234,50"), dates and times as displayed.
    QString edit(const QVariant& value, data::FieldKind kind) const;

private:
    QString number(double v, bool forEditing) const;
    QString qtDateTimePattern() const;

    QString pattern_;
    QString prefix_;
    bool numeric_ = false;
    bool grouping_ = false;
    int decimals_ = 0;
};

// Reads typed text as a value of the field's kind. Blank text is null.
// Amounts are read exactly as text::readAmount reads them; dates as
// day/month/year with a two- or four-digit year (two digits: 00-49 are
// 2000-2049, 50-99 are 1950-1999); times as hh:mm or hh:mm:ss.
// Returns false when the text is no value of that kind.
bool parseFieldText(const QString& text, data::FieldKind kind, QVariant* out);

// An edit mask in the suite's notation ("AA.######", "!99/99/0000;1;_"),
// translated to QLineEdit's input-mask notation, whose letters mean other
// things (suite "A" = letter or digit = Qt "N"; suite "0" = required digit =
// Qt "9"; suite "9" = optional digit = Qt "0"; ...).
class EditMask {
public:
    EditMask() = default;
    explicit EditMask(const QString& suiteMask);

    bool isEmpty() const { return qtMask_.isEmpty(); }
    const QString& suiteMask() const { return suiteMask_; }
    const QString& qtMask() const { return qtMask_; } // with ";" and the blank character
    QChar blank() const { return blank_; }
    bool keepsLiterals() const { return keepLiterals_; }

    // The field text of what a masked QLineEdit displays: blanks become
    // spaces, literals stay (unless the mask drops them); "" when no
    // character was typed at all.
    QString valueText(const QString& displayText) const;

private:
    QString suiteMask_;
    QString qtMask_;
    QList<bool> literal_; // per display position
    QChar blank_ = QLatin1Char('_');
    bool keepLiterals_ = true;
};

} // namespace qor::widgets
