#pragma once

#include "app/state/AppState.h"

namespace qor::app {

// Start-up: binds ArquivoDiagnostico to "Diagnost.txt" in the suite root and
// sets DiagnosticoAtivo when the marker "Diag.txt" exists there (its content
// is never read). The switch holds for the whole run.
void ConfiguraDiagnostico(AppState& state);

// After a saved movement: recreates the diagnostic file with its two lines,
// when the switch is on; otherwise does nothing. Raises IoError on failure.
void GravaDiagnostico(const AppState& state);

} // namespace qor::app
