#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace qor::orderdb {

enum class ColumnKind { Integer, Decimal, Float, Date, Time, Text };

// One column of a fetched row set, as the server describes it.
struct Column {
    QString name;     // as selected (the alias when there is one)
    QString baseName; // the table's column ("" for an expression)
    QString relation; // the table ("" for an expression)
    ColumnKind kind = ColumnKind::Text;
    int size = 0;  // characters, Text only; 0 = no limit
    int scale = 0; // Decimal only: -2 for decimal(15,2)
};

// Values as a row set keeps them: Integer qlonglong, Decimal qlonglong
// units of 10^scale, Float double, Date QDate, Time QTime, Text QString;
// null is an invalid QVariant. normalize() turns a caller's value into that
// form: numbers from numbers or decimal text (a point, never a comma),
// decimals rounded half away from zero, text checked against Windows-1252
// (Encoding) and cut to the column's size. Anything else raises InvalidValue
// naming the column.
QVariant normalize(const Column& column, const QVariant& value);

bool isNullValue(const QVariant& value);

} // namespace qor::orderdb
