#include "reports/engine/ReportModule.h"

namespace qor::reports {

TRM::TRM(const Clock& clock) : rvpj1(rvstm1, connections, clock) {}

const QList<ConnectionBinding>& TRM::connectionTable()
{
    static const QList<ConnectionBinding> table = {
        {QStringLiteral("rvdsSessaoCX"), QStringLiteral("qrySessaoCX")},
        {QStringLiteral("rvdsMovCaixa"), QStringLiteral("qryMovCaixa")},
        {QStringLiteral("rvdsDetalhaMovCaixa"), QStringLiteral("qryDetalhaMovCaixa")},
        {QStringLiteral("rvdsDetalhaPeriodo"), QStringLiteral("qryDetalhaPeriodo")},
        {QStringLiteral("rvdsPeriodo"), QStringLiteral("Periodo")},
        {QStringLiteral("rvdsDetalhaPeriodoGrupo"), QStringLiteral("qryDetalhaPeriodoGrupo")},
        {QStringLiteral("rvdsDetalhaPeriodoGrupoL"), QStringLiteral("qryDetalhaPeriodoGrupoL")},
        {QStringLiteral("rvdsQryTotalizaDetalha"), QStringLiteral("qryTotalizaDetalha")},
        {QStringLiteral("rvdsqryResumoFP"), QStringLiteral("qryResumoFP")},
        {QStringLiteral("rds_ResumoSaidas"), QStringLiteral("qry_ResumoSaidas")},
        {QStringLiteral("rds_DetalhaSaidas"), QStringLiteral("qry_DetalhaSaidas")},
        {QStringLiteral("rvdsCabecalho"), QStringLiteral("qryCabecalho")},
        {QStringLiteral("rvdsConferenciaCx"), QStringLiteral("qryConferenciaCx")},
        {QStringLiteral("rvdsConciliacao"), QStringLiteral("qryConciliacao")},
        {QStringLiteral("rvdsSinaisEmAberto"), QStringLiteral("qrySinaisEmAberto")},
    };
    return table;
}

} // namespace qor::reports
