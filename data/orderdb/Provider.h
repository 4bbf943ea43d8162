#pragma once

#include "data/orderdb/RowData.h"

#include <QObject>
#include <QStringList>

namespace qor::orderdb {

class SqlCommand;

// A row as fetched and as it stands after posted edits.
struct RowChange {
    QVariantList original;
    QVariantList current;
};

// The provider between an SQL command object and a cached row set
// (DSetP_Pedidos, DSP_Usuarios, DSP_Estacoes): fetches the command's rows
// and writes edits back with key-only location: one UPDATE per changed row
// setting only its changed columns, the row found by its key columns
// (their fetched values) alone. Another station's change to other columns
// survives; a change to the same columns is overwritten.
class Provider : public QObject {
    Q_OBJECT
public:
    Provider(SqlCommand& command, QStringList keyFields, QObject* parent = nullptr);

    const QStringList& keyFields() const { return keyFields_; }

    RowData fetch();
    // All rows in one transaction; no error tolerated: the first refused
    // update, or one that finds no row (or more than one), rolls everything
    // back and raises UpdateRejected (ServerUnreachable when the server is
    // gone). A row another station changed at the same moment is retried
    // in a new transaction, a few times (then UpdateConflict).
    void applyUpdates(const QList<Column>& columns, const QList<RowChange>& changes);

private:
    SqlCommand& command_;
    QStringList keyFields_;
};

} // namespace qor::orderdb
