#include "cash/session/ParcialDoCaixa.h"

#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "app/window/TForm1.h"
#include "cash/session/PainelFecharCaixa.h"
#include "cash/totals/TotalizaSessao.h"
#include "data/local/CashTables.h"
#include "reports/hook/ReportRunner.h"
#include "reports/queries/SessaoSql.h"

namespace qor::cash {

void parcialDoCaixa(app::TForm1& form, reports::ReportRunner& relatorios)
{
    if (form.FaltaIdentificacao() || form.PaineisAbertos())
        return;
    app::AppContext& ctx = form.ctx();
    if (!ctx.state.CaixaAberto) {
        ctx.boxes.message(PainelFecharCaixa::kMsgCaixaFechado);
        return;
    }
    TotalizaSessao(ctx.tables.SessaoCx, ctx.tables.MovCaixa, ctx.tables.CaixaCor);
    const QString numero = QString::number(ctx.tables.SessaoCx.asInteger(QStringLiteral("NumSessao")));
    data::Query& qrySessaoCX = relatorios.qrySessaoCX();
    qrySessaoCX.close();
    qrySessaoCX.clearSql();
    qrySessaoCX.addSql(reports::sqlSessaoCX(numero));
    relatorios.executa(kRelatorioParcial);
}

} // namespace qor::cash
