#pragma once

#include "data/orderdb/TDM.h"
#include "reports/engine/ReportModule.h"
#include "reports/engine/ReportOutput.h"
#include "reports/module/RelatoriosDoRM.h"
#include "tests/app/fixture/FormFixture.h"
#include "tests/support/Rows.h"

namespace qor::test {

// One movement row to seed; each needs its own order reference (the
// activation steps purge rows without one, and the pair with SinalQuitacao
// is unique).
struct Mov {
    Mov(int sessao, QDate data, QString pedido, double valor, QString tipo = QStringLiteral("Venda"),
        QString formaPag = QStringLiteral("Dinheiro"), QString loja = QStringLiteral("CENTRO"),
        QString entradaSaida = QString())
        : sessao(sessao)
        , data(data)
        , pedido(std::move(pedido))
        , valor(valor)
        , tipo(std::move(tipo))
        , formaPag(std::move(formaPag))
        , loja(std::move(loja))
        , entradaSaida(std::move(entradaSaida))
    {
    }
    int sessao;
    QDate data;
    QString pedido;
    double valor;
    QString tipo;
    QString formaPag;
    QString loja;
    QString entradaSaida; // "" = by type: Saida for Sangria, else Entrada
};
void insereMovimentos(const QList<Mov>& movimentos);
// A session row; closed on `fechada` unless that is null.
void insereSessao(
    int numero, const QDate& abertura, const QDate& fechada, const QString& operador = "MARIA", double troco = 50.0);

// The main window with the session browser, its report panel, the period
// panel, DM's report queries and RM, every report recorded instead of
// previewed. The report project is installed into the suite root unless
// `semProjeto`. Seed, start(), identify(), then drive the window.
class RelatoriosFixture : public FormFixture {
public:
    explicit RelatoriosFixture(bool semProjeto = false);

    orderdb::TDM DM;
    reports::TRM RM { clock };
    reports::RecordingOutput saida;
    reports::RelatoriosDoRM relatorios { DM, RM };

    void instalaProjeto(const QByteArray& xml) const { suite.writeFile(QStringLiteral("rpt/rptCaixa.rav"), xml); }

    // Started, identified, the browser open on `sessao` (the grid's row of
    // that number) and the report panel shown.
    void abreRelatorios(int sessao = 0);
    // A mouse click on a visible button.
    void click(const QString& botao);
    // Keys typed into a field that gets the focus first.
    void digita(const QString& campo, const QString& texto);
    // A period report run through the period panel: its command, the dates
    // typed, the store list's text, "Montar Relatório".
    void relatorioDoPeriodo(
        const QString& botao, const QString& inicio, const QString& fim, const QString& loja = QString());

    QString ultimoTexto() const { return saida.documents.isEmpty() ? QString() : saida.documents.last().text(); }
};

} // namespace qor::test
