#include "reports/ui/PainelPeriodo.h"

#include "app/state/MessageBoxes.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/DataSource.h"
#include "app/widgets/RunHandler.h"
#include "app/window/TForm1.h"
#include "cash/session/AparenciaDePainel.h"
#include "data/local/CashTables.h"
#include "reports/commands/PreparaRelatorios.h"
#include "reports/hook/ReportRunner.h"
#include "reports/queries/PeriodoSql.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace qor::reports {

namespace {

const QString kMascaraDeData = QStringLiteral("!99/99/0000;1;_");
const QString kFormatoDeData = QStringLiteral("dd/mm/yyyy");

} // namespace

PainelPeriodo::PainelPeriodo(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM)
    : Painel(QStringLiteral("PainelPeriodo"), QString())
    , form_(form)
    , dm_(DM)
    , rm_(RM)
{
    criaControles();
    for (QWidget* campo :
        { static_cast<QWidget*>(DBEdit47), static_cast<QWidget*>(DBEdit48), static_cast<QWidget*>(DBLaboratorio) })
        form_.keyPreview().addEnterField(campo->objectName());
}

void PainelPeriodo::criaControles()
{
    setGeometry(kLugar);

    auto* cabecalho = new QLabel(QStringLiteral("Período"), this);
    cabecalho->setObjectName(QStringLiteral("Panel49"));
    cabecalho->setGeometry(0, 0, kLugar.width(), 26);
    cabecalho->setAlignment(Qt::AlignCenter);
    cabecalho->setStyleSheet(QStringLiteral("background: navy; color: white; font-weight: bold;"));

    auto rotulo = [this](const QString& text, int top) {
        auto* l = new QLabel(text, this);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        l->setGeometry(20, top, 95, 22);
        return l;
    };
    auto data = [this](const QString& name, const QString& field, int top) {
        auto* e = new widgets::DBEdit(name, this);
        e->setGeometry(120, top, 100, 22);
        e->setEditMask(kMascaraDeData);
        e->setDisplayFormat(kFormatoDeData);
        e->bind(&form_.DSPeriodo(), field);
        return e;
    };
    rotulo(QStringLiteral("Data Inicial"), 40);
    DBEdit47 = data(QStringLiteral("DBEdit47"), QStringLiteral("DataInicial"), 40);
    rotulo(QStringLiteral("Data Final"), 72);
    DBEdit48 = data(QStringLiteral("DBEdit48"), QStringLiteral("DataFinal"), 72);
    rotulo(QStringLiteral("Laboratório"), 104);

    // A plain list, not bound to any table; the start-up steps fill it.
    DBLaboratorio = new QComboBox(this);
    DBLaboratorio->setObjectName(QStringLiteral("DBLaboratorio"));
    DBLaboratorio->setEditable(true);
    DBLaboratorio->setInsertPolicy(QComboBox::NoInsert);
    // With a placeholder, filling the list does not choose its first store:
    // the list starts without a choice (the placeholder itself is not drawn
    // over the editable text).
    DBLaboratorio->setPlaceholderText(QStringLiteral(" "));
    DBLaboratorio->setGeometry(120, 104, 160, 22);

    BitBtn11 = cash::botaoDePainel(this, QStringLiteral("BitBtn11"), QStringLiteral("Montar Relatório"),
        QRect(152, 148, 132, 32), QColor(Qt::darkBlue));
    BitBtn12 = cash::botaoDePainel(
        this, QStringLiteral("BitBtn12"), QStringLiteral("Cancelar"), QRect(16, 148, 132, 32), QColor(Qt::red));

    QWidget::setTabOrder(DBEdit47, DBEdit48);
    QWidget::setTabOrder(DBEdit48, DBLaboratorio);
    QWidget::setTabOrder(DBLaboratorio, BitBtn11);
    QWidget::setTabOrder(BitBtn11, BitBtn12);

    app::MessageBoxes& boxes = form_.ctx().boxes;
    app::connectHandler(BitBtn11, &QPushButton::clicked, this, boxes, [this] { BitBtn11Click(); });
    app::connectHandler(BitBtn12, &QPushButton::clicked, this, boxes, [this] { BitBtn12Click(); });
}

QWidget* PainelPeriodo::primeiroCampo() const
{
    return DBEdit47;
}

void PainelPeriodo::abrepainelperiodo()
{
    mostraEm(kLugar);
}

void PainelPeriodo::abreParaRelatorio(std::function<void(const QDate&, const QDate&)> monta)
{
    abreParaRelatorio(0);
    monta_ = std::move(monta);
}

void PainelPeriodo::abreParaRelatorio(int tipo)
{
    monta_ = nullptr;
    setTag(tipo);
    abrepainelperiodo();
    DBEdit47->setFocus(Qt::OtherFocusReason); // a control that can't take the focus just doesn't
    data::Table& Periodo = form_.ctx().tables.Periodo;
    Periodo.open();
    Periodo.edit(); // starts a row when the table has none
}

void PainelPeriodo::BitBtn11Click()
{
    data::Table& Periodo = form_.ctx().tables.Periodo;
    try {
        form_.DSPeriodo().post();
    } catch (const std::exception&) {
        form_.ctx().boxes.message(kMsgPeriodoNaoSalvo);
        Periodo.close();
        return;
    }
    const QString loja = filtroDeLoja(DBLaboratorio->currentText());
    const QDate inicio = Periodo.asDate(QStringLiteral("DataInicial"));
    const QDate fim = Periodo.asDate(QStringLiteral("DataFinal"));
    Periodo.close();
    esconde();

    if (monta_) {
        monta_(inicio, fim);
        return;
    }
    MontaRelatorio_SQL(dm_, Periodo, tag_, loja);
    if (const TipoDePeriodo* tipo = tipoDePeriodo(tag_))
        rm_.executa(tipo->relatorio);
}

// The period row stays in editing: reopening shows the typed dates again
// and the next "Montar Relatório" saves them.
void PainelPeriodo::BitBtn12Click()
{
    esconde();
}

} // namespace qor::reports
