#include "reports/headless/RelatorioEmPdf.h"

#include "cash/totals/TotalizaSessao.h"
#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/local/CashTables.h"
#include "data/orderdb/TDM.h"
#include "reports/commands/PreparaRelatorios.h"
#include "reports/control/Conciliacao.h"
#include "reports/control/SinaisEmAberto.h"
#include "reports/engine/HeadlessReport.h"
#include "reports/engine/ReportModule.h"
#include "reports/module/RelatoriosDoRM.h"
#include "reports/queries/PeriodoSql.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <optional>

namespace qor::reports {

namespace {

const QString kUso = QStringLiteral("uso: qor_caixa --report <nome> --pdf <arquivo> "
                                    "[--session N | --from dd/mm/aaaa --to dd/mm/aaaa [--store LOJA] [--salvar-periodo]]");

struct Pedido {
    QString relatorio;
    QString pdf;
    std::optional<int> sessao;
    QDate inicio;
    QDate fim;
    QString loja;
    bool salvaPeriodo = false;
    bool conciliacao = false; // a period, no store, the period not saved
    const ComandoDeSessao* daSessao = nullptr;
    const TipoDePeriodo* doPeriodo = nullptr;
};

QDate dataDaLinha(const QString& text)
{
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}

// Reads the options; the text of what is wrong when they don't fit the report.
std::optional<Pedido> le(const QStringList& arguments, QString* erro)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption report(QStringLiteral("report"), QString(), QStringLiteral("nome"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("arquivo"));
    const QCommandLineOption session(QStringLiteral("session"), QString(), QStringLiteral("N"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("data"));
    const QCommandLineOption to(QStringLiteral("to"), QString(), QStringLiteral("data"));
    const QCommandLineOption store(QStringLiteral("store"), QString(), QStringLiteral("loja"));
    const QCommandLineOption salvaPeriodo(QStringLiteral("salvar-periodo"));
    parser.addOptions({ report, pdf, session, from, to, store, salvaPeriodo });
    if (!parser.parse(arguments)) {
        *erro = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *erro = QStringLiteral("argumento inesperado: ") + parser.positionalArguments().first();
        return std::nullopt;
    }
    Pedido p;
    p.relatorio = parser.value(report);
    p.pdf = parser.value(pdf);
    if (p.relatorio.isEmpty() || p.pdf.isEmpty()) {
        *erro = QStringLiteral("--report e --pdf são obrigatórios");
        return std::nullopt;
    }
    p.daSessao = comandoDoRelatorioDeSessao(p.relatorio);
    p.doPeriodo = tipoDoRelatorioDePeriodo(p.relatorio);
    p.conciliacao = p.relatorio == kRelatorioConciliacao;
    const bool temPeriodo = parser.isSet(from) || parser.isSet(to) || parser.isSet(store) || parser.isSet(salvaPeriodo);

    if (p.daSessao) {
        bool ok = false;
        const int n = parser.value(session).toInt(&ok);
        if (!parser.isSet(session) || !ok || temPeriodo) {
            *erro = p.relatorio + QStringLiteral(" é um relatório de sessão: informe --session N (e nada de período)");
            return std::nullopt;
        }
        p.sessao = n;
    } else if (p.doPeriodo || p.conciliacao) {
        p.inicio = dataDaLinha(parser.value(from));
        p.fim = dataDaLinha(parser.value(to));
        if (!p.inicio.isValid() || !p.fim.isValid() || parser.isSet(session)
            || (p.conciliacao && (parser.isSet(store) || parser.isSet(salvaPeriodo)))) {
            *erro = p.relatorio
                + QStringLiteral(
                    " é um relatório de período: informe --from e --to como dd/mm/aaaa (e nada de sessão)");
            return std::nullopt;
        }
        p.loja = parser.value(store);
        p.salvaPeriodo = parser.isSet(salvaPeriodo);
    } else if (parser.isSet(session) || temPeriodo) {
        *erro = p.relatorio
            + QStringLiteral(" não é um relatório de sessão nem de período: não leva --session, "
                             "--from, --to, --store ou --salvar-periodo");
        return std::nullopt;
    }
    return p;
}

// The period stored as the period panel stores it (the period panel then
// proposes it), asked for with --salvar-periodo.
void gravaPeriodo(data::Table& Periodo, const QDate& inicio, const QDate& fim)
{
    Periodo.open();
    Periodo.edit(); // starts a row when the table has none
    Periodo.setValue(QStringLiteral("DataInicial"), inicio);
    Periodo.setValue(QStringLiteral("DataFinal"), fim);
    Periodo.post();
    Periodo.close();
}

// The partial of the open session shows its totals as of now, as the menu
// command brings them up to date; a closed session keeps those of its closing.
void atualizaTotaisSeAberta(data::CashTables& tabelas, int sessao)
{
    data::Table& SessaoCx = tabelas.SessaoCx;
    SessaoCx.open();
    SessaoCx.last();
    const bool aberta = !SessaoCx.isEmpty() && SessaoCx.asInteger(QStringLiteral("NumSessao")) == sessao
        && SessaoCx.value(QStringLiteral("DataFechamento")).isNull();
    if (aberta)
        cash::TotalizaSessao(SessaoCx, tabelas.MovCaixa, tabelas.CaixaCor);
    SessaoCx.close();
}

} // namespace

int relatorioEmPdf(const QStringList& arguments, QTextStream& erros)
{
    QString erro;
    const std::optional<Pedido> pedido = le(arguments, &erro);
    if (!pedido) {
        erros << "qor_caixa --report: " << erro << '\n' << kUso << '\n';
        return 2;
    }
    try {
        data::CashTables tabelas;
        orderdb::TDM DM;
        SystemClock relogio;
        TRM RM(relogio);
        registraConexoes(RM, DM, tabelas.Periodo);

        if (pedido->daSessao) {
            if (pedido->daSessao->relatorio == RelatorioDeSessao::Parcial)
                atualizaTotaisSeAberta(tabelas, *pedido->sessao);
            preparaRelatorioDeSessao(DM, pedido->daSessao->relatorio, QString::number(*pedido->sessao));
        } else if (pedido->doPeriodo) {
            if (pedido->salvaPeriodo)
                gravaPeriodo(tabelas.Periodo, pedido->inicio, pedido->fim);
            montaRelatorioDoPeriodo(
                DM, pedido->doPeriodo->tipo, pedido->inicio, pedido->fim, filtroDeLoja(pedido->loja));
        } else if (pedido->conciliacao) {
            montaConciliacao(DM, pedido->inicio, pedido->fim);
        } else if (pedido->relatorio == kRelatorioSinaisEmAberto) {
            montaSinaisEmAberto(DM, relogio.today());
        }
        if (!renderReportToPdf(RM, pedido->relatorio, pedido->pdf)) {
            erros << QStringLiteral("qor_caixa --report: o projeto ") << RM.rvpj1.projectPath()
                  << QStringLiteral(" não tem o relatório ") << pedido->relatorio << '\n';
            return 1;
        }
    } catch (const Error& e) {
        erros << "qor_caixa --report: " << e.text() << '\n';
        return 1;
    } catch (const std::exception& e) {
        erros << "qor_caixa --report: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace qor::reports
