#include "reports/module/RelatoriosDoRM.h"

#include "data/base/Error.h"
#include "data/orderdb/TDM.h"
#include "reports/engine/ReportModule.h"

#include <QScopeGuard>

namespace qor::reports {

data::Query& RelatoriosDoRM::qrySessaoCX()
{
    return dm_.qrySessaoCX;
}

void RelatoriosDoRM::fechaProjeto()
{
    rm_.rvpj1.Close();
}

void RelatoriosDoRM::executa(const QString& nomeRelatorio)
{
    // An open report query holds a read snapshot of its data file, and the
    // till's next write there would fail at once once another program has
    // written: every report query is closed when the report ends, however.
    const auto fechaConsultas = qScopeGuard([this] { fechaConsultasDeRelatorio(dm_); });
    rm_.rvpj1.Close();
    rm_.rvpj1.ExecuteReport(nomeRelatorio);
}

void fechaConsultasDeRelatorio(orderdb::TDM& DM) noexcept
{
    for (const ConnectionBinding& binding : TRM::connectionTable())
        if (auto* query = DM.findChild<data::Query*>(binding.dataSet, Qt::FindDirectChildrenOnly))
            try {
                query->close();
            } catch (...) {
                // The report's own outcome is the one to report.
            }
}

void registraConexoes(TRM& RM, orderdb::TDM& DM, data::DataSet& Periodo)
{
    for (const ConnectionBinding& binding : TRM::connectionTable()) {
        data::DataSet* dataSet = binding.dataSet == QLatin1String("Periodo")
            ? &Periodo
            : DM.findChild<data::Query*>(binding.dataSet, Qt::FindDirectChildrenOnly);
        if (!dataSet)
            throw Error(kind::FieldNotFound, QStringLiteral("DM: consulta %1 não encontrada").arg(binding.dataSet));
        RM.connections.add(binding.connection, dataSet);
    }
}

} // namespace qor::reports
