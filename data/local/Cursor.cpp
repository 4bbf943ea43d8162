#include "data/local/Cursor.h"

#include "data/local/Database.h"

namespace qor::data {

Cursor::Cursor(std::shared_ptr<Database> db, QString table, QStringList columns, OrderKey order)
    : db_(std::move(db)), table_(std::move(table)), order_(std::move(order))
{
    QStringList select{QStringLiteral("rowid")};
    for (const OrderKey::Part& p : order_.parts)
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

std::optional<CursorRow> Cursor::fetch(const Step& step, bool descending)
{
    QStringList where;
    if (!condition_.isEmpty())
        where << QLatin1Char('(') + condition_.sql + QLatin1Char(')');
    if (!step.where.isEmpty())
        where << step.where;
    QString sql = select_;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + orderBy(descending) + QStringLiteral(" LIMIT 1");

    Statement& st = db_->cached(sql);
    std::optional<CursorRow> out;
    try {
        st.bindAll(condition_.params);
        st.bindAll(step.params, int(condition_.params.size()) + 1);
        if (st.step()) {
            CursorRow row;
            row.rowid = st.column(0).toLongLong();
            const int keys = int(order_.parts.size());
            for (int i = 0; i < keys; ++i)
                row.key << st.column(1 + i);
            for (int i = 1 + keys; i < st.columnCount(); ++i)
                row.values << st.column(i);
            out = std::move(row);
        }
    } catch (...) {
        st.reset();
        throw;
    }
    st.reset();
    return out;
}

std::optional<CursorRow> Cursor::first() { return fetch({}, false); }
std::optional<CursorRow> Cursor::last() { return fetch({}, true); }

std::optional<CursorRow> Cursor::neighbour(const CursorRow& row, bool forward)
{
    // Level i: the first i key parts equal the row's, part i lies beyond it.
    // The deepest level (all parts equal, rowid beyond) is the nearest.
    const int n = int(order_.parts.size());
    for (int level = n; level >= 0; --level) {
        Step step;
        QStringList equal;
        for (int j = 0; j < level; ++j) {
            const OrderKey::Part& p = order_.parts.at(j);
            equal << p.expr + (p.nullable ? QStringLiteral(" IS ?") : QStringLiteral(" = ?"));
            step.params << row.key.at(j);
        }
        const QString prefix = equal.join(QStringLiteral(" AND "));
        auto with = [&](const QString& cond) {
            Step s = step;
            s.where = prefix.isEmpty() ? cond : prefix + QStringLiteral(" AND ") + cond;
            return s;
        };
        if (level == n) {
            Step s = with(forward ? QStringLiteral("rowid > ?") : QStringLiteral("rowid < ?"));
            s.params << row.rowid;
            if (auto r = fetch(s, !forward))
                return r;
            continue;
        }
        const OrderKey::Part& p = order_.parts.at(level);
        const QVariant& v = row.key.at(level);
        if (forward) {
            // Nulls come first, so beyond a null is every non-null value.
            Step s = with(v.isNull() ? p.expr + QStringLiteral(" IS NOT NULL") : p.expr + QStringLiteral(" > ?"));
            if (!v.isNull())
                s.params << v;
            if (auto r = fetch(s, false))
                return r;
        } else if (!v.isNull()) {
            Step s = with(p.expr + QStringLiteral(" < ?"));
            s.params << v;
            if (auto r = fetch(s, true))
                return r;
            if (p.nullable)
                if (auto r = fetch(with(p.expr + QStringLiteral(" IS NULL")), true))
                    return r;
        }
    }
    return std::nullopt;
}

std::optional<CursorRow> Cursor::after(const CursorRow& row) { return neighbour(row, true); }
std::optional<CursorRow> Cursor::before(const CursorRow& row) { return neighbour(row, false); }

std::optional<CursorRow> Cursor::byRowid(qint64 rowid, bool applyCondition)
{
    const SqlCondition saved = condition_;
    if (!applyCondition)
        condition_ = {};
    Step s{QStringLiteral("rowid = ?"), {rowid}};
    std::optional<CursorRow> r;
    try {
        r = fetch(s, false);
    } catch (...) {
        condition_ = saved;
        throw;
    }
    condition_ = saved;
    return r;
}

int Cursor::count()
{
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
    return n;
}

} // namespace qor::data

