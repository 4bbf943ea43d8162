#pragma once

#include <QStringList>

namespace qor::data {
class Table;
}

namespace qor::cash {

// A movement row is stored when its panel opens and is under entry until the
// save finishes it or the cancel deletes it. Its mark, a row of MovEmEntrada
// (a table of this program's own) holding the MovCaixa rowid, is written and
// cleared in the same local unit of work as the row itself, so a crash or a
// closed window never leaves a counted movement whose entry did not finish.

// Marks MovCaixa's current (stored) row; clears the mark of it.
void marcaEmEntrada(const data::Table& MovCaixa);
void desmarcaEmEntrada(const data::Table& MovCaixa);

// At start-up: deletes every movement row still marked, with its mark, each
// in its own unit of work; finished movements are never touched. Returns one
// activity-log line per movement removed.
QStringList descartaMovimentosInacabados();

} // namespace qor::cash
