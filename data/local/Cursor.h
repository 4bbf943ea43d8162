#pragma once

#include "data/local/FilterParser.h"

#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

namespace qor::data {

class Database;

// One row as the cursor holds it: its rowid, the values of the order key
// (as stored, to find the neighbours) and the field values (as stored).
struct CursorRow {
    qint64 rowid = 0;
    QVariantList key;
    QVariantList values;
};

// An order over a table: SQL expressions, then rowid (entry order) as the
// tie-break. A nullable part sorts its nulls first, as SQLite does.
struct OrderKey {
    struct Part {
        QString expr;
        bool nullable = true;
    };
    QList<Part> parts;
};

// Keyset navigation over one SQLite table: every move is a LIMIT 1 query
// from the current row's key, so a table of any size is never loaded.
// A key prefix is matched by equality and the next part by range, which
// the index behind the order serves; a nullable part takes an extra step
// for its nulls.
class Cursor {
public:
    Cursor(std::shared_ptr<Database> db, QString table, QStringList columns, OrderKey order);

    void setCondition(SqlCondition c) { condition_ = std::move(c); }
    const SqlCondition& condition() const { return condition_; }

    std::optional<CursorRow> first();
    std::optional<CursorRow> last();
    std::optional<CursorRow> after(const CursorRow& row);
    std::optional<CursorRow> before(const CursorRow& row);
    // The row itself, if it still exists and passes the condition when asked to.
    std::optional<CursorRow> byRowid(qint64 rowid, bool applyCondition);
    int count();

private:
    struct Step {
        QString where;
        QVariantList params;
    };
    std::optional<CursorRow> fetch(const Step& step, bool descending);
    std::optional<CursorRow> neighbour(const CursorRow& row, bool forward);
    QString orderBy(bool descending) const;

    std::shared_ptr<Database> db_;
    QString table_;
    QString select_;
    OrderKey order_;
    SqlCondition condition_;
};

} // namespace qor::data
