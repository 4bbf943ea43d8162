#pragma once

namespace qor::app {
class TForm1;
}
namespace qor::orderdb {
class CachedRowSet;
class SqlCommand;
} // namespace qor::orderdb

namespace qor::cash {

class PainelMovCaixa;

// Puts the movement panel in the main window in place of its stand-in,
// binds act_Venda, act_Sangria, act_Ressuprimento and "Limpar Tabelas" to
// it and gives its Enter-rule fields to the window's keyboard preview.
// Done before the window is first shown: the start-up fills the panel's
// payment-form and store lists.
PainelMovCaixa& instalaMovimento(app::TForm1& form, orderdb::SqlCommand& SQLDS_Pedidos,
                                 orderdb::CachedRowSet& PEDIDOS);

} // namespace qor::cash
