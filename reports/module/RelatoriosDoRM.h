#pragma once

#include "reports/hook/ReportRunner.h"

namespace qor::data {
class DataSet;
}

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

class TRM;

// The commands' way to print, over the real modules: the report queries of
// DM and the project rvpj1 of RM, closed before every report so the file is
// read from disk each time.
class RelatoriosDoRM final : public ReportRunner {
public:
    RelatoriosDoRM(orderdb::TDM& DM, TRM& RM)
        : dm_(DM)
        , rm_(RM)
    {
    }

    data::Query& qrySessaoCX() override;
    void fechaProjeto() override;
    // An unknown report name returns without output and without a message.
    void executa(const QString& nomeRelatorio) override;

private:
    orderdb::TDM& dm_;
    TRM& rm_;
};

// Closes every report query of DM (they are opened again by the next
// report's preparation).
void fechaConsultasDeRelatorio(orderdb::TDM& DM) noexcept;

// Registers every data connection of the report module: DM's report
// queries under their connection names, and `Periodo` (the main window's
// period table) as rvdsPeriodo.
void registraConexoes(TRM& RM, orderdb::TDM& DM, data::DataSet& Periodo);

} // namespace qor::reports
