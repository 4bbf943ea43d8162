#pragma once

#include "reports/queries/SessaoSql.h"

namespace qor::data {
class Table;
}

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

class ReportRunner;

// A session report command over the session selected in SessaoCx (its
// current row): records the session in CaixaCor.SessaoCorrente where the
// command does (a new CaixaCor row when it has none), prepares the report's
// queries, then closes the report project and runs the report; returns when
// the preview is closed. With no session row (an empty or closed session
// table) there is no session to report on, and nothing happens.
void executaRelatorioDeSessao(
    RelatorioDeSessao relatorio, data::Table& SessaoCx, data::Table& CaixaCor, orderdb::TDM& DM, ReportRunner& RM);

} // namespace qor::reports
