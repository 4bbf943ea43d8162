#pragma once

#include "app/window/Painel.h"

class QPushButton;

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::cash {

// The closing panel and its command: "&Fechar Caixa" brings the open
// session's totals up to date and shows them; "Fechar Caixa" stamps the
// closing date and time, marks the till closed and offers the closing
// report; "Cancelar" leaves the session open.
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

private:
    void criaControles();

    app::TForm1& form_;
    reports::ReportRunner& relatorios_;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BotFechaCaixa = nullptr;
};

} // namespace qor::cash
