#pragma once

#include <QString>

#include <functional>

namespace qor::cash {

// The movement panel's fields as the operator sees them when he presses
// "OK - Salvar Movimento": what the save logs and reads its amounts and
// order reference from.
struct CamposDoPainel {
    // The order-number field: "01.001234" for a sale ("  .      " while only
    // the empty mask shows), the number ("S_3", "R7") for a withdrawal or a
    // replenishment.
    QString pedido;
    QString sinalQuitacao; // the "Sinal / Quitação" box: "Sinal", "Quitação", or the number
    QString valor;         // the amount field, the Brazilian way ("90,00")
    QString formaPagto;    // the payment-form box
};

// The save behind "OK - Salvar Movimento": stores the movement, registers a
// sale's payment, exports, and closes the tables. The panel hides itself
// when it returns; an error it lets through leaves the panel open.
using SalvaMovimento = std::function<void(const CamposDoPainel&)>;

} // namespace qor::cash
