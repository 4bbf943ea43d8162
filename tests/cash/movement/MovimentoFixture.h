#pragma once

#include "cash/movement/ui/PainelMovCaixa.h"
#include "data/orderdb/TDM.h"
#include "tests/app/fixture/FormFixture.h"
#include "tests/data/orderdb/TempOrderDb.h"

#include <QStringList>

#include <memory>

namespace qor::test {

// The main window with the movement panel installed, an open session (7,
// operator MARIA), the payment forms Dinheiro, Cheque and Cartão, the stores
// LOJA1 and LOJA2 with LOJA1 as the default store. The panel's log lines,
// beeps, program ends and saves are recorded. The order database is only
// there after comOrdens().
//
//   MovimentoFixture m;
//   m.comOrdens();   // the demo orders (01.1001 ... 01.1007)
//   m.start();       // shown and identified
//   m.trigger("act_Venda");
struct MovimentoFixture {
    explicit MovimentoFixture(bool caixaAberto = true);
    ~MovimentoFixture();

    FormFixture f;
    orderdb::TDM dm;
    std::unique_ptr<TempOrderDb> ordens;
    cash::PainelMovCaixa* painel = nullptr;
    QStringList log;
    int beeps = 0;
    QList<int> encerramentos;
    QList<cash::PanelTexts> salvos;

    void comOrdens();
    // Shows the window and identifies, so the actions pass the gate.
    void start();
    void trigger(const QString& command) { f.trigger(command); }

    template <typename W = QWidget>
    W* find(const QString& name) const
    {
        return f.find<W>(name);
    }
    // Gives a control the focus, as a click would.
    void foca(const QString& name);
    // Selects the whole text of a line edit (or a drop-down's editor) and types `text`.
    void digita(const QString& name, const QString& text);
    void enter(const QString& name);
    QWidget* focado() const;
    // The current movement row (the panel's, while it edits one).
    data::Table& mov() { return f.tables.MovCaixa; }
};

} // namespace qor::test
