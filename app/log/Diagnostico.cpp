#include "app/log/Diagnostico.h"

#include "data/base/SuitePaths.h"
#include "data/base/Text.h"

#include <QFileInfo>

namespace qor::app {

void ConfiguraDiagnostico(AppState& state)
{
    state.ArquivoDiagnostico = SuitePaths::file(QStringLiteral("Diagnost.txt"));
    state.DiagnosticoAtivo = QFileInfo::exists(SuitePaths::file(QStringLiteral("Diag.txt")));
}

void GravaDiagnostico(const AppState& state)
{
    if (!state.DiagnosticoAtivo)
        return;
    text::writeLines(state.ArquivoDiagnostico,
        {QStringLiteral("LOG DO ULTIMO REGISTRO DO CAIXA"), QStringLiteral(" ")});
}

} // namespace qor::app
