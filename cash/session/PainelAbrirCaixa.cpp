#include "cash/session/PainelAbrirCaixa.h"

#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "app/widgets/DBComboBox.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/DataSource.h"
#include "app/widgets/RunHandler.h"
#include "app/window/Captions.h"
#include "app/window/TForm1.h"
#include "cash/session/AparenciaDePainel.h"
#include "cash/session/GravaOuDesiste.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace qor::cash {

using widgets::DBComboBox;
using widgets::DBEdit;

PainelAbrirCaixa::PainelAbrirCaixa(app::TForm1& form)
    : Painel(QStringLiteral("PainelAbrirCaixa"), QStringLiteral("Abertura de Caixa")), form_(form)
{
    criaControles();
    form_.keyPreview().addEnterField(DBComboBox1->objectName());
    form_.keyPreview().addEnterField(DBEdit2->objectName());
}

void PainelAbrirCaixa::criaControles()
{
    tituloDePainel(this, titulo(), QPoint(13, 7));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(13, 32, 553, 73);

    // Bold captions over their fields.
    auto rotulo = [this](const QString& text, int left) {
        auto* l = new QLabel(text, this);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->adjustSize();
        l->move(left, 43);
    };
    rotulo(QStringLiteral("Sessão"), 25);
    rotulo(QStringLiteral("Operador"), 114);
    rotulo(QStringLiteral("Troco inicial R$"), 426);

    QFont grande = font();
    grande.setPixelSize(21);
    widgets::DataSource* ds = &form_.DSSessaoCx();

    DBEdit1 = new DBEdit(QStringLiteral("DBEdit1"), this);
    DBEdit1->setFont(grande);
    DBEdit1->setGeometry(26, 61, 81, 31);
    DBEdit1->setDataReadOnly(true);
    DBEdit1->setTabStop(false);
    DBEdit1->bind(ds, QStringLiteral("NumSessao"));

    DBComboBox1 = new DBComboBox(QStringLiteral("DBComboBox1"), DBComboBox::Style::Editable, this);
    DBComboBox1->setFont(grande);
    DBComboBox1->setGeometry(114, 61, 307, 31);
    DBComboBox1->bind(ds, QStringLiteral("Operador"));

    DBEdit2 = new DBEdit(QStringLiteral("DBEdit2"), this);
    DBEdit2->setFont(grande);
    DBEdit2->setGeometry(426, 61, 121, 31);
    DBEdit2->setDisplayFormat(QStringLiteral("R$ ###,##0.00"));
    DBEdit2->bind(ds, QStringLiteral("Troco"));

    BitBtn1 = botaoDePainel(this, QStringLiteral("BitBtn1"), QStringLiteral("Cancelar"), QRect(12, 114, 274, 35), Qt::red);
    BitBtn2 = botaoDePainel(this, QStringLiteral("BitBtn2"), QStringLiteral("Abrir Caixa"), QRect(292, 114, 274, 35),
                            QColor(Qt::darkBlue));
    app::MessageBoxes& boxes = form_.ctx().boxes;
    app::connectHandler(BitBtn2, &QPushButton::clicked, this, boxes, [this] { BitBtn2Click(); });
    app::connectHandler(BitBtn1, &QPushButton::clicked, this, boxes, [this] { BitBtn1Click(); });

    QWidget::setTabOrder(DBEdit1, DBComboBox1);
    QWidget::setTabOrder(DBComboBox1, DBEdit2);
    QWidget::setTabOrder(DBEdit2, BitBtn2);
    QWidget::setTabOrder(BitBtn2, BitBtn1);
}

QWidget* PainelAbrirCaixa::primeiroCampo() const { return DBComboBox1; }

void PainelAbrirCaixa::FechamentodeCaixa1Click()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    app::AppContext& ctx = form_.ctx();
    if (ctx.state.CaixaAberto) {
        ctx.boxes.message(kMsgCaixaAberto);
        return;
    }
    data::Table& SessaoCx = ctx.tables.SessaoCx;
    SessaoCx.open();
    int numero = 1;
    if (!SessaoCx.isEmpty()) {
        SessaoCx.last();
        numero = SessaoCx.asInteger(QStringLiteral("NumSessao")) + 1;
    }
    // Stored before the operator types anything: from here on the till has
    // an open session, also if the program ends with the panel showing.
    SessaoCx.append();
    SessaoCx.setValue(QStringLiteral("NumSessao"), numero);
    SessaoCx.setValue(QStringLiteral("DataAbertura"), ctx.clock.today());
    SessaoCx.setValue(QStringLiteral("HoraAbertura"), ctx.clock.timeOfDay());
    SessaoCx.setValue(QStringLiteral("Operador"), ctx.state.NomeOperador());
    gravaOuDesiste(SessaoCx);
    SessaoCx.edit();
    mostraNaAreaCliente();
    focaPrimeiroCampo();
}

void PainelAbrirCaixa::BitBtn2Click()
{
    app::AppContext& ctx = form_.ctx();
    data::Table& SessaoCx = ctx.tables.SessaoCx;
    try {
        form_.DSSessaoCx().post();
    } catch (...) {
        // The till opens all the same, on the row as it was stored; a
        // refused change is dropped rather than posted by whoever moves next.
        SessaoCx.cancel();
    }
    esconde();
    ctx.state.CaixaAberto = true;
    ctx.state.setNomeOperador(SessaoCx.asString(QStringLiteral("Operador")));
    form_.setWindowTitle(app::captionCaixaAberto(ctx.state.NomeOperador()));
}

void PainelAbrirCaixa::BitBtn1Click()
{
    try {
        form_.ctx().tables.SessaoCx.remove();
    } catch (...) {
        // A row that could not be deleted stays; the panel closes regardless.
    }
    esconde();
}

} // namespace qor::cash
