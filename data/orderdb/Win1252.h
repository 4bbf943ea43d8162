#pragma once

#include <QByteArray>
#include <QString>

namespace qor::orderdb {

// The suite's Windows-1252 conversions (qor::text) with a fast path for
// plain ASCII, which is most of what crosses the connection: every column
// name and most values would otherwise each build a converter.
QString decode1252(const char* bytes, qsizetype size);
QByteArray encode1252(const QString& text); // raises Encoding like text::toWin1252

} // namespace qor::orderdb
