#include "cash/save/EscritaNoPedido.h"

#include "cash/movement/ConsultaPedido.h"
#include "data/base/CrashPoint.h"
#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/orderdb/CommandTexts.h"
#include "data/orderdb/TDM.h"

namespace qor::cash {

namespace {

// Closes the order dataset however a try ends.
struct FechaAoSair {
    orderdb::CachedRowSet& rows;
    ~FechaAoSair() { rows.close(); }
};

// The order holds no payment a station could have written since.
bool semPagamento(const EstadoDoPedido& e) { return qRound64(e.sinal * 100.0) == 0 && !e.dataPagamento.isValid(); }

enum class Tentativa { Gravado, JaNoPedido, Falhou };

Tentativa tenta(orderdb::TDM& dm, PagamentoPendente& p, const std::function<void(const QString&)>& GravaLog)
{
    orderdb::CachedRowSet& pedidos = dm.PEDIDOS;
    const FechaAoSair fecha{pedidos};
    buscaPedido(dm, p.estacao, p.npedido);
    const EstadoDoPedido agora = estadoDoPedido(pedidos);
    if (!agora.existe) {
        p.ultimaFalha = kFalhaPedidoNaoEncontrado;
        return Tentativa::Falhou;
    }
    if (agora == estadoComPagamento(pedidos, p))
        return Tentativa::JaNoPedido;
    if (p.antes.existe ? !(agora == p.antes) : !semPagamento(agora)) {
        p.ultimaFalha = kFalhaPedidoAlterado;
        return Tentativa::Falhou;
    }
    gravaNoPedido(pedidos, p);
    crashPoint("retry: order updated");
    try {
        pedidos.refresh();
    } catch (const Error& e) {
        GravaLog(QStringLiteral("- O pedido foi gravado no BD, mas não foi possível relê-lo: ") + e.text());
    }
    return Tentativa::Gravado;
}

} // namespace

void buscaPedido(orderdb::TDM& dm, const QString& estacao, const QString& npedido)
{
    dm.PEDIDOS.close(); // an open row set would keep its old rows
    dm.SQLDS_Pedidos.setCommandText(QStringLiteral("select ") + orderdb::PedidosColumnList
                                    + QStringLiteral(" from PEDIDOS where ESTACAO = ? and NPEDIDO = ?"));
    dm.SQLDS_Pedidos.addBindValue(estacao);
    dm.SQLDS_Pedidos.addBindValue(ReferenciaDoPedido{estacao, npedido}.npedido());
    dm.PEDIDOS.open();
}

EstadoDoPedido estadoDoPedido(const orderdb::CachedRowSet& PEDIDOS)
{
    EstadoDoPedido e;
    if (PEDIDOS.recordCount() == 0)
        return e;
    e.existe = true;
    e.sinal = PEDIDOS.asFloat(QStringLiteral("SINAL"));
    e.valorRestante = PEDIDOS.asFloat(QStringLiteral("VALORRESTANTE"));
    e.dataPagamento = PEDIDOS.asDate(QStringLiteral("DATAPAGAMENTO"));
    e.formaPagamento = PEDIDOS.asString(QStringLiteral("FORMAPAGAMENTO"));
    return e;
}

EstadoDoPedido estadoComPagamento(const orderdb::CachedRowSet& PEDIDOS, const PagamentoPendente& p)
{
    EstadoDoPedido e = estadoDoPedido(PEDIDOS);
    if (p.sinal) {
        e.sinal = p.valor;
        e.valorRestante = PEDIDOS.asFloat(QStringLiteral("PRECOFINAL")) - p.valor;
        if (e.valorRestante == 0.0)
            e.dataPagamento = p.dataMov;
    } else {
        e.dataPagamento = p.dataMov;
    }
    e.formaPagamento = p.formaPag;
    return e;
}

void gravaNoPedido(orderdb::CachedRowSet& PEDIDOS, const PagamentoPendente& p)
{
    PEDIDOS.edit();
    if (p.sinal) {
        PEDIDOS.setValue(QStringLiteral("SINAL"), p.valor);
        const double restante = PEDIDOS.asFloat(QStringLiteral("PRECOFINAL")) - PEDIDOS.asFloat(QStringLiteral("SINAL"));
        PEDIDOS.setValue(QStringLiteral("VALORRESTANTE"), restante);
        if (restante == 0.0)
            PEDIDOS.setValue(QStringLiteral("DATAPAGAMENTO"), p.dataMov);
    } else {
        PEDIDOS.setValue(QStringLiteral("DATAPAGAMENTO"), p.dataMov);
    }
    PEDIDOS.setValue(QStringLiteral("FORMAPAGAMENTO"), p.formaPag);
    PEDIDOS.post();
    PEDIDOS.applyUpdates();
}

QString linhaDeRegistroNoPedido(const PagamentoPendente& p)
{
    return p.sinal ? QStringLiteral("- O Sinal foi registrado no cadastro do pedido no BD.")
                   : QStringLiteral("- A quitação foi registrada no cadastro do Pedido no BD.");
}

QString linhaDeFalhaNoPedido(const PagamentoPendente& p)
{
    return p.sinal ? QStringLiteral("- Não foi possível registrar o sinal do pedido no BD.")
                   : QStringLiteral("- Não foi possível registrar a quitação do pedido no BD.");
}

int regravaPendentes(orderdb::TDM& dm, const std::function<void(const QString&)>& GravaLog)
{
    int ficam = 0;
    int naoTentadas = 0;
    bool servidorInacessivel = false;
    for (PagamentoPendente p : pendentes::lista()) {
        // Each further try would wait for the same server again, up to its
        // answer limit when it froze.
        if (servidorInacessivel) {
            ++naoTentadas;
            continue;
        }
        GravaLog(QStringLiteral("- Nova tentativa de registrar no pedido ") + p.pedido() + QStringLiteral(" o ")
                 + (p.sinal ? QStringLiteral("sinal") : QStringLiteral("pagamento da quitação"))
                 + QStringLiteral(" de R$ ") + text::formatAmount(p.valor) + QStringLiteral(" registrado no caixa em ")
                 + p.dataMov.toString(QStringLiteral("dd/MM/yy")) + QLatin1Char(' ')
                 + p.horaMov.toString(QStringLiteral("hh:mm")));
        Tentativa t = Tentativa::Falhou;
        try {
            t = tenta(dm, p, GravaLog);
        } catch (const Error& e) {
            p.ultimaFalha = e.text();
            servidorInacessivel = e.is(kind::ServerUnreachable);
        }
        if (t == Tentativa::Falhou) {
            GravaLog(linhaDeFalhaNoPedido(p) + QLatin1Char(' ') + p.ultimaFalha);
            pendentes::anotaFalha(p.linha, p.ultimaFalha);
            ++ficam;
            continue;
        }
        pendentes::conclui(p.linha);
        crashPoint("retry: due write-back closed");
        GravaLog(t == Tentativa::Gravado ? linhaDeRegistroNoPedido(p)
                                         : QStringLiteral("- O pedido já tinha este pagamento; a pendência foi encerrada."));
    }
    if (naoTentadas > 0)
        GravaLog(QStringLiteral("- Servidor inacessível: %1 pendência(s) ficam para a próxima tentativa.")
                     .arg(naoTentadas));
    return ficam + naoTentadas;
}

} // namespace qor::cash
