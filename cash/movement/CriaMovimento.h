#pragma once

#include "cash/movement/Movimento.h"

#include <QDateTime>
#include <QString>

namespace qor::data {
class CashTables;
}

namespace qor::cash {

// What opening the movement panel stores: a new MovCaixa row with its
// defaults (the last session's number, `inicio`, a sale's `lojaPadrao`, a
// withdrawal's or replenishment's next number) and its entry mark, in one
// unit of work; then the counter of a withdrawal or replenishment advances.
// Leaves SessaoCx on its last row, MovCaixa editing the new row, Quitacao
// open for a sale. CTCaixa must be open for a withdrawal or replenishment;
// it is closed on return. When the row can't be stored, every table is
// closed, nothing stays, and the error is raised.
void criaMovimento(data::CashTables& t, TipoMovimento tipo, const QDateTime& inicio, const QString& lojaPadrao);

} // namespace qor::cash
