#pragma once

#include "data/local/Table.h"

namespace qor::admin {

// The cascade of the session table: SessaoCx, positioned on the row about to
// be deleted, takes that session's movements with it, row by row through
// the MovCaixa table filtered on the session. MovCaixa is left closed and
// unfiltered, also when a deletion fails. Errors are raised.
void SessaoCxBeforeDelete(data::Table& SessaoCx, data::Table& MovCaixa);

// Attaches the cascade to the session table object, so that every deletion
// of a session row, whichever command deletes it, runs it first.
void ligaSessaoCxBeforeDelete(data::Table& SessaoCx, data::Table& MovCaixa);

// Deletes the current session row with its movements as one unit: when any
// part fails, the movements and the row stay as they were and the error is
// raised.
void excluiSessao(data::Table& SessaoCx);

} // namespace qor::admin
