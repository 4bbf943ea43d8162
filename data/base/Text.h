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

// Brazilian amounts: "1.234,50" (no prefix), and reading "90,00", "1.234,5", "90".
QString formatAmount(double v);
bool parseAmount(const QString& text, double* out);

} // namespace qor::text
