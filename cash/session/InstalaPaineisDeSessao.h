#pragma once

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::cash {

// Puts PainelAbrirCaixa and PainelFecharCaixa into the main window in the
// place of their placeholders and binds "&Abrir Caixa" (FechamentodeCaixa1)
// and "&Fechar Caixa" (FecharCaixa1) to their commands, with the count
// panel of the blind count and "Parcial do Caixa" (ParcialdoCaixa1). Before the window
// is first shown: the start-up steps fill the operator choices.
void instalaPaineisDeSessao(app::TForm1& form, reports::ReportRunner& relatorios);

} // namespace qor::cash
