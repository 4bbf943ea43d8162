#include "admin/ui/PainelSessoes.h"

#include "admin/core/SessaoCxBeforeDelete.h"
#include "admin/ui/PnlRelatorio.h"
#include "app/state/MessageBoxes.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/DBGrid.h"
#include "app/widgets/RunHandler.h"
#include "app/window/TForm1.h"
#include "cash/session/AparenciaDePainel.h"
#include "cash/session/GradeDeTotais.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>

namespace qor::admin {

using cash::LinhaDeTotais;
namespace {

const QList<LinhaDeTotais>& linhasDaSessao()
{
    static const QList<LinhaDeTotais> linhas = {
        {QStringLiteral("Dinheiro"), QStringLiteral("TotEntradaDin"), QStringLiteral("TotSaidaDin"), QStringLiteral("TotalDinheiro")},
        {QStringLiteral("Cheque"), QStringLiteral("TotEntradaChe"), QStringLiteral("TotSaidaChe"), QStringLiteral("TotalCheque")},
        {QStringLiteral("Cheque Pré"), QStringLiteral("TotEntradaChePre"), QStringLiteral("TotSaidaChePre"), QStringLiteral("TotChePre")},
        {QStringLiteral("Cartão Crédito"), QStringLiteral("TotEntradaCar"), QStringLiteral("TotSaidaCar"), QStringLiteral("TotalCartao")},
        {QStringLiteral("Cartão Débito"), QStringLiteral("TotEntradaDeb"), QStringLiteral("TotSaidaDeb"), QStringLiteral("TotalDebito")},
        {QStringLiteral("Dep. Conta"), QStringLiteral("TotEntradaDepC"), QStringLiteral("TotSaidaDepC"), QStringLiteral("TotalDepC")},
        {QStringLiteral("Boleto"), QStringLiteral("TotEntradaBol"), QStringLiteral("TotSaidaBol"), QStringLiteral("TotBol")},
        {QStringLiteral("Vale"), QStringLiteral("TotEntradaVale"), QStringLiteral("TotSaidaVale"), QStringLiteral("TotalVale")},
        {QStringLiteral("Total"), QStringLiteral("TotalEntradas"), QStringLiteral("TotalSaidas"), QStringLiteral("TotalGeral")},
    };
    return linhas;
}

} // namespace

QString PainelSessoes::msgSessaoAberta(const QString& numero)
{
    return QStringLiteral("A sessão de caixa nº ") + numero + QStringLiteral(" está aberta e não pode ser excluída.");
}

QString PainelSessoes::msgSessaoRecente(const QString& numero)
{
    return QStringLiteral("A sessão de caixa nº ") + numero +
           QStringLiteral(" é muito recente e não pode ser excluída ainda.");
}

QString PainelSessoes::msgNaoExcluiu(const QString& numero)
{
    return QStringLiteral("Não consegui excluir a sessão nº ") + numero;
}

PainelSessoes::PainelSessoes(app::TForm1& form, reports::ReportRunner& relatorios)
    : Painel(QStringLiteral("PainelSessoes"), QStringLiteral("Sessões de Caixa")), form_(form)
{
    criaControles(relatorios);
}

void PainelSessoes::criaControles(reports::ReportRunner& relatorios)
{
    cash::tituloDePainel(this, titulo(), QPoint(13, 7));
    widgets::DataSource* ds = &form_.DSSessaoCx();
    app::MessageBoxes& boxes = form_.ctx().boxes;

    DBGrid2 = new widgets::DBGrid(QStringLiteral("DBGrid2"), this);
    DBGrid2->setGeometry(13, 36, 104, 256);
    DBGrid2->addColumn(QStringLiteral("NumSessao"), QStringLiteral("Sessões"), Qt::AlignCenter);
    DBGrid2->setDataReadOnly(true);
    DBGrid2->setWholeRowSelect(true);
    DBGrid2->verticalHeader()->hide();
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    DBGrid2->bind(ds);

    cash::campoSemBordaApos(this, ds, {QStringLiteral("Caixa"), QStringLiteral("dbedtCaixa"), QStringLiteral("Operador"), 38, 190}, 128);
    cash::campoSemBordaApos(this, ds,
                            {QStringLiteral("Troco Inicial"), QStringLiteral("dbedtTroco"), QStringLiteral("Troco"), 38, 100}, 390)
        ->setDisplayFormat(QStringLiteral("R$ ###,##0.00"));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("bvl1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(122, 62, 458, 230);
    cash::criaGradeDeTotais(this, ds, QStringLiteral("edtSessao"),
                            {QStringLiteral("Entradas"), QStringLiteral("Saídas"), QStringLiteral("Saldo Final")},
                            linhasDaSessao(),
                            cash::GeometriaDeTotais{65, {262, 377, 480}, 84, 23, 130, 446, {232, 347, 462}, 110, 21});

    QPushButton* btn3 = cash::botaoDePainel(this, QStringLiteral("btn3"), QStringLiteral("Relatórios"),
                                            QRect(470, 4, 110, 28), QColor(Qt::darkBlue));
    QPushButton* btn1 = cash::botaoDePainel(this, QStringLiteral("btn1"), QStringLiteral("Excluir Sessão"),
                                            QRect(13, 298, 104, 30), QColor(Qt::red));
    QPushButton* btn4 = cash::botaoDePainel(this, QStringLiteral("btn4"), QStringLiteral("Voltar"),
                                            QRect(360, 298, 220, 30), QColor(Qt::darkBlue));
    app::connectHandler(btn1, &QPushButton::clicked, this, boxes, [this] { btn1Click(); });
    app::connectHandler(btn3, &QPushButton::clicked, this, boxes, [this] { btn3Click(); });
    app::connectHandler(btn4, &QPushButton::clicked, this, boxes, [this] { btn4Click(); });
    QWidget::setTabOrder(DBGrid2, btn1);
    QWidget::setTabOrder(btn1, btn4);
    QWidget::setTabOrder(btn4, btn3);

    pnlRelatorio_ = new PnlRelatorio(form_, relatorios, this);
}

QWidget* PainelSessoes::primeiroCampo() const { return DBGrid2; }

void PainelSessoes::resizeEvent(QResizeEvent* event)
{
    Painel::resizeEvent(event);
    pnlRelatorio_->setGeometry(rect()); // over the whole browser
}

void PainelSessoes::act_Sessoes_relatoriosExecute()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    mostraNaAreaCliente();
    form_.ctx().tables.SessaoCx.open();
    focaPrimeiroCampo();
}

void PainelSessoes::btn1Click()
{
    app::AppContext& ctx = form_.ctx();
    data::Table& SessaoCx = ctx.tables.SessaoCx;
    const QString numero = SessaoCx.asString(QStringLiteral("NumSessao"));
    if (SessaoCx.asString(QStringLiteral("DataFechamento")).isEmpty()) {
        ctx.boxes.message(msgSessaoAberta(numero));
        return;
    }
    if (ctx.clock.today().addDays(-kDiasAntesDeExcluir) < SessaoCx.asDate(QStringLiteral("DataFechamento"))) {
        ctx.boxes.message(msgSessaoRecente(numero));
        return;
    }
    try {
        excluiSessao(SessaoCx);
    } catch (...) {
        ctx.boxes.message(msgNaoExcluiu(numero));
    }
}

void PainelSessoes::btn3Click()
{
    pnlRelatorio_->setGeometry(rect());
    pnlRelatorio_->show();
    pnlRelatorio_->raise();
    pnlRelatorio_->focaPrimeiroCampo();
}

void PainelSessoes::btn4Click()
{
    form_.ctx().tables.SessaoCx.close();
    esconde();
}

} // namespace qor::admin
