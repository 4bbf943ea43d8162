#pragma once

#include "data/local/Query.h"

#include <QString>

namespace qor::reports {

// What a command needs in order to print: the data module's report query it
// prepares before the report, and the report module's two calls (close the
// project rvpj1; execute a report by name). The composition root hands the
// real modules in; the commands never reach the engine otherwise.
class ReportRunner {
public:
    virtual ~ReportRunner() = default;

    // DM.qrySessaoCX: the session row of the "rpt_resumo" report.
    virtual data::Query& qrySessaoCX() = 0;
    // DM.qryConferenciaCx: the session's blind count, on the same report.
    virtual data::Query& qryConferenciaCx() = 0;

    // Unloads the report project, when it is loaded.
    virtual void fechaProjeto() = 0;
    // Closes the project, then loads it from its file and runs the named
    // report to the preview; returns when the preview is closed. Raises what
    // the engine raises (a missing project file: kind ReportProject).
    virtual void executa(const QString& nomeRelatorio) = 0;
};

// Stands in while no report engine is wired: holds the query and has no
// project, so every report ends with the missing-project error, naming the
// project file as the engine would.
class SemProjetoDeRelatorios final : public ReportRunner {
public:
    SemProjetoDeRelatorios();

    data::Query& qrySessaoCX() override { return qrySessaoCX_; }
    data::Query& qryConferenciaCx() override { return qryConferenciaCx_; }
    void fechaProjeto() override {}
    [[noreturn]] void executa(const QString& nomeRelatorio) override;

    static QString arquivoDoProjeto(); // ROOT/rpt/rptCaixa.rav

private:
    data::Query qrySessaoCX_;
    data::Query qryConferenciaCx_;
};

} // namespace qor::reports
