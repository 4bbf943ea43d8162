#include "reports/control/Conciliacao.h"

#include "cash/movement/ConsultaPedido.h"
#include "cash/save/PagamentoPendente.h"
#include "data/local/Query.h"
#include "data/orderdb/TDM.h"
#include "reports/control/ServidorDePedidos.h"

#include <QHash>
#include <QtMath>

namespace qor::reports {

namespace {

struct Pagamento {
    QString estacao;
    QString npedido;
    bool sinal = false;
    double valor = 0;
    QDate dataMov;
    QString formaPag;
};

qint64 centavos(double v) { return qRound64(v * 100.0); }

QString chave(const QString& estacao, const QString& npedido, bool sinal)
{
    return estacao.trimmed() + QLatin1Char('.') + npedido.trimmed() + (sinal ? QLatin1String("S") : QLatin1String("Q"));
}

QList<Pagamento> pagamentosDoPeriodo(const QDate& inicio, const QDate& fim)
{
    // A movement still under entry is no payment yet.
    data::Query q(QStringLiteral("QORFDADOS"));
    q.setSql(QStringLiteral("select NPedido, SinalQuitacao, Valor, DataMov, FormaPag from MovCaixa "
                            "where TipoMov = 'Venda' and DataMov >= :inicio and DataMov <= :fim "
                            "and rowid not in (select Linha from MovEmEntrada) order by DataMov, HoraMov, NPedido"));
    q.bindValue(QStringLiteral("inicio"), inicio);
    q.bindValue(QStringLiteral("fim"), fim);
    q.open();
    QList<Pagamento> out;
    for (q.first(); !q.eof(); q.next()) {
        const cash::ReferenciaDoPedido ref = cash::ReferenciaDoPedido::de(q.asString(QStringLiteral("NPedido")));
        out << Pagamento{ref.estacao, ref.numero,
                         q.asString(QStringLiteral("SinalQuitacao")).toUpper().startsWith(QLatin1String("SIN")),
                         q.asFloat(QStringLiteral("Valor")), q.asDate(QStringLiteral("DataMov")),
                         q.asString(QStringLiteral("FormaPag"))};
    }
    q.close();
    return out;
}

} // namespace

void montaConciliacao(orderdb::TDM& DM, const QDate& inicio, const QDate& fim)
{
    DM.qryConciliacao.close();
    DM.qryConciliacao.carrega({});

    QList<Pagamento> pagamentos = pagamentosDoPeriodo(inicio, fim);
    QSet<QString> pendentes;
    QSet<QString> listados;
    for (const Pagamento& p : pagamentos)
        listados.insert(chave(p.estacao, p.npedido, p.sinal));
    for (const cash::PagamentoPendente& d : cash::pendentes::lista()) {
        const QString k = chave(d.estacao, d.npedido, d.sinal);
        pendentes.insert(k);
        if (!listados.contains(k)) {
            listados.insert(k);
            pagamentos << Pagamento{d.estacao, d.npedido, d.sinal, d.valor, d.dataMov, d.formaPag};
        }
    }

    QList<QVariantList> linhas;
    for (const Pagamento& p : pagamentos) {
        const orderdb::RowData pedido = consultaServidor(
            DM, kRelatorioConciliacao,
            QStringLiteral("select cast(SINAL as double precision), cast(VALORRESTANTE as double precision), "
                           "DATAPAGAMENTO, FORMAPAGAMENTO from PEDIDOS where ESTACAO = ? and NPEDIDO = ?"),
            {p.estacao, cash::ReferenciaDoPedido{p.estacao, p.npedido}.npedido()});
        const bool existe = !pedido.rows.isEmpty();
        const QVariantList ped = existe ? pedido.rows.first() : QVariantList{QVariant(), QVariant(), QVariant(), QVariant()};
        QString situacao;
        if (!existe)
            situacao = kSemPedido;
        else if (pendentes.contains(chave(p.estacao, p.npedido, p.sinal)))
            situacao = kEscritaPendente;
        else if (p.sinal && centavos(ped.at(0).toDouble()) != centavos(p.valor))
            situacao = kSinalDiferente;
        else if (!p.sinal && !ped.at(2).isValid())
            situacao = kQuitacaoSemData;
        linhas << QVariantList{p.estacao.trimmed() + QLatin1Char('.') + p.npedido.trimmed(),
                               p.sinal ? QStringLiteral("Sinal") : QStringLiteral("Quitação"),
                               p.valor,
                               p.dataMov,
                               p.formaPag,
                               ped.at(0),
                               ped.at(1),
                               ped.at(2),
                               ped.at(3),
                               situacao,
                               situacao.isEmpty() ? 0.0 : p.valor};
    }
    DM.qryConciliacao.carrega(linhas);

    DM.qryCabecalho.close();
    DM.qryCabecalho.bindValue(QStringLiteral("DataInicial"), inicio);
    DM.qryCabecalho.bindValue(QStringLiteral("DataFinal"), fim);
    DM.qryCabecalho.bindValue(QStringLiteral("FiltroLoja"), QStringLiteral("todas"));
}

} // namespace qor::reports
