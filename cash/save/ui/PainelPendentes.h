#pragma once

#include "app/window/Painel.h"

#include <functional>

class QPushButton;
class QTableWidget;

namespace qor::app {
class TForm1;
}
namespace qor::orderdb {
class TDM;
}

namespace qor::cash {

// "Pagamentos pendentes no pedido" (menu "Utilitários"): the payments
// recorded in the till whose write onto the order is still due, one line
// each (order, kind, amount, date, last failure), with "Tentar novamente",
// which retries them all, and "Voltar".
class PainelPendentes final : public app::Painel {
    Q_OBJECT
public:
    static inline const QString kNome = QStringLiteral("PainelPendentes");
    static inline const QString kComando = QStringLiteral("PagamentosPendentes1");

    PainelPendentes(app::TForm1& form, orderdb::TDM& dm);

    // Filled by the composition root: the activity-log line writer.
    std::function<void(const QString&)> GravaLog;

    void PagamentosPendentesClick(); // the menu item: gate, guard, list shown
    void BtnTentarClick();
    void BtnVoltarClick();
    void atualizaLista();

    QWidget* primeiroCampo() const override;

private:
    app::TForm1& form_;
    orderdb::TDM& dm_;
    QTableWidget* lista_ = nullptr;
    QPushButton* tentar_ = nullptr;
    QPushButton* voltar_ = nullptr;
};

// Installs the panel in the main window and binds the menu item to it.
PainelPendentes& instalaPendentes(app::TForm1& form, orderdb::TDM& dm);

} // namespace qor::cash
