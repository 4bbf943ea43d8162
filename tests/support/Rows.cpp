#include "tests/support/Rows.h"

#include "data/local/Database.h"
#include "data/local/Table.h"

namespace qor::test {

void insertRows(const QString& location, const QString& table, const QList<Row>& rows)
{
    data::Table t(location, table);
    t.open();
    // One transaction for the whole seed: one disk sync instead of one per row.
    auto db = data::Database::forFolder(data::Database::folderOf(t.location()));
    db->exec(QStringLiteral("BEGIN"));
    try {
        for (const Row& row : rows) {
            t.append();
            for (auto it = row.constBegin(); it != row.constEnd(); ++it)
                t.setValue(it.key(), it.value());
            t.post();
        }
    } catch (...) {
        db->rollback();
        throw;
    }
    db->exec(QStringLiteral("COMMIT"));
    t.close();
}

void insertRow(const QString& location, const QString& table, const Row& row) { insertRows(location, table, {row}); }

int countRows(const QString& location, const QString& table)
{
    data::Table t(location, table);
    t.open();
    return t.recordCount();
}

QVariantList column(const QString& location, const QString& table, const QString& field)
{
    data::Table t(location, table);
    t.open();
    QVariantList out;
    for (t.first(); !t.eof(); t.next())
        out << t.value(field);
    return out;
}

} // namespace qor::test
