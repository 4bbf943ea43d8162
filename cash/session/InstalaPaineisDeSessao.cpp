#include "cash/session/InstalaPaineisDeSessao.h"

#include "app/window/TForm1.h"
#include "cash/session/PainelAbrirCaixa.h"
#include "cash/session/PainelFecharCaixa.h"

namespace qor::cash {

void instalaPaineisDeSessao(app::TForm1& form, reports::ReportRunner& relatorios)
{
    auto* abrir = new PainelAbrirCaixa(form);
    auto* fechar = new PainelFecharCaixa(form, relatorios);
    form.installPanel(abrir);
    form.installPanel(fechar);
    form.setHandler(QStringLiteral("FechamentodeCaixa1"), [abrir] { abrir->FechamentodeCaixa1Click(); });
    form.setHandler(QStringLiteral("FecharCaixa1"), [fechar] { fechar->FecharCaixa1Click(); });
}

} // namespace qor::cash
