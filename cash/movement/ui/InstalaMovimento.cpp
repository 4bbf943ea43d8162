#include "cash/movement/ui/InstalaMovimento.h"

#include "app/window/TForm1.h"
#include "cash/movement/ui/PainelMovCaixa.h"

namespace qor::cash {

PainelMovCaixa& instalaMovimento(app::TForm1& form, orderdb::SqlCommand& SQLDS_Pedidos, orderdb::CachedRowSet& PEDIDOS)
{
    auto* painel = new PainelMovCaixa(form, SQLDS_Pedidos, PEDIDOS);
    form.installPanel(painel);
    form.setHandler(QStringLiteral("act_Venda"), [painel] { painel->act_VendaExecute(); });
    form.setHandler(QStringLiteral("act_Sangria"), [painel] { painel->act_SangriaExecute(); });
    form.setHandler(QStringLiteral("act_Ressuprimento"), [painel] { painel->act_RessuprimentoExecute(); });
    form.setHandler(QStringLiteral("OtimizarMovcaixa1"), [painel] { painel->OtimizarMovcaixa1Click(); });
    for (const char* campo : {"DBComboBox2", "DBEdit18", "DBEdit20", "DBLab"})
        form.keyPreview().addEnterField(QString::fromLatin1(campo));
    return *painel;
}

} // namespace qor::cash
