#pragma once

#include <QDate>
#include <QString>

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

inline const QString kRelatorioConciliacao = QStringLiteral("rpt_Conciliacao");

// Situations of a payment the order does not show.
inline const QString kSemPedido = QStringLiteral("Pedido não encontrado no servidor");
inline const QString kEscritaPendente = QStringLiteral("Escrita no pedido pendente");
inline const QString kQuitacaoSemData = QStringLiteral("Quitação sem data de pagamento no pedido");
inline const QString kSinalDiferente = QStringLiteral("Sinal diferente do pedido");

// Fills rvdsConciliacao: every sale payment of the till (a sale movement of
// MovCaixa whose entry finished) dated in [inicio, fim], then every due write-back (PagamentoPendente) of another
// date, each next to its order as the server holds it now, with the
// situation when the order does not show the payment and the amount then
// flagged. Binds the period into the heading. An order server that cannot
// be reached raises ServerUnreachable with a message saying no report was
// made; the dataset is then left empty.
void montaConciliacao(orderdb::TDM& DM, const QDate& inicio, const QDate& fim);

} // namespace qor::reports
