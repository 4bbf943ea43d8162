#pragma once

#include "data/local/Database.h"
#include "data/local/FilterParser.h"
#include "data/local/PackedRow.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

namespace qor::data {

// One row as the cursor holds it: its rowid, the values of the order-key
// expressions that are not plain columns (as stored, to find the
// neighbours) and the field values (as stored).
struct CursorRow {
    qint64 rowid = 0;
    QVariantList key;
    PackedRow values;
};

// An order over a table: SQL expressions, then rowid (entry order) as the
// tie-break. A nullable part sorts its nulls first, as SQLite does.
struct OrderKey {
    struct Part {
        QString expr;
        bool nullable = true;
        int field = -1; // a plain column: its index in the row's values (read once)
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

    void setCondition(SqlCondition c)
    {
        condition_ = std::move(c);
        sql_.clear();
        counted_.reset();
    }
    const SqlCondition& condition() const { return condition_; }

    // Up to `limit` rows: from the first (or the last) row of the order, or
    // beyond a row in either direction, nearest first.
    QList<CursorRow> first(int limit);
    QList<CursorRow> last(int limit);
    QList<CursorRow> after(const CursorRow& row, int limit);
    QList<CursorRow> before(const CursorRow& row, int limit);
    // Up to `limit` rows from the one `offset` rows away from the first (or
    // from the last, going backwards): SQLite skips the rows before it in
    // the index, none of them is read into the program.
    QList<CursorRow> at(int offset, bool fromLast, int limit);
    // The row itself, if it still exists and passes the condition when asked to.
    std::optional<CursorRow> byRowid(qint64 rowid, bool applyCondition);
    // The rows that pass the condition. Counted again only when a row of the
    // file may have changed since the last count (Database::ChangeStamp), so
    // asking on every move costs a look at the stamp.
    int count();

private:
    // What lies beyond the rows matched by the key prefix of a level.
    enum class Beyond { None, RowidAfter, RowidBefore, Greater, NotNull, Less, Null, Rowid };
    QString sqlFor(int level, Beyond beyond, bool descending, bool conditioned);
    QList<CursorRow> fetch(const QString& sql, const QVariantList& params, int limit, bool conditioned);
    QList<CursorRow> run(int level, Beyond beyond, bool descending, QVariantList params, int limit,
                         bool conditioned = true);
    QList<CursorRow> neighbour(const CursorRow& row, bool forward, int limit);
    QString orderBy(bool descending) const;
    QVariant keyValue(const CursorRow& row, int part) const;

    std::shared_ptr<Database> db_;
    QString table_;
    QString select_;
    OrderKey order_;
    SqlCondition condition_;
    QHash<int, QString> sql_; // statement texts by shape, built once per condition
    struct Counted {
        Database::ChangeStamp stamp;
        int rows = 0;
    };
    std::optional<Counted> counted_; // the last count, with the stamp read before it
};

} // namespace qor::data
