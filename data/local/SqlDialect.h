#pragma once

#include <QString>
#include <QStringList>

namespace qor::data {

// The suite's local SQL made ready for SQLite:
// - 'dd.mm.yy' (or 'dd/mm/yyyy') literals compared with a date field (=, <>,
//   <, >, <=, >=, between … and …) become the stored form 'yyyy-mm-dd';
//   two-digit years below 50 are 20yy, the others 19yy;
// - table names in any case, also "Name.db" in quotes, become the catalog's;
// - one trailing ";" is dropped.
// Quoted numbers against integer fields and upper() on a–z only already
// behave as the suite expects in SQLite; nothing is pasted into the text.
struct DialectResult {
    QString sql;
    QStringList catalogTables;  // catalog tables the statement names
    QStringList otherTables;    // names after FROM/JOIN/INTO/UPDATE the catalog does not know
    // Result columns (lower case, as SQLite names them) of sum(), avg() and
    // total(): money sums are floats even when no row holds a value.
    QStringList floatColumns;
};

class SqlDialect {
public:
    // Raises SqlError for a date literal that is no date ('31.02.10').
    static DialectResult rewrite(const QString& sql);
};

} // namespace qor::data
