#pragma once

#include "app/window/Painel.h"
#include "cash/totals/ConferenciaDeCaixa.h"

#include <QList>

#include <optional>

class QLabel;
class QLineEdit;
class QFrame;
class QPushButton;

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::cash {

class PainelContagem;

// The closing panel and its command: "&Fechar Caixa" brings the open
// session's totals up to date and shows them; "Fechar Caixa" stamps the
// closing date and time, marks the till closed and offers the closing
// report; "Cancelar" leaves the session open.
// With the site's blind count on, "&Fechar Caixa" shows the count panel
// first; the totals then come with the counted amounts and their
// differences, which "Fechar Caixa" stores (ConferenciaCx) in the same unit
// of work as the closing stamp.
class PainelFecharCaixa final : public app::Painel {
    Q_OBJECT
public:
    static inline const QString kMsgCaixaFechado = QStringLiteral("Caixa já está fechado.");
    static inline const QString kPerguntaImprimir =
        QStringLiteral("Deseja imprimir o relatório de fechamento de caixa agora?");
    static inline const QString kRelatorioResumo = QStringLiteral("rpt_resumo");

    PainelFecharCaixa(app::TForm1& form, reports::ReportRunner& relatorios);

    void FecharCaixa1Click();   // menu "&Fechar Caixa"
    void BitBtn3Click();        // "Cancelar"
    void BotFechaCaixaClick();  // "Fechar Caixa"

    QWidget* primeiroCampo() const override;

    void usaContagem(PainelContagem* contagem) { painelContagem_ = contagem; }
    // The totals shown with the amounts counted, one per payment form.
    void mostraComContagem(const QList<double>& contados);

private:
    void criaControles();
    void criaColunasDaContagem();
    void mostraTotais();
    void fechaSessao();
    QList<FormaConferida> conferencia() const; // the count against the totals shown

    app::TForm1& form_;
    reports::ReportRunner& relatorios_;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BotFechaCaixa = nullptr;
    QFrame* bevel_ = nullptr;
    QList<QWidget*> colunasDaContagem_;
    QList<QLineEdit*> contados_;
    QList<QLineEdit*> diferencas_;
    PainelContagem* painelContagem_ = nullptr;
    std::optional<QList<double>> contagem_;
};

} // namespace qor::cash
