#include "admin/ui/InstalaAdministracao.h"

#include "admin/ui/PainelOperadores.h"
#include "admin/ui/PainelSessoes.h"
#include "app/window/TForm1.h"

namespace qor::admin {

void instalaAdministracao(app::TForm1& form, reports::ReportRunner& relatorios)
{
    auto* sessoes = new PainelSessoes(form, relatorios);
    auto* operadores = new PainelOperadores(form);
    form.installPanel(sessoes);
    form.installPanel(operadores);
    form.setHandler(QStringLiteral("act_Sessoes_relatorios"), [sessoes] { sessoes->act_Sessoes_relatoriosExecute(); });
    form.setHandler(QStringLiteral("act_Operadores"), [operadores] { operadores->act_OperadoresExecute(); });
}

} // namespace qor::admin
