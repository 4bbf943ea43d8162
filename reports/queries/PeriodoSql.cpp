#include "reports/queries/PeriodoSql.h"

#include "data/base/Text.h"

namespace qor::reports {

namespace {

constexpr int kLarguraDaLoja = 10;

// Inside a quoted SQL literal a single quote is written twice, so a store
// such as "D'ANGELO" is compared, not cut short.
QString literal(const QString& s)
{
    QString out = s;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return out;
}

} // namespace

const QList<TipoDePeriodo>& tiposDePeriodo()
{
    static const QList<TipoDePeriodo> tipos = {
        { 2, QStringLiteral("rpt_PeriodoDetalhado"), QStringLiteral("qryDetalhaPeriodo") },
        { 3, QStringLiteral("rpt_PeriodoDetalhadoLoja"), QStringLiteral("qryDetalhaPeriodo") },
        { 4, QStringLiteral("rpt_ResumoVendas"), QStringLiteral("qryDetalhaPeriodoGrupo") },
        { 5, QStringLiteral("rpt_ResumoVendas_Loja"), QStringLiteral("qryDetalhaPeriodoGrupoL") },
        { 6, QStringLiteral("rpt_ResumoSaidas"), QStringLiteral("qry_ResumoSaidas") },
        { 7, QStringLiteral("rpt_DetalhaSaidas"), QStringLiteral("qry_DetalhaSaidas") },
    };
    return tipos;
}

const TipoDePeriodo* tipoDePeriodo(int tipo)
{
    for (const TipoDePeriodo& t : tiposDePeriodo())
        if (t.tipo == tipo)
            return &t;
    return nullptr;
}

const TipoDePeriodo* tipoDoRelatorioDePeriodo(const QString& relatorio)
{
    for (const TipoDePeriodo& t : tiposDePeriodo())
        if (t.relatorio == relatorio)
            return &t;
    return nullptr;
}

QString dataSql(const QDate& data)
{
    return data.toString(QStringLiteral("dd.MM.yy"));
}

QString filtroDeLoja(const QString& textoDaLista)
{
    return textoDaLista.left(kLarguraDaLoja);
}

QStringList sqlDoPeriodo(int tipo, const QDate& inicio, const QDate& fim, const QString& loja)
{
    const QString DI = dataSql(inicio);
    const QString DF = dataSql(fim);
    switch (tipo) {
    case 2:
        return { QStringLiteral("Select * From MovCaixa where (DataMov Between '") + DI + QStringLiteral("' and '") + DF
            + QStringLiteral("') and (TipoMov = 'Venda') order by FormaPag,NumSessao,DataMov,HoraMov;") };
    case 3:
        return { QStringLiteral("Select * From MovCaixa where (DataMov Between '") + DI + QStringLiteral("' and '") + DF
            + QStringLiteral("') and (TipoMov = 'Venda') order by Laboratorio,FormaPag,NumSessao,DataMov,HoraMov;") };
    case 4:
        return { QStringLiteral("Select FormaPag,sum(valor) as Total from MovCaixa where "),
            QStringLiteral("(TipoMov='Venda') and (DataMov between '") + DI + QStringLiteral("' and '") + DF
                + QStringLiteral("') group by Formapag") };
    case 5:
        if (loja.isEmpty())
            return { QStringLiteral("Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where "),
                QStringLiteral("(TipoMov='Venda') and (DataMov between '") + DI + QStringLiteral("' and '") + DF
                    + QStringLiteral("') group by Laboratorio,Formapag") };
        return { QStringLiteral(
                     "Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where (Upper(Laboratorio)='")
                + literal(text::upperAZ(loja)) + QStringLiteral("') and "),
            QStringLiteral("(TipoMov='Venda') and (DataMov between '") + DI + QStringLiteral("' and '") + DF
                + QStringLiteral("') group by Laboratorio,Formapag;") };
    case 6:
        return { QStringLiteral("SELECT Formapag, sum(valor) as Valor FROM movcaixa where entradasaida = 'Saida' and "),
            QStringLiteral("DataMov between '") + DI + QStringLiteral("' and '") + DF
                + QStringLiteral("' group by formapag;") };
    case 7:
        return { QStringLiteral("SELECT * FROM movcaixa where entradasaida = 'Saida' AND "),
            QStringLiteral("DataMov between '") + DI + QStringLiteral("' and '") + DF
                + QStringLiteral("' order by numsessao,datamov, horamov") };
    default:
        return {};
    }
}

} // namespace qor::reports
