#pragma once

#include "app/state/AppState.h"
#include "data/base/Clock.h"

#include <QString>

namespace qor::orderdb {
class TDM;
}

namespace qor::app {

// What the workstation lookup found for the identified operator.
struct EstacaoDoOperador {
    QString datbasnam; // the workstation's data area; "" when none was found
    QString mensagem;  // the explanation to show when no workstation matched
    QString legenda;   // the main window's caption when one matched
};

// The workstation of NomeOperador in ESTACOES (through DM.Estacoes, the
// name passed as a bound value). Empties CodigoEstacao first; when the
// first row returned belongs to the operator, sets CodigoEstacao to its
// first two characters and marks the row in use (EMUSO "S", ATCAIXA the last
// activity) in the data module's copy only: the row set is closed without
// applying it, as nothing reads the mark. Database errors propagate.
EstacaoDoOperador LocalizaEstacao(orderdb::TDM& dm, AppState& state, const Clock& clock);

// The long explanation shown when no workstation matched `nome`.
QString mensagemSemEstacao(const QString& nome);

} // namespace qor::app
