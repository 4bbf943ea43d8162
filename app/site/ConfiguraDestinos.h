#pragma once

#include "app/state/AppState.h"
#include "data/local/CashTables.h"

namespace qor::app {

// Start-up: the workstation's role and its exchange destinations.
// Not the server (Parlocal.Serv_Est, upper-cased, other than "SERVIDOR"): one
// destination, the plain send folder "C:\Quelvora\Envia". The server: Destinos
// rebuilt from Estacoes (primary index on Estacao added once, IP and Porta
// left empty), a send folder EnviaXX and a receive folder RecebeXX per
// station, and ListaDestinos/QdeDestinos listing the first 50 stations.
// A station code that is not plain letters and digits would name a folder
// outside the suite: it keeps its Destinos row but gets neither folders nor
// a destination entry. Folder errors are ignored; table errors propagate.
void ConfiguraDestinos(data::CashTables& tables, AppState& state);

} // namespace qor::app
