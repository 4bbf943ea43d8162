#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qor::text {

// Upper-casing as the whole system does it: only a-z change ("é" stays "é").
QString upperAZ(const QString& s);

// Windows-1252 (not Latin-1: "€" is 0x80). A character the code page cannot
// hold raises an Error of kind Encoding, never a silent "?".
QByteArray toWin1252(const QString& s);
QString fromWin1252(const QByteArray& bytes);

// Text files the suite shares are Windows-1252 with CR LF line ends.
// Each call opens, writes and closes, so the line is on disk on return.
// Errors raise kind IoError naming the file.
void writeLines(const QString& path, const QStringList& lines);   // create or empty
void appendLine(const QString& path, const QString& line);
QStringList readLines(const QString& path);                       // CR LF or LF

// Brazilian amounts: "1.234,50" (no prefix).
QString formatAmount(double v);

// How a text reads as an amount, the one reading of every amount the
// operator types (float fields, the movement's amount sent to the order).
// Exact or nothing: a character is never dropped nor a magnitude guessed.
//   - an optional "R$" prefix (the opening float shows one), "-" only in
//     front, at most 13 whole digits (an order's decimal(15,2) column);
//   - at most two decimals after one separator: "," or, when the text has
//     no ",", one "." ("12.50" is 12,50; "1.234" has three decimals and is
//     no amount);
//   - whole reais grouped by thousands with "." only where that point can't
//     be the decimal one: before a "," ("1.234,50") or as one of several
//     ("1.234.567").
struct AmountReading {
    enum class Kind {
        NotAnAmount,
        Blank,      // ""
        Unfinished, // a sign or a separator without digits yet: "-", ",", "-,"
        Amount,
    };
    Kind kind = Kind::NotAnAmount;
    qint64 cents = 0; // Amount: the value in cents, negative after "-"
    // Blank, Unfinished, Amount: the text as an amount field holds it while
    // typed: no prefix, no grouping, "," as the separator, digits as given
    // ("1.234,5" -> "1234,5", "12." -> "12,", ",5" -> ",5").
    QString editText;

    bool isAmount() const { return kind == Kind::Amount; }
    double value() const { return double(cents) / 100; } // the nearest double to the amount
};
AmountReading readAmount(const QString& text);

// readAmount's value when the text is an amount; false otherwise (blank too).
bool parseAmount(const QString& text, double* out);

} // namespace qor::text
