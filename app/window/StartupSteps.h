#pragma once

namespace qor::data {
class DataSet;
}

namespace qor::app {

class TForm1;

// The main window's start-up steps, run once at its first showing, in
// order. Steps 1-3 are the window's hooks (site configuration, diagnostics
// switch, exchange-file retention). Each table is opened for its step and
// closed at the step's end. An error ends the sequence at that step.
class StartupSteps {
public:
    explicit StartupSteps(TForm1& form) : form_(form) {}
    void run();

private:
    void ponteiroDaSessao();   // 4: CaixaCor gets its one row
    void operadores();         // 5: TabCaixa -> DBComboBox1
    void lojas();              // 6: TabLab -> DBLaboratorio, DBLab
    void formasDePagamento();  // 7: FormaPag -> DBComboBox4
    void sessaoAberta();       // 8: the last SessaoCx row decides CaixaAberto
    void contadores();         // 9: CTCaixa gets its one row
    void lojaPadrao();         // 10: Parsist.Op86 -> LojaPadrao
    void marcaDeHistorico();   // 11
    void higieneDaQuitacao();  // 12: Quitacao keeps the last 7 days
    void fundo();              // 13: img1 fills the client area

    TForm1& form_;
};

} // namespace qor::app
