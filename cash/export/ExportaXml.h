#pragma once

#include "app/state/AppState.h"
#include "data/local/Table.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace qor::cash {

// Which record of the source table the export carries. Empty: the row the
// table opens on (its first), as for a withdrawal or a replenishment. For a
// sale the save passes the key of the settlement row it has just stored, so
// the other stations receive that payment and not whichever row comes first.
using RecordKey = QList<QPair<QString, QVariant>>;

struct ExportFailure {
    QString folder; // local path of the destination folder
    QString error;  // what went wrong, naming the folder
};

struct ExportResult {
    bool copied = true;            // false: no record could be copied (the files then hold no row)
    QStringList files;             // written, in destination order
    QList<ExportFailure> failures; // destinations whose file could not be written
};

// The settlement export: for each of the first QdeDestinos entries of
// ListaDestinos, one new file prefix + n + ".xml" in that destination's send
// folder holding the source table's field definitions and one record in the
// other stations' XML data-packet format. TabelaDB is pointed at the table
// "c:\quelvora\Dados\" + tableName + ".db", opened and closed again.
// A folder that can't be written is reported in the result and the other
// destinations still get their file; table errors are raised.
ExportResult Exporta_XML(const app::AppState& state, data::Table& TabelaDB, const QString& tableName,
                         const QString& prefix, const RecordKey& key = {});

// At start-up: removes from the destinations' send folders the temporary
// files of exports this machine's crashed processes left behind
// (removeAbandonedTemporaries). Returns the paths removed.
QStringList removeAbandonedExports(const app::AppState& state, const QString& prefix);

// The send folder of a destination code: "c:\quelvora\Envia" + code, the
// empty code giving "Envia" itself. A code that can't name a folder gives "".
QString sendFolder(const QString& code);

} // namespace qor::cash
