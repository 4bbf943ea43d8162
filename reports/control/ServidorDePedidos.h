#pragma once

#include "data/orderdb/RowData.h"

#include <QString>
#include <QVariantList>

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

// Rows of a control report's statement on the order server, connecting the
// data module first when it is not. Whatever keeps the rows from coming
// (no server, a refused login, a lost connection) raises ServerUnreachable
// saying that `relatorio` was not made, with the cause.
orderdb::RowData consultaServidor(orderdb::TDM& DM, const QString& relatorio, const QString& sql,
                                  const QVariantList& valores = {});

} // namespace qor::reports
