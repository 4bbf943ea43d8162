#pragma once

#include "data/local/DataSet.h"

#include <QString>
#include <QVariantList>

namespace qor::data {

// A WHERE condition with its parameters; the text never reaches SQL.
struct SqlCondition {
    QString sql;            // "" = no condition
    QVariantList params;    // bound in order of the '?' marks
    bool isEmpty() const { return sql.isEmpty(); }
};

// Reads a table filter: comparisons "Field op value" (op = <> != < > <= >=,
// value a number, a 'quoted text' with '' for a quote, or null), "Field is
// [not] null", joined by and / or, negated by not, grouped in parentheses.
// A field name may be written [in brackets]. Values are converted to the
// field's kind ("NumSessao = '5'" compares numbers; a date field takes
// 'dd/mm/yyyy', 'dd.mm.yy' or 'yyyy-mm-dd'); an empty text compares as null.
// Raises BadFilter for text it can't read, FieldNotFound for an unknown field.
class FilterParser {
public:
    static SqlCondition parse(const QString& text, const QList<FieldDef>& fields);
};

// 'dd.mm.yy' / 'dd/mm/yyyy' and the like as a date. Two-digit years below
// 50 are 20yy, the others 19yy. An invalid QDate when the text is no date.
QDate parseSuiteDate(const QString& text);

} // namespace qor::data
