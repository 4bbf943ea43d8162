#pragma once

#include "data/local/Table.h"

#include <QString>

namespace qor::cash {

// Payment-form sums of a session, one slot per form of the closing panel.
enum class FormaTotal { Dinheiro, Debito, Cheque, ChequePre, Cartao, DepConta, Vale, Boleto };

// The form slot a FormaPag name counts in, or none: by its first three
// letters upper-cased (a-z only), "CHE" split by the name's length.
bool formaTotalDe(const QString& formaPag, FormaTotal* out);

// Adds up the movements of the last SessaoCx row per direction and payment
// form and stores the sums and balances in that row; records the session in
// CaixaCor. Movements count in the table's order, each amount added as a
// float in turn, nothing rounded. Leaves SessaoCx open on that row and
// MovCaixa closed and unfiltered. Table errors are raised; what was posted
// before stays.
void TotalizaSessao(data::Table& SessaoCx, data::Table& MovCaixa, data::Table& CaixaCor);

} // namespace qor::cash
