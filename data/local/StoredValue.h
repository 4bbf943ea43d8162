#pragma once

#include "data/local/DataSet.h"

#include <QVariant>

namespace qor::data {

// How a field value is kept in SQLite, and back. Dates, times and stamps are
// ISO text ("2026-12-09", "01:12:00.000", "2026-12-09T01:12:00.000") so that
// comparison and ORDER BY follow the calendar. Text loses its trailing
// blanks, is cut to the field size, and an empty text is stored as null.
namespace stored {

inline constexpr const char* DateFormat = "yyyy-MM-dd";
inline constexpr const char* TimeFormat = "hh:mm:ss.zzz";
inline constexpr const char* DateTimeFormat = "yyyy-MM-ddThh:mm:ss.zzz";

// A value a caller sets, in the form SQLite stores for the field (null QVariant
// for null). Raises kind InvalidValue when it does not fit the field's kind.
QVariant toStorage(const FieldDef& field, const QVariant& v);

// A stored value as callers read it: int, double, QDate, QTime, QDateTime or
// QString; null stays a null QVariant.
QVariant fromStorage(FieldKind kind, const QVariant& stored);

// The stored forms "yyyy-MM-dd" and "hh:mm:ss.zzz" read straight from the
// bytes SQLite holds; invalid for any other text.
QDate dateFromStored(const char* utf8, qsizetype size);
QTime timeFromStored(const char* utf8, qsizetype size);

// Trailing blanks stripped, cut to size (0 = no limit); "" means null.
QString normaliseText(const QString& s, int size);

} // namespace stored

} // namespace qor::data
