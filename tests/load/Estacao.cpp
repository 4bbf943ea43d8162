#include "tests/load/Estacao.h"

#include "app/log/ActivityLog.h"
#include "app/login/LocalizaEstacao.h"
#include "app/login/VerificaUsuario.h"
#include "app/state/AppState.h"
#include "cash/movement/ConsultaPedido.h"
#include "cash/movement/CriaMovimento.h"
#include "cash/save/RecuperacaoNaPartida.h"
#include "cash/save/SalvaMovimento.h"
#include "cash/totals/TotalizaSessao.h"
#include "data/base/Clock.h"
#include "data/base/Text.h"
#include "data/local/CashTables.h"
#include "data/local/Query.h"
#include "data/orderdb/TDM.h"
#include "tests/load/Registro.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <tuple>

namespace qor::load {

namespace {

qint64 agora()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

QString valorNoCampo(qint64 centavos)
{
    return QStringLiteral("%1,%2").arg(centavos / 100).arg(centavos % 100, 2, 10, QLatin1Char('0'));
}

qint64 centavosDe(double valor)
{
    return std::llround(valor * 100);
}

class Caixa {
public:
    Caixa(const QString& database, QTextStream& out)
        : out_(out)
    {
        boxes_.answerAllOk();
        dm_.SQLConnection1.setParam(QStringLiteral("Database"), database);
        dm_.SQLConnection1.open();
    }

    // What the window does from start-up to an open session.
    void abre()
    {
        cash::RecuperacaoNaPartida recuperacao(state_, dm_, log_, boxes_);
        recuperacao.naAtivacao();
        const app::ResultadoLogin login
            = app::verificaUsuario(dm_.Usuarios, QStringLiteral("caixa"), QStringLiteral("123"));
        if (!login.accepted)
            throw std::runtime_error("identification refused: " + login.message.toStdString());
        state_.setNomeOperador(login.typedName);
        log_.RegistraEntrada(login.typedName);
        if (app::LocalizaEstacao(dm_, state_, clock_).datbasnam.isEmpty())
            throw std::runtime_error("no workstation for the operator");
        recuperacao.aposIdentificacao();

        t_.SessaoCx.open();
        int numero = 1;
        if (!t_.SessaoCx.isEmpty()) {
            t_.SessaoCx.last();
            numero = t_.SessaoCx.asInteger(QStringLiteral("NumSessao")) + 1;
        }
        t_.SessaoCx.append();
        t_.SessaoCx.setValue(QStringLiteral("NumSessao"), numero);
        t_.SessaoCx.setValue(QStringLiteral("DataAbertura"), clock_.today());
        t_.SessaoCx.setValue(QStringLiteral("HoraAbertura"), clock_.timeOfDay());
        t_.SessaoCx.setValue(QStringLiteral("Operador"), state_.NomeOperador());
        t_.SessaoCx.setValue(QStringLiteral("Troco"), 100.0);
        t_.SessaoCx.post();
        t_.SessaoCx.close();
        state_.CaixaAberto = true;
        sessao_ = numero;
    }

    // A sale's payment as the movement panel takes it: the row stored with
    // its mark, the order looked up, the fields typed, then the save.
    Pagamento venda(const QString& pedido, bool sinal, qint64 centavos, const QString& forma)
    {
        cash::criaMovimento(t_, cash::TipoMovimento::Venda, clock_.now(), state_.LojaPadrao());
        const cash::ConsultaDoPedido achado = cash::consultaPedido(dm_.SQLDS_Pedidos, dm_.PEDIDOS, pedido);
        if (achado.resultado != cash::ConsultaDoPedido::Resultado::Encontrado)
            throw std::runtime_error("order not found: " + pedido.toStdString());
        const QString tipo = sinal ? QStringLiteral("Sinal") : QStringLiteral("Quitação");
        data::Table& mov = t_.MovCaixa;
        mov.setValue(QStringLiteral("NPedido"), pedido);
        mov.setValue(QStringLiteral("SinalQuitacao"), tipo);
        mov.setValue(QStringLiteral("Laboratorio"), achado.precos.laboratorio);
        mov.setValue(QStringLiteral("ValorOriginal"), achado.precos.precoFinal);
        mov.setValue(QStringLiteral("Valor"), double(centavos) / 100);
        mov.setValue(QStringLiteral("FormaPag"), forma);
        mov.post();
        mov.edit();
        state_.PrecoFinalRetido = achado.precos.precoFinal;
        state_.ValorDigitadoRetido = double(centavos) / 100;
        return salva({ pedido, tipo, centavos, forma, 0, 0 });
    }

    Pagamento saida(cash::TipoMovimento tipo, qint64 centavos)
    {
        t_.CTCaixa.open();
        cash::criaMovimento(t_, tipo, clock_.now(), state_.LojaPadrao());
        t_.MovCaixa.setValue(QStringLiteral("Valor"), double(centavos) / 100);
        t_.MovCaixa.setValue(QStringLiteral("FormaPag"), QStringLiteral("Dinheiro"));
        return salva({ t_.MovCaixa.asString(QStringLiteral("NPedido")), cash::nomeDoTipo(tipo), centavos,
            QStringLiteral("Dinheiro"), 0, 0 });
    }

    void fecha()
    {
        cash::TotalizaSessao(t_.SessaoCx, t_.MovCaixa, t_.CaixaCor);
        t_.SessaoCx.edit();
        t_.SessaoCx.setValue(QStringLiteral("DataFechamento"), clock_.today());
        t_.SessaoCx.setValue(QStringLiteral("HoraFechamento"), clock_.timeOfDay());
        t_.SessaoCx.post();
        t_.SessaoCx.close();
        state_.CaixaAberto = false;
        log_.RegistraSaida(state_.NomeOperador());
    }

    int sessao() const { return sessao_; }
    QStringList mensagens() const { return boxes_.texts(); }

private:
    Pagamento salva(Pagamento p)
    {
        cash::SalvaMovimento salva(state_, { t_.MovCaixa, t_.SessaoCx, t_.Quitacao, t_.TabelaDB }, dm_, log_, boxes_);
        p.inicio = agora();
        const cash::SaveResult r = salva.BitBtn5Click({ p.pedido, p.tipo, valorNoCampo(p.centavos), p.formaPag });
        p.fim = agora();
        if (r.outcome != cash::SaveOutcome::Saved)
            out_ << "FAIL: save of " << p.linha() << " ended with outcome " << int(r.outcome) << '\n';
        return p;
    }

    QTextStream& out_;
    SystemClock clock_;
    app::AppState state_;
    app::ActivityLog log_ { state_, clock_ };
    test::ScriptedMessageBoxes boxes_;
    orderdb::TDM dm_;
    data::CashTables t_;
    int sessao_ = 0;
};

struct Linha {
    QString npedido, sinalQuitacao, entradaSaida;
    qint64 centavos;
    bool operator<(const Linha& o) const
    {
        return std::tie(npedido, sinalQuitacao, entradaSaida, centavos)
            < std::tie(o.npedido, o.sinalQuitacao, o.entradaSaida, o.centavos);
    }
    bool operator==(const Linha& o) const = default;
};

QList<Linha> linhas(const QString& sql, bool comDirecao)
{
    data::Query q(QStringLiteral("QORFDADOS"));
    q.setSql(sql);
    q.open();
    QList<Linha> todas;
    for (q.first(); !q.eof(); q.next()) {
        Linha l;
        l.npedido = q.asString(QStringLiteral("NPedido"));
        l.sinalQuitacao = q.asString(QStringLiteral("SinalQuitacao"));
        l.entradaSaida = comDirecao ? q.asString(QStringLiteral("EntradaSaida")) : QString();
        l.centavos = centavosDe(q.value(QStringLiteral("Valor")).toDouble());
        todas << l;
    }
    q.close();
    std::sort(todas.begin(), todas.end());
    return todas;
}

double escalar(const QString& sql)
{
    data::Query q(QStringLiteral("QORFDADOS"));
    q.setSql(sql);
    q.open();
    const double v = q.eof() ? 0.0 : q.value(QStringLiteral("v")).toDouble();
    q.close();
    return v;
}

void confere(QTextStream& out, bool ok, const QString& nome, const QString& detalhe = {})
{
    out << (ok ? "ok: " : "FAIL: ") << nome << (ok || detalhe.isEmpty() ? QString() : QStringLiteral(": ") + detalhe)
        << '\n';
}

// What the station's own files must hold once its session is closed.
void confereCaixa(QTextStream& out, int sessao, const QList<Pagamento>& feitos)
{
    QList<Linha> esperadas, quitacoes;
    for (const Pagamento& p : feitos) {
        const bool entrada = p.venda() || p.tipo == u"Ressuprimento";
        esperadas << Linha { p.pedido, p.venda() ? p.tipo : p.pedido, entrada ? "Entrada" : "Saida", p.centavos };
        if (p.venda())
            quitacoes << Linha { p.pedido.mid(3), p.tipo.left(1), {}, p.centavos };
    }
    std::sort(esperadas.begin(), esperadas.end());
    std::sort(quitacoes.begin(), quitacoes.end());
    const QString daSessao = QStringLiteral(" from MovCaixa where NumSessao = %1").arg(sessao);
    confere(out, linhas("select NPedido, SinalQuitacao, Valor, EntradaSaida" + daSessao, 4) == esperadas,
        QStringLiteral("every movement is in MovCaixa, once"));
    confere(out, linhas("select NPedido, SinalQuitacao, Valor from Quitacao", false) == quitacoes,
        QStringLiteral("every payment is in Quitacao, once"));
    const QString sessaoCx = QStringLiteral(" from SessaoCx where NumSessao = %1").arg(sessao);
    const qint64 entradas = centavosDe(escalar("select sum(Valor) as v" + daSessao + " and EntradaSaida = 'Entrada'"));
    const qint64 saidas = centavosDe(escalar("select sum(Valor) as v" + daSessao + " and EntradaSaida = 'Saida'"));
    confere(out,
        centavosDe(escalar("select TotalEntradas as v" + sessaoCx)) == entradas
            && centavosDe(escalar("select TotalSaidas as v" + sessaoCx)) == saidas,
        QStringLiteral("session totals equal the sum of its movements"),
        QStringLiteral("movements %1/%2").arg(entradas).arg(saidas));
    confere(
        out, escalar("select count(*) as v from MovEmEntrada") == 0, QStringLiteral("no movement left under entry"));
    QStringList falhas;
    data::Query pendentes(QStringLiteral("QORFDADOS"));
    pendentes.setSql(QStringLiteral("select NPedido, UltimaFalha from PagamentoPendente"));
    pendentes.open();
    for (pendentes.first(); !pendentes.eof(); pendentes.next())
        falhas << pendentes.asString(QStringLiteral("NPedido")) + QStringLiteral(": ")
                      + pendentes.asString(QStringLiteral("UltimaFalha"));
    pendentes.close();
    confere(out, falhas.isEmpty(), QStringLiteral("no order write-back due"), falhas.join(QStringLiteral(" | ")));
}

void imprimeLatencias(QTextStream& out, int estacao, QList<Pagamento> feitos, qint64 inicio, qint64 fim)
{
    QList<double> ms;
    for (const Pagamento& p : feitos)
        ms << double(p.fim - p.inicio) / 1e6;
    std::sort(ms.begin(), ms.end());
    const auto pct = [&](double q) {
        return ms.isEmpty() ? 0.0 : ms.at(std::min<qsizetype>(ms.size() - 1, qsizetype(q * ms.size())));
    };
    out << QStringLiteral("station %1: %2 payments in %3 s, %4 payments/s, save latency p50 %5 ms, p99 %6 ms\n")
               .arg(estacao)
               .arg(feitos.size())
               .arg(double(fim - inicio) / 1e9, 0, 'f', 2)
               .arg(feitos.size() / (double(fim - inicio) / 1e9), 0, 'f', 1)
               .arg(pct(0.50), 0, 'f', 1)
               .arg(pct(0.99), 0, 'f', 1);
}

} // namespace

int rodaEstacao(const OpcoesDaEstacao& o, QTextStream& out)
{
    Caixa caixa(o.database, out);
    caixa.abre();
    QFile registro(o.registro);
    if (!registro.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("cannot write " + o.registro.toStdString());

    // Every (order, kind) pair once at most, in this station's own order:
    // the orders are the same for every station.
    QList<int> pares(o.pedidos * 2);
    std::iota(pares.begin(), pares.end(), 0);
    QRandomGenerator aleatorio(quint32(o.estacao) * 7919U + 1U);
    std::shuffle(pares.begin(), pares.end(), aleatorio);
    const QStringList formas { QStringLiteral("Dinheiro"), QStringLiteral("Cartão"), QStringLiteral("Débito") };

    QList<Pagamento> feitos;
    const qint64 inicio = agora();
    for (int i = 0; i < o.pagamentos; ++i) {
        // A unique amount per payment (station, sequence), read back to the cent.
        const qint64 centavos = 100 + qint64(o.estacao) * o.pagamentos + i;
        Pagamento p;
        if (i % 20 == 7) {
            p = caixa.saida(cash::TipoMovimento::Sangria, centavos);
        } else if (i % 20 == 15) {
            p = caixa.saida(cash::TipoMovimento::Ressuprimento, centavos);
        } else {
            const int par = pares.at(i % pares.size());
            const QString pedido
                = QStringLiteral("%1.%2").arg(o.estacaoDosPedidos).arg(par / 2 + 1, 6, 10, QLatin1Char('0'));
            const QString forma = QStringLiteral("%1 %2-%3").arg(formas.at(i % formas.size())).arg(o.estacao).arg(i);
            p = caixa.venda(pedido, par % 2 == 0, centavos, forma);
        }
        feitos << p;
        registro.write((p.linha() + QLatin1Char('\n')).toUtf8());
        registro.flush();
    }
    const qint64 fim = agora();
    caixa.fecha();
    registro.close();

    imprimeLatencias(out, o.estacao, feitos, inicio, fim);
    confereCaixa(out, caixa.sessao(), feitos);
    const QStringList mensagens = caixa.mensagens();
    confere(out, mensagens.isEmpty(), QStringLiteral("no message box shown"), mensagens.join(QStringLiteral(" | ")));
    return 0;
}

} // namespace qor::load
