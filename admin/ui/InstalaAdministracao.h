#pragma once

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::admin {

// Puts the session browser and the operators list into the main window in
// the place of their placeholders and binds act_Sessoes_relatorios and
// act_Operadores to their commands. The deletion cascade is attached to the
// session table separately (ligaSessaoCxBeforeDelete), as it holds for every
// command that deletes a session.
void instalaAdministracao(app::TForm1& form, reports::ReportRunner& relatorios);

} // namespace qor::admin
