#include "cash/session/InstalaPaineisDeSessao.h"

#include "app/window/TForm1.h"
#include "cash/session/PainelAbrirCaixa.h"
#include "cash/session/PainelContagem.h"
#include "cash/session/PainelFecharCaixa.h"
#include "cash/session/ParcialDoCaixa.h"

namespace qor::cash {

void instalaPaineisDeSessao(app::TForm1& form, reports::ReportRunner& relatorios)
{
    auto* abrir = new PainelAbrirCaixa(form);
    auto* fechar = new PainelFecharCaixa(form, relatorios);
    auto* contagem = new PainelContagem(form, [fechar](const QList<double>& contados) { fechar->mostraComContagem(contados); });
    fechar->usaContagem(contagem);
    form.installPanel(abrir);
    form.installPanel(fechar);
    form.installPanel(contagem);
    form.setHandler(QStringLiteral("FechamentodeCaixa1"), [abrir] { abrir->FechamentodeCaixa1Click(); });
    form.setHandler(QStringLiteral("FecharCaixa1"), [fechar] { fechar->FecharCaixa1Click(); });
    form.setHandler(QStringLiteral("ParcialdoCaixa1"), [&form, &relatorios] { parcialDoCaixa(form, relatorios); });
}

} // namespace qor::cash
