#include "data/local/Cursor.h"

#include "data/local/Database.h"

#include <sqlite3.h>

namespace qor::data {

Cursor::Cursor(std::shared_ptr<Database> db, QString table, QStringList columns, OrderKey order)
    : db_(std::move(db)), table_(std::move(table)), order_(std::move(order))
{
    QStringList select{QStringLiteral("rowid")};
    for (const OrderKey::Part& p : order_.parts)
        if (p.field < 0)
            select << p.expr;
    for (const QString& c : columns)
        select << sqlnames::quoted(c);
    select_ = QStringLiteral("SELECT %1 FROM %2").arg(select.join(QLatin1Char(',')), sqlnames::quoted(table_));
}

QString Cursor::orderBy(bool descending) const
{
    QStringList parts;
    const QString dir = descending ? QStringLiteral(" DESC") : QString();
    for (const OrderKey::Part& p : order_.parts)
        parts << p.expr + dir;
    parts << QStringLiteral("rowid") + dir;
    return parts.join(QLatin1Char(','));
}

QString Cursor::sqlFor(int level, Beyond beyond, bool descending, bool conditioned)
{
    const int key = (level << 5) | (int(beyond) << 2) | (descending ? 2 : 0) | (conditioned ? 1 : 0);
    if (const auto it = sql_.constFind(key); it != sql_.constEnd())
        return *it;
    QStringList where;
    if (conditioned)
        where << QLatin1Char('(') + condition_.sql + QLatin1Char(')');
    for (int j = 0; j < level; ++j) {
        const OrderKey::Part& p = order_.parts.at(j);
        where << p.expr + (p.nullable ? QStringLiteral(" IS ?") : QStringLiteral(" = ?"));
    }
    const QString next = level < order_.parts.size() ? order_.parts.at(level).expr : QString();
    switch (beyond) {
    case Beyond::None:
        break;
    case Beyond::RowidAfter:
        where << QStringLiteral("rowid > ?");
        break;
    case Beyond::RowidBefore:
        where << QStringLiteral("rowid < ?");
        break;
    case Beyond::Rowid:
        where << QStringLiteral("rowid = ?");
        break;
    case Beyond::Greater:
        where << next + QStringLiteral(" > ?");
        break;
    case Beyond::NotNull:
        where << next + QStringLiteral(" IS NOT NULL");
        break;
    case Beyond::Less:
        where << next + QStringLiteral(" < ?");
        break;
    case Beyond::Null:
        where << next + QStringLiteral(" IS NULL");
        break;
    }
    QString sql = select_;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + orderBy(descending) + QStringLiteral(" LIMIT ?");
    sql_.insert(key, sql);
    return sql;
}

QList<CursorRow> Cursor::run(int level, Beyond beyond, bool descending, QVariantList params, int limit,
                             bool conditioned)
{
    conditioned = conditioned && !condition_.isEmpty();
    return fetch(sqlFor(level, beyond, descending, conditioned), params, limit, conditioned);
}

QList<CursorRow> Cursor::fetch(const QString& sql, const QVariantList& params, int limit, bool conditioned)
{
    Statement& st = db_->cached(sql);
    QList<CursorRow> out;
    try {
        int next = 1;
        if (conditioned) {
            st.bindAll(condition_.params, next);
            next += int(condition_.params.size());
        }
        st.bindAll(params, next);
        st.bind(next + int(params.size()), limit);
        int keys = 0;
        for (const OrderKey::Part& p : order_.parts)
            keys += p.field < 0 ? 1 : 0;
        while (st.step()) {
            CursorRow row;
            row.rowid = sqlite3_column_int64(st.handle(), 0);
            row.key.reserve(keys);
            for (int i = 0; i < keys; ++i)
                row.key.emplaceBack(st.column(1 + i));
            row.values = PackedRow::fromStatement(st.handle(), 1 + keys);
            out << std::move(row);
        }
    } catch (...) {
        st.reset();
        throw;
    }
    st.reset();
    return out;
}

QVariant Cursor::keyValue(const CursorRow& row, int part) const
{
    const OrderKey::Part& p = order_.parts.at(part);
    if (p.field >= 0)
        return row.values.at(p.field);
    int k = 0;
    for (int j = 0; j < part; ++j)
        k += order_.parts.at(j).field < 0 ? 1 : 0;
    return row.key.at(k);
}

QList<CursorRow> Cursor::first(int limit) { return run(0, Beyond::None, false, {}, limit); }
QList<CursorRow> Cursor::last(int limit) { return run(0, Beyond::None, true, {}, limit); }

QList<CursorRow> Cursor::neighbour(const CursorRow& row, bool forward, int limit)
{
    // Level i: the first i key parts equal the row's, part i lies beyond it.
    // The deepest level (all parts equal, rowid beyond) holds the nearest
    // rows; each level's rows come before the next level's, so the first
    // level that has rows gives the batch.
    const int n = int(order_.parts.size());
    for (int level = n; level >= 0; --level) {
        QVariantList prefix;
        for (int j = 0; j < level; ++j)
            prefix << keyValue(row, j);
        QList<CursorRow> rows;
        if (level == n) {
            rows = run(level, forward ? Beyond::RowidAfter : Beyond::RowidBefore, !forward, prefix << row.rowid, limit);
        } else {
            const QVariant v = keyValue(row, level);
            if (forward) {
                // Nulls come first, so beyond a null is every non-null value.
                rows = v.isNull() ? run(level, Beyond::NotNull, false, prefix, limit)
                                  : run(level, Beyond::Greater, false, QVariantList(prefix) << v, limit);
            } else if (!v.isNull()) {
                rows = run(level, Beyond::Less, true, QVariantList(prefix) << v, limit);
                if (rows.isEmpty() && order_.parts.at(level).nullable)
                    rows = run(level, Beyond::Null, true, prefix, limit);
            }
        }
        if (!rows.isEmpty())
            return rows;
    }
    return {};
}

QList<CursorRow> Cursor::after(const CursorRow& row, int limit) { return neighbour(row, true, limit); }
QList<CursorRow> Cursor::before(const CursorRow& row, int limit) { return neighbour(row, false, limit); }

QList<CursorRow> Cursor::at(int offset, bool fromLast, int limit)
{
    QString sql = select_;
    const bool conditioned = !condition_.isEmpty();
    if (conditioned)
        sql += QStringLiteral(" WHERE ") + condition_.sql;
    sql += QStringLiteral(" ORDER BY ") + orderBy(fromLast) + QStringLiteral(" LIMIT ? OFFSET ") +
           QString::number(qMax(0, offset));
    return fetch(sql, {}, limit, conditioned);
}

std::optional<CursorRow> Cursor::byRowid(qint64 rowid, bool applyCondition)
{
    QList<CursorRow> rows = run(0, Beyond::Rowid, false, {rowid}, 1, applyCondition);
    if (rows.isEmpty())
        return std::nullopt;
    return std::move(rows.first());
}

int Cursor::count()
{
    // The stamp is read before counting: a commit landing in between makes
    // the count look older than it is, never newer.
    const Database::ChangeStamp stamp = db_->changeStamp();
    if (counted_ && counted_->stamp == stamp)
        return counted_->rows;
    QString sql = QStringLiteral("SELECT count(*) FROM %1").arg(sqlnames::quoted(table_));
    if (!condition_.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition_.sql;
    Statement& st = db_->cached(sql);
    int n = 0;
    try {
        st.bindAll(condition_.params);
        if (st.step())
            n = int(st.column(0).toLongLong());
    } catch (...) {
        st.reset();
        throw;
    }
    st.reset();
    if (db_->inTransaction())
        counted_.reset();
    else
        counted_ = Counted{stamp, n};
    return n;
}

} // namespace qor::data
