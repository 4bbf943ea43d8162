#pragma once

#include "reports/queries/SessaoSql.h"

#include <QDate>
#include <QString>

namespace qor::data {
class Query;
class Table;
} // namespace qor::data

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

// The data module's query that receives the SQL of a period report type;
// nullptr for an unknown type.
data::Query* consultaDoPeriodo(orderdb::TDM& DM, int tipo);

// Builds and opens the query of a period report type: reads the saved
// period from Periodo (opened for the reading and closed again), then as
// montaRelatorioDoPeriodo(). An unknown type does nothing.
void MontaRelatorio_SQL(orderdb::TDM& DM, data::Table& Periodo, int tipo, const QString& loja);

// Writes the SQL lines of a period report type over [inicio, fim] into its
// query and opens it; binds the period and the store filter into the
// heading query qryCabecalho ("todas" when no store is filtered). `loja`
// is the store filter (type 5 only). An unknown type does nothing.
void montaRelatorioDoPeriodo(orderdb::TDM& DM, int tipo, const QDate& inicio, const QDate& fim, const QString& loja);

// Sets the SQL of a session report's queries for session `numero`
// (decimal digits) and opens those its report expects open; qrySessaoCX,
// the session row every session report's heading shows, is left closed for
// the report to open.
void preparaRelatorioDeSessao(orderdb::TDM& DM, RelatorioDeSessao relatorio, const QString& numero);

} // namespace qor::reports
