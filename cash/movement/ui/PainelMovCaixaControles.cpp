// The movement panel's controls and their layout per movement type.
#include "cash/movement/ui/PainelMovCaixa.h"

#include "app/widgets/AmountField.h"
#include "app/widgets/DBComboBox.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/DataSource.h"
#include "app/window/TForm1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qor::cash {

using widgets::DBComboBox;
using widgets::DBEdit;

namespace {

constexpr int kAlturaCampo = 24;

QLabel* rotulo(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->adjustSize();
    return l;
}

template <typename W>
W* medida(W* w, int x, int y, int width)
{
    w->setGeometry(x, y, width, kAlturaCampo);
    return w;
}

QPushButton* botao(QWidget* parent, const QString& name, const QString& text, const char* cor)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setStyleSheet(QStringLiteral("QPushButton { font-weight: bold; color: %1; } QPushButton:disabled { color: gray; }")
                         .arg(QLatin1String(cor)));
    return b;
}

// Positions (left, top) inside the panel for one layout of the entry fields.
struct Disposicao {
    int alturaDoQuadro;
    QPoint valorRotulo, valor, formaRotulo, forma, historicoRotulo, historico, cancelar, salvar;
};

const Disposicao kVenda{215, {22, 138}, {21, 157}, {179, 138}, {176, 157}, {22, 199}, {21, 216}, {21, 251}, {294, 251}};
const Disposicao kCurta{177, {22, 90}, {21, 109}, {179, 90}, {176, 109}, {22, 151}, {21, 168}, {21, 211}, {294, 211}};

constexpr int kTopoDoQuadro = 75;

} // namespace

void PainelMovCaixa::criaControles()
{
    titulo_ = new QLabel(titulo(), this);
    titulo_->setObjectName(QStringLiteral("lblTituloMov"));
    titulo_->setGeometry(13, 7, 400, 22);
    titulo_->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 15px; color: navy;"));

    bvl4_ = new QFrame(this);
    bvl4_->setObjectName(QStringLiteral("bvl4"));
    bvl4_->setFrameShape(QFrame::Box);
    bvl4_->setFrameShadow(QFrame::Sunken);

    widgets::DataSource& mov = form_.DSMovCaixa();
    widgets::DataSource& sessao = form_.DSSessaoCx();

    rotulo(this, QStringLiteral("lblSessao"), QStringLiteral("Sessão"))->move(21, 31);
    DBEdit10_ = medida(new DBEdit(QStringLiteral("DBEdit10"), this), 21, 47, 70);
    DBEdit10_->bind(&sessao, QStringLiteral("NumSessao"));
    rotulo(this, QStringLiteral("lblCaixa"), QStringLiteral("Caixa"))->move(101, 31);
    DBEdit15_ = medida(new DBEdit(QStringLiteral("DBEdit15"), this), 101, 47, 240);
    DBEdit15_->bind(&sessao, QStringLiteral("Operador"));
    rotulo(this, QStringLiteral("lblData"), QStringLiteral("Data"))->move(351, 31);
    DBEdit16_ = medida(new DBEdit(QStringLiteral("DBEdit16"), this), 351, 47, 90);
    DBEdit16_->setDisplayFormat(QStringLiteral("dd/mm/yy"));
    DBEdit16_->bind(&mov, QStringLiteral("DataMov"));
    rotulo(this, QStringLiteral("lblHora"), QStringLiteral("Hora"))->move(451, 31);
    DBEdit17_ = medida(new DBEdit(QStringLiteral("DBEdit17"), this), 451, 47, 70);
    DBEdit17_->setDisplayFormat(QStringLiteral("hh:nn"));
    DBEdit17_->bind(&mov, QStringLiteral("HoraMov"));
    for (DBEdit* e : {DBEdit10_, DBEdit15_, DBEdit16_})
        e->setDataReadOnly(true);
    for (DBEdit* e : {DBEdit10_, DBEdit15_, DBEdit16_, DBEdit17_})
        e->setTabStop(false);

    lblSinalQuitacao_ = rotulo(this, QStringLiteral("lblSinalQuitacao"), QStringLiteral("Sinal / Quitação"));
    DBComboBox2_ = medida(new DBComboBox(QStringLiteral("DBComboBox2"), DBComboBox::Style::Editable, this), 0, 0, 190);
    DBComboBox2_->addItems({QStringLiteral("Sinal"), QStringLiteral("Quitação")});
    DBComboBox2_->bind(&mov, QStringLiteral("SinalQuitacao"));

    lblPedido_ = rotulo(this, QStringLiteral("lblPedido"), QStringLiteral("Nº do Pedido"));
    DBEdit19_ = medida(new DBEdit(QStringLiteral("DBEdit19"), this), 0, 0, 180);
    DBEdit19_->setEditMask(QStringLiteral("AA.######"));
    DBEdit19_->bind(&mov, QStringLiteral("NPedido"));

    lblLoja_ = rotulo(this, QStringLiteral("lblLoja"), QStringLiteral("Loja"));
    DBLab_ = medida(new DBComboBox(QStringLiteral("DBLab"), DBComboBox::Style::Editable, this), 0, 0, 140);
    DBLab_->setToolTip(QStringLiteral(
        "Este campo é preenchido automaticamente com o conteúdo da opção OP86 dos Parâmetros do Sistema"));
    DBLab_->bind(&mov, QStringLiteral("Laboratorio"));

    lblValor_ = rotulo(this, QStringLiteral("lblValor"), QStringLiteral("Valor"));
    DBEdit18_ = medida(new DBEdit(QStringLiteral("DBEdit18"), this), 0, 0, 145);
    DBEdit18_->setDisplayFormat(QStringLiteral("##0.00"));
    DBEdit18_->bind(&mov, QStringLiteral("Valor"));
    widgets::AmountField::install(DBEdit18_)->beep = [this] { beep(); };

    lblFormaPagto_ = rotulo(this, QStringLiteral("lblFormaPagto"), QStringLiteral("Forma Pagto"));
    DBComboBox4_ = medida(new DBComboBox(QStringLiteral("DBComboBox4"), DBComboBox::Style::List, this), 0, 0, 230);
    DBComboBox4_->bind(&mov, QStringLiteral("FormaPag"));

    lblHistorico_ = rotulo(this, QStringLiteral("lblHistorico"), QStringLiteral("Histórico"));
    DBEdit20_ = medida(new DBEdit(QStringLiteral("DBEdit20"), this), 0, 0, 540);
    DBEdit20_->bind(&mov, QStringLiteral("Historico"));

    BitBtn5_ = botao(this, QStringLiteral("BitBtn5"), QStringLiteral("OK - Salvar Movimento"), "navy");
    BitBtn4_ = botao(this, QStringLiteral("BitBtn4"), QStringLiteral("Cancelar Movimento"), "#b00000");
    BitBtn5_->resize(267, 32);
    BitBtn4_->resize(265, 32);

    PainelNumDocum_ = new QFrame(this);
    PainelNumDocum_->setObjectName(QStringLiteral("PainelNumDocum"));
    PainelNumDocum_->setFrameShape(QFrame::StyledPanel);
    PainelNumDocum_->setAutoFillBackground(true);
    rotulo(PainelNumDocum_, QStringLiteral("lblParcela"), QStringLiteral("Parcela Nº"))->move(8, 3);
    DBEdit21_ = medida(new DBEdit(QStringLiteral("DBEdit21"), PainelNumDocum_), 8, 19, 110);
    DBEdit21_->bind(&mov, QStringLiteral("NumParcela"));
    rotulo(PainelNumDocum_, QStringLiteral("lblNumDocumento"), QStringLiteral("Nº do Documento"))->move(135, 3);
    DBEdit46_ = medida(new DBEdit(QStringLiteral("DBEdit46"), PainelNumDocum_), 135, 19, 200);
    DBEdit46_->bind(&mov, QStringLiteral("NumDocumento"));
    PainelNumDocum_->hide();

    PainelPrecos_ = new QFrame(this);
    PainelPrecos_->setObjectName(QStringLiteral("PainelPrecos"));
    PainelPrecos_->setFrameShape(QFrame::StyledPanel);
    PainelPrecos_->setAutoFillBackground(true);
    struct Caixa {
        const char* name;
        const char* label;
    };
    const Caixa caixas[6] = {{"Edit1", "Preco Total"}, {"Edit2", "Desconto %"},    {"Edit3", "Desconto R$"},
                             {"Edit5", "Sinal"},       {"Edit4", "Val. Restante"}, {"Edit6", "Preco Final"}};
    for (int i = 0; i < 6; ++i) {
        const int x = 5 + i * 92;
        auto* l = new QLabel(QString::fromUtf8(caixas[i].label), PainelPrecos_);
        l->setObjectName(QStringLiteral("lbl") + QLatin1String(caixas[i].name));
        l->move(x + 1, 3);
        auto* box = medida(new QLineEdit(PainelPrecos_), x, 21, 88);
        box->setObjectName(QLatin1String(caixas[i].name));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight);
        precos_[i] = box;
    }
    PainelPrecos_->hide();

    QWidget::setTabOrder(DBComboBox2_, DBEdit19_);
    QWidget::setTabOrder(DBEdit19_, DBEdit18_);
    QWidget::setTabOrder(DBEdit18_, DBComboBox4_);
    QWidget::setTabOrder(DBComboBox4_, DBEdit20_);
    QWidget::setTabOrder(DBEdit20_, DBLab_);
    QWidget::setTabOrder(DBLab_, BitBtn5_);
    QWidget::setTabOrder(BitBtn5_, BitBtn4_);
    QWidget::setTabOrder(BitBtn4_, DBEdit21_);
    QWidget::setTabOrder(DBEdit21_, DBEdit46_);
    bvl4_->lower();
}

void PainelMovCaixa::Ajusta_Campos(int tipo)
{
    if (tipo < 1 || tipo > 3)
        return;
    const bool venda = tipo == int(TipoMovimento::Venda);
    const Disposicao& d = venda ? kVenda : kCurta;
    bvl4_->setGeometry(13, kTopoDoQuadro, 561, d.alturaDoQuadro);

    lblSinalQuitacao_->move(22, 83);
    DBComboBox2_->move(21, 102);
    lblPedido_->move(225, 83);
    DBEdit19_->move(225, 102);
    lblLoja_->move(421, 83);
    DBLab_->move(421, 102);
    for (QWidget* w : std::initializer_list<QWidget*>{lblSinalQuitacao_, DBComboBox2_, lblPedido_, DBEdit19_, lblLoja_, DBLab_})
        w->setVisible(venda);
    DBComboBox2_->setTabStop(venda);
    DBEdit19_->setTabStop(venda);
    DBLab_->setTabStop(venda);

    lblValor_->move(d.valorRotulo);
    DBEdit18_->move(d.valor);
    lblFormaPagto_->move(d.formaRotulo);
    DBComboBox4_->move(d.forma);
    lblHistorico_->move(d.historicoRotulo);
    DBEdit20_->move(d.historico);
    BitBtn4_->move(d.cancelar);
    BitBtn5_->move(d.salvar);
    for (QWidget* w : std::initializer_list<QWidget*>{bvl4_, lblValor_, DBEdit18_, lblFormaPagto_, DBComboBox4_,
                                                      lblHistorico_, DBEdit20_, BitBtn4_, BitBtn5_})
        w->show();
}

QList<QWidget*> PainelMovCaixa::camposBloqueaveis() const
{
    return {DBEdit10_, DBEdit15_, DBEdit16_, DBEdit17_, DBEdit18_, DBEdit19_,
            DBEdit20_, DBComboBox2_, DBComboBox4_, BitBtn4_, BitBtn5_};
}

void PainelMovCaixa::Bloqueia_Campos()
{
    for (QWidget* w : camposBloqueaveis())
        w->setEnabled(false);
}

void PainelMovCaixa::Libera_Campos()
{
    for (QWidget* w : camposBloqueaveis())
        w->setEnabled(true);
}

} // namespace qor::cash
