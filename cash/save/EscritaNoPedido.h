#pragma once

#include "cash/save/PagamentoPendente.h"

#include <QString>

#include <functional>

namespace qor::orderdb {
class TDM;
class CachedRowSet;
} // namespace qor::orderdb

namespace qor::cash {

// Fetches the order afresh into the data module's order dataset: every
// column, any order type, station and number as bound values. Raises when
// the server can't be reached or refuses the statement, InvalidValue for an
// order number that is no number.
void buscaPedido(orderdb::TDM& dm, const QString& estacao, const QString& npedido);

// The written columns of the fetched order (existe false when none came back).
EstadoDoPedido estadoDoPedido(const orderdb::CachedRowSet& PEDIDOS);
// What the fetched order would hold once the payment is written onto it.
EstadoDoPedido estadoComPagamento(const orderdb::CachedRowSet& PEDIDOS, const PagamentoPendente& p);

// Writes the payment into the fetched order row and sends it: a deposit sets
// SINAL, VALORRESTANTE (PRECOFINAL minus SINAL) and, when that is exactly 0,
// DATAPAGAMENTO; a settlement sets DATAPAGAMENTO; both set FORMAPAGAMENTO.
// Only the changed columns go to the server, keyed by ESTACAO and NPEDIDO.
void gravaNoPedido(orderdb::CachedRowSet& PEDIDOS, const PagamentoPendente& p);

// The activity-log line after the order took the payment, or could not.
QString linhaDeRegistroNoPedido(const PagamentoPendente& p);
QString linhaDeFalhaNoPedido(const PagamentoPendente& p);

inline const QString kFalhaPedidoNaoEncontrado = QStringLiteral("Pedido não encontrado no servidor.");
inline const QString kFalhaPedidoAlterado =
    QStringLiteral("O pedido foi alterado por outra estação depois deste pagamento; confira-o no pedido.");

// Tries every due write-back once, each with its order fetched afresh. The
// payment is written only while the order still holds what it held when the
// payment was registered (an order that was missing then: while it shows
// no deposit and no payment date); an order that already holds it closes
// the due record. Every try leaves log lines; what can't be written stays
// due with its failure noted. Once the server is found out of reach, the
// rest are not tried this time: they stay due as they were. Returns how
// many stay due.
int regravaPendentes(orderdb::TDM& dm, const std::function<void(const QString&)>& GravaLog);

} // namespace qor::cash
