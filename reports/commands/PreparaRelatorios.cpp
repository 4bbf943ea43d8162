#include "reports/commands/PreparaRelatorios.h"

#include "data/base/Error.h"
#include "data/local/Table.h"
#include "data/orderdb/TDM.h"
#include "reports/queries/PeriodoSql.h"

namespace qor::reports {

namespace {

void poeSql(data::Query& query, const QStringList& lines)
{
    query.close();
    query.clearSql();
    for (const QString& line : lines)
        query.addSql(line);
}

void abreConsultasDeSessao(orderdb::TDM& DM, RelatorioDeSessao relatorio, const QString& numero);

} // namespace

data::Query* consultaDoPeriodo(orderdb::TDM& DM, int tipo)
{
    const TipoDePeriodo* t = tipoDePeriodo(tipo);
    if (!t)
        return nullptr;
    auto* query = DM.findChild<data::Query*>(t->consulta, Qt::FindDirectChildrenOnly);
    if (!query)
        throw Error(kind::FieldNotFound, QStringLiteral("DM: consulta %1 não encontrada").arg(t->consulta));
    return query;
}

void MontaRelatorio_SQL(orderdb::TDM& DM, data::Table& Periodo, int tipo, const QString& loja)
{
    Periodo.open();
    const QDate inicio = Periodo.asDate(QStringLiteral("DataInicial"));
    const QDate fim = Periodo.asDate(QStringLiteral("DataFinal"));
    Periodo.close();

    data::Query* query = consultaDoPeriodo(DM, tipo);
    if (!query)
        return;
    poeSql(*query, sqlDoPeriodo(tipo, inicio, fim, loja));
    query->open();
}

void preparaRelatorioDeSessao(orderdb::TDM& DM, RelatorioDeSessao relatorio, const QString& numero)
{
    try {
        abreConsultasDeSessao(DM, relatorio, numero);
    } catch (...) {
        // No report follows: a query opened before the failure is not left
        // holding its data file.
        for (data::Query* q : {&DM.qrySessaoCX, &DM.qryResumoFP, &DM.qryDetalhaMovCaixa, &DM.qryTotalizaDetalha})
            q->close();
        throw;
    }
}

namespace {

void abreConsultasDeSessao(orderdb::TDM& DM, RelatorioDeSessao relatorio, const QString& numero)
{
    switch (relatorio) {
    case RelatorioDeSessao::Resumo:
        poeSql(DM.qrySessaoCX, { sqlSessaoCX(numero) });
        return;
    case RelatorioDeSessao::ResumoFP:
        poeSql(DM.qryResumoFP, { sqlResumoFP(numero) });
        DM.qryResumoFP.open();
        return;
    case RelatorioDeSessao::DetalhadoComValorOriginal:
    case RelatorioDeSessao::DetalhadoSemValorOriginal:
        poeSql(DM.qryDetalhaMovCaixa,
            { sqlDetalhaMovCaixa(numero, relatorio == RelatorioDeSessao::DetalhadoComValorOriginal) });
        DM.qryDetalhaMovCaixa.open();
        poeSql(DM.qryTotalizaDetalha, { sqlTotalizaDetalha(numero) });
        DM.qryTotalizaDetalha.open();
        return;
    }
}

} // namespace

} // namespace qor::reports
