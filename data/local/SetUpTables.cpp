#include "data/local/SetUpTables.h"

#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/local/Table.h"

#include <QDir>
#include <QFileInfo>

namespace qor::data {

namespace {

void writeOneRow(const TableDef& def)
{
    Table table(def.home, def.name);
    table.open();
    if (table.isEmpty()) {
        table.append();
        for (auto it = def.oneRow.begin(); it != def.oneRow.end(); ++it)
            table.setValue(it.key(), it.value());
        table.post();
    }
    table.close();
}

QString describe(const TableDef& def, Database::SetUp done, const QStringList& added, const QString& file)
{
    switch (done) {
    case Database::SetUp::Created:
        return def.oneRow.isEmpty() ? QStringLiteral("Tabela %1 criada em %2").arg(def.name, file)
                                    : QStringLiteral("Tabela %1 criada em %2, com a sua linha inicial").arg(def.name, file);
    case Database::SetUp::FieldsAdded:
        return QStringLiteral("Tabela %1 em %2: campos acrescentados (%3)").arg(def.name, file, added.join(QStringLiteral(", ")));
    case Database::SetUp::Migrated:
        return QStringLiteral("Tabela %1 em %2 atualizada para esta versão (linhas e números mantidos)").arg(def.name, file);
    case Database::SetUp::Unchanged:
        break;
    }
    return {};
}

} // namespace

QStringList setUpTables()
{
    QStringList report;
    for (const QString& home : Catalog::homes()) {
        const QString folder = Database::folderOf(home);
        if (!QFileInfo(folder).isDir()) {
            QDir().mkpath(folder);
            report << QStringLiteral("Pasta criada: %1").arg(folder);
        }
        const QString file = folder + QLatin1Char('/') + QLatin1String(Database::FileName);
        if (!QFileInfo::exists(file))
            report << QStringLiteral("Arquivo de dados criado: %1").arg(file);
        auto db = Database::createIn(folder);
        for (const TableDef* def : Catalog::tablesAt(home)) {
            QStringList added;
            const Database::SetUp done = db->createTable(*def, &added);
            if (done == Database::SetUp::Created && !def->oneRow.isEmpty())
                writeOneRow(*def);
            if (done != Database::SetUp::Unchanged)
                report << describe(*def, done, added, file);
        }
    }
    return report;
}

} // namespace qor::data
