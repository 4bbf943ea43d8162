#include "reports/queries/SessaoSql.h"

namespace qor::reports {

const QList<ComandoDeSessao>& comandosDeSessao()
{
    static const QList<ComandoDeSessao> comandos = {
        { RelatorioDeSessao::Resumo, QStringLiteral("rpt_resumo"), true, true },
        { RelatorioDeSessao::ResumoFP, QStringLiteral("rpt_resumoFP"), false, false },
        { RelatorioDeSessao::DetalhadoComValorOriginal, QStringLiteral("rpt_SessaoDetalhada_VOriginal"), true, false },
        { RelatorioDeSessao::DetalhadoSemValorOriginal, QStringLiteral("rpt_SessaoDetalhada"), true, false },
        { RelatorioDeSessao::Parcial, QStringLiteral("rpt_ParcialCaixa"), false, false },
    };
    return comandos;
}

const ComandoDeSessao& comandoDeSessao(RelatorioDeSessao relatorio)
{
    for (const ComandoDeSessao& c : comandosDeSessao())
        if (c.relatorio == relatorio)
            return c;
    return comandosDeSessao().first();
}

const ComandoDeSessao* comandoDoRelatorioDeSessao(const QString& nome)
{
    for (const ComandoDeSessao& c : comandosDeSessao())
        if (c.nome == nome)
            return &c;
    return nullptr;
}

QString sqlSessaoCX(const QString& numero)
{
    return QStringLiteral("Select * From SessaoCX where NumSessao = '") + numero + QStringLiteral("'");
}

QString sqlConferenciaCx(const QString& numero)
{
    return QStringLiteral("Select * From ConferenciaCx where NumSessao = '") + numero + QStringLiteral("' order by rowid");
}

QString sqlResumoFP(const QString& numero)
{
    return QStringLiteral("select formapag,sum(valor) as Valor from movcaixa where numsessao = '") + numero
        + QStringLiteral("' group by formapag");
}

QString sqlDetalhaMovCaixa(const QString& numero, bool soVendas)
{
    if (soVendas)
        return QStringLiteral(
                   "Select Distinct movcaixa.*,sessaocx.* FROM MovCaixa,SessaoCX where (SessaoCX.NumSessao = "
                   "MovCaixa.NumSessao ) and SessaoCX.Numsessao = '")
            + numero + QStringLiteral("' and tipomov='Venda'");
    return QStringLiteral("SELECT Distinct movcaixa.*,sessaocx.* FROM MovCaixa,SessaoCX where (SessaoCX.NumSessao = "
                          "MovCaixa.NumSessao ) and SessaoCX.Numsessao = '")
        + numero + QStringLiteral("'");
}

QString sqlTotalizaDetalha(const QString& numero)
{
    return QStringLiteral("Select TipoMov,sum(valor) as ValorFinal, sum(valororiginal) as ValorOriginal, sum(Desconto) "
                          "as Desconto from movcaixa where NumSessao='")
        + numero + QStringLiteral("' group by TipoMov");
}

} // namespace qor::reports
