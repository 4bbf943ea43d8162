#pragma once

#include <QString>

namespace qor::data {
class Query;
class Table;
} // namespace qor::data

namespace qor::cash {

// Movement rows without an order reference are abandoned entries: while one
// is left, the next sale could not store its own row under "PedSiQui".
inline const QString kExcluiSemPedido = QStringLiteral("Delete from movcaixa where npedido is null");
inline const QString kExcluiSemValor = QStringLiteral("Delete from Movcaixa where valor is null");

inline const QString kTituloLimparTabelas = QStringLiteral("Atenção!");
inline const QString kPerguntaLimparTabelas =
    QStringLiteral("Todos os registros que estiverem com o valor em branco serão excluídos.\r"
                   "Confirma a exclusão desses registros?");

// When the focus leaves the movement panel: the purge through Query1, then
// MovCaixa opened, refreshed and closed (left alone while it is open).
void ExpurgaMovimentosSemPedido(data::Query& Query1, data::Table& MovCaixa);

// "Limpar Tabelas", confirmed: rows without any amount go (an amount of 0 stays).
void ExcluiMovimentosSemValor(data::Query& qry_Utilitarios);

} // namespace qor::cash
