#include "admin/ui/PainelOperadores.h"

#include "app/widgets/DBGrid.h"
#include "app/widgets/DBNavigator.h"
#include "app/widgets/RunHandler.h"
#include "app/window/TForm1.h"
#include "cash/session/AparenciaDePainel.h"
#include "data/local/CashTables.h"

#include <QHeaderView>
#include <QPushButton>

namespace qor::admin {

using widgets::DBNavigator;

PainelOperadores::PainelOperadores(app::TForm1& form)
    : Painel(QStringLiteral("PainelOperadores"), QStringLiteral("Operadores de Caixa")), form_(form)
{
    cash::tituloDePainel(this, titulo(), QPoint(13, 7), QColor(Qt::darkRed));
    widgets::DataSource* ds = &form_.DSTabCaixa();

    using B = DBNavigator::Button;
    dbnvgr1 = new DBNavigator(QStringLiteral("dbnvgr1"),
                              {B::Prior, B::Next, B::Insert, B::Delete, B::Edit, B::Post, B::Cancel}, this);
    dbnvgr1->setGeometry(13, 36, 7 * 34, 28);
    dbnvgr1->bind(ds);

    DBGrid1 = new widgets::DBGrid(QStringLiteral("DBGrid1"), this);
    DBGrid1->setGeometry(13, 68, 320, 222);
    DBGrid1->addColumn(QStringLiteral("Caixa"), QStringLiteral("Caixa"));
    DBGrid1->setDataReadOnly(false);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->bind(ds);

    auto* voltar = cash::botaoDePainel(this, QStringLiteral("Voltar"), QStringLiteral("Voltar"), QRect(13, 298, 120, 30),
                                       QColor(Qt::darkBlue));
    app::connectHandler(voltar, &QPushButton::clicked, this, form_.ctx().boxes, [this] { VoltarClick(); });
    QWidget::setTabOrder(DBGrid1, voltar);
}

QWidget* PainelOperadores::primeiroCampo() const { return DBGrid1; }

void PainelOperadores::act_OperadoresExecute()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    mostraNaAreaCliente();
    data::Table& TabCaixa = form_.ctx().tables.TabCaixa;
    TabCaixa.open();
    if (TabCaixa.isEmpty()) {
        TabCaixa.append();
    } else {
        TabCaixa.first();
        TabCaixa.edit();
    }
    focaPrimeiroCampo();
}

void PainelOperadores::VoltarClick()
{
    try {
        form_.DSTabCaixa().post();
    } catch (...) {
        // A refused name (say, a repeated one) is dropped without a word.
    }
    form_.ctx().tables.TabCaixa.close();
    esconde();
}

} // namespace qor::admin
