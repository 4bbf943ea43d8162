#include "cash/export/ExportaXml.h"

#include "cash/export/DataPacket.h"
#include "cash/export/SequencedFile.h"
#include "data/base/Error.h"
#include "data/base/SuitePaths.h"

#include <algorithm>
#include <optional>

namespace qor::cash {

QString sendFolder(const QString& code)
{
    if (!code.isEmpty() && !SuitePaths::isSafeCode(code))
        return {};
    return SuitePaths::map(QStringLiteral("c:\\quelvora\\Envia") + code + QStringLiteral("\\"));
}

// The first QdeDestinos entries of ListaDestinos.
static QStringList destinations(const app::AppState& state)
{
    return state.ListaDestinos.mid(0, std::max(0, std::min(state.QdeDestinos, int(state.ListaDestinos.size()))));
}

QStringList removeAbandonedExports(const app::AppState& state, const QString& prefix)
{
    QStringList removed;
    for (const QString& code : destinations(state))
        if (const QString folder = sendFolder(code); !folder.isEmpty())
            removed << removeAbandonedTemporaries(folder, prefix);
    return removed;
}

static bool matches(const data::Table& table, const RecordKey& key)
{
    return std::all_of(key.begin(), key.end(), [&](const auto& part) {
        return table.value(part.first).toString() == part.second.toString();
    });
}

// The record the export carries, or nothing when there is none to copy.
static std::optional<QVariantList> recordToCopy(data::Table& table, const RecordKey& key)
{
    table.first();
    while (!table.eof() && !key.isEmpty() && !matches(table, key))
        table.next();
    if (table.eof())
        return std::nullopt;
    QVariantList row;
    for (const data::FieldDef& f : table.fields())
        row << table.value(f.name);
    return row;
}

static DataPacket readPacket(data::Table& table, const RecordKey& key)
{
    table.open();
    DataPacket packet;
    packet.fields = table.fields();
    try {
        packet.row = recordToCopy(table, key);
    } catch (const Error&) {
        packet.row.reset(); // reported as a failed copy; the files still go out
    }
    table.close();
    return packet;
}

ExportResult Exporta_XML(const app::AppState& state, data::Table& TabelaDB, const QString& tableName,
                         const QString& prefix, const RecordKey& key)
{
    ExportResult result;
    const QStringList codes = destinations(state);
    if (codes.isEmpty())
        return result;

    // One read serves every destination: the table doesn't change in between.
    // The engine maps the suite path itself.
    TabelaDB.setTableName(QStringLiteral("c:\\quelvora\\Dados\\") + tableName + QStringLiteral(".db"));
    const DataPacket packet = readPacket(TabelaDB, key);
    result.copied = packet.row.has_value();
    const QByteArray bytes = toDfXml(packet).toLatin1(); // ASCII only

    for (const QString& code : codes) {
        const QString folder = sendFolder(code);
        if (folder.isEmpty()) {
            result.failures << ExportFailure{QStringLiteral("c:\\quelvora\\Envia") + code,
                                             QStringLiteral("Código de estação inválido para uma pasta: '%1'").arg(code)};
            continue;
        }
        try {
            result.files << writeSequencedFile(folder, prefix, QStringLiteral(".xml"), bytes);
        } catch (const Error& e) {
            result.failures << ExportFailure{folder, e.text()};
        }
    }
    return result;
}

} // namespace qor::cash
