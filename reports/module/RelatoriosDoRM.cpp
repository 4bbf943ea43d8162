#include "reports/module/RelatoriosDoRM.h"

#include "data/base/Error.h"
#include "data/orderdb/TDM.h"
#include "reports/engine/ReportModule.h"

namespace qor::reports {

data::Query& RelatoriosDoRM::qrySessaoCX()
{
    return dm_.qrySessaoCX;
}

data::Query& RelatoriosDoRM::qryConferenciaCx()
{
    return dm_.qryConferenciaCx;
}

void RelatoriosDoRM::fechaProjeto()
{
    rm_.rvpj1.Close();
}

void RelatoriosDoRM::executa(const QString& nomeRelatorio)
{
    rm_.rvpj1.Close();
    rm_.rvpj1.ExecuteReport(nomeRelatorio);
}

void registraConexoes(TRM& RM, orderdb::TDM& DM, data::DataSet& Periodo)
{
    for (const ConnectionBinding& binding : TRM::connectionTable()) {
        data::DataSet* dataSet = binding.dataSet == QLatin1String("Periodo")
            ? &Periodo
            : DM.findChild<data::DataSet*>(binding.dataSet, Qt::FindDirectChildrenOnly);
        if (!dataSet)
            throw Error(kind::FieldNotFound, QStringLiteral("DM: consulta %1 não encontrada").arg(binding.dataSet));
        RM.connections.add(binding.connection, dataSet);
    }
}

} // namespace qor::reports
