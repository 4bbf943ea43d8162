#include "cash/session/PainelFecharCaixa.h"

#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/RunHandler.h"
#include "app/window/Captions.h"
#include "app/window/TForm1.h"
#include "cash/session/AparenciaDePainel.h"
#include "cash/session/GradeDeTotais.h"
#include "cash/session/GravaOuDesiste.h"
#include "cash/totals/TotalizaSessao.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"
#include "reports/hook/ReportRunner.h"

#include <QFrame>
#include <QPushButton>

namespace qor::cash {

namespace {

const QList<LinhaDeTotais>& linhasDoFechamento()
{
    static const QList<LinhaDeTotais> linhas = {
        {QStringLiteral("Dinheiro"), QStringLiteral("TotEntradaDin"), QStringLiteral("TotSaidaDin"), QStringLiteral("TotalDinheiro")},
        {QStringLiteral("Cheque"), QStringLiteral("TotEntradaChe"), QStringLiteral("TotSaidaChe"), QStringLiteral("TotalCheque")},
        {QStringLiteral("Cartão Crédito"), QStringLiteral("TotEntradaCar"), QStringLiteral("TotSaidaCar"), QStringLiteral("TotalCartao")},
        {QStringLiteral("Cartão Débito"), QStringLiteral("TotEntradaDeb"), QStringLiteral("TotSaidaDeb"), QStringLiteral("TotalDebito")},
        {QStringLiteral("Cheque Pré "), QStringLiteral("TotEntradaChePre"), QStringLiteral("TotSaidaChePre"), QStringLiteral("TotChePre")},
        {QStringLiteral("Depósito Conta"), QStringLiteral("TotEntradaDepC"), QStringLiteral("TotSaidaDepC"), QStringLiteral("TotalDepC")},
        {QStringLiteral("Boleto"), QStringLiteral("TotEntradaBol"), QStringLiteral("TotSaidaBol"), QStringLiteral("TotBol")},
        {QStringLiteral("Vale"), QStringLiteral("TotEntradaVale"), QStringLiteral("TotSaidaVale"), QStringLiteral("TotalVale")},
        {QStringLiteral("Total"), QStringLiteral("TotalEntradas"), QStringLiteral("TotalSaidas"), QStringLiteral("TotalGeral")},
    };
    return linhas;
}

} // namespace

PainelFecharCaixa::PainelFecharCaixa(app::TForm1& form, reports::ReportRunner& relatorios)
    : Painel(QStringLiteral("PainelFecharCaixa"), QStringLiteral("Fechamento de Caixa")), form_(form),
      relatorios_(relatorios)
{
    criaControles();
}

void PainelFecharCaixa::criaControles()
{
    tituloDePainel(this, titulo(), QPoint(13, 2));
    widgets::DataSource* ds = &form_.DSSessaoCx();

    // The header line, each caption right-aligned before its field.
    campoSemBordaEm(this, ds, {QStringLiteral("Sessão:"), QStringLiteral("DBEdit3"), QStringLiteral("NumSessao"), 20, 80}, 64);
    campoSemBordaEm(this, ds, {QStringLiteral("Caixa:"), QStringLiteral("DBEdit8"), QStringLiteral("Operador"), 20, 150}, 256);
    campoSemBordaEm(this, ds,
                    {QStringLiteral("Troco Inicial:"), QStringLiteral("dbedtNumSessao"), QStringLiteral("Troco"), 20, 96}, 480)
        ->setDisplayFormat(QStringLiteral("R$ ###,##0.00"));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel2"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(13, 44, 563, 237);

    criaGradeDeTotais(this, ds, QStringLiteral("edtFecha"),
                      {QStringLiteral("Entradas"), QStringLiteral("Saídas"), QStringLiteral("Saldo Atual")},
                      linhasDoFechamento(),
                      GeometriaDeTotais{47, {164, 320, 453}, 65, 23, 20, 553, {128, 276, 422}, 140, 21});

    BitBtn3 = botaoDePainel(this, QStringLiteral("BitBtn3"), QStringLiteral("Cancelar"), QRect(12, 286, 280, 32), Qt::red);
    BotFechaCaixa = botaoDePainel(this, QStringLiteral("BotFechaCaixa"), QStringLiteral("Fechar Caixa"),
                                  QRect(296, 286, 280, 32), QColor(Qt::darkBlue));
    QWidget::setTabOrder(BitBtn3, BotFechaCaixa);
    app::MessageBoxes& boxes = form_.ctx().boxes;
    app::connectHandler(BitBtn3, &QPushButton::clicked, this, boxes, [this] { BitBtn3Click(); });
    app::connectHandler(BotFechaCaixa, &QPushButton::clicked, this, boxes, [this] { BotFechaCaixaClick(); });
}

QWidget* PainelFecharCaixa::primeiroCampo() const { return BitBtn3; }

void PainelFecharCaixa::FecharCaixa1Click()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    app::AppContext& ctx = form_.ctx();
    if (!ctx.state.CaixaAberto) {
        ctx.boxes.message(kMsgCaixaFechado);
        return;
    }
    TotalizaSessao(ctx.tables.SessaoCx, ctx.tables.MovCaixa, ctx.tables.CaixaCor);
    mostraNaAreaCliente();
    focaPrimeiroCampo();
}

void PainelFecharCaixa::BitBtn3Click() { esconde(); }

void PainelFecharCaixa::BotFechaCaixaClick()
{
    app::AppContext& ctx = form_.ctx();
    data::Table& SessaoCx = ctx.tables.SessaoCx;
    SessaoCx.edit();
    SessaoCx.setValue(QStringLiteral("DataFechamento"), ctx.clock.today());
    SessaoCx.setValue(QStringLiteral("HoraFechamento"), ctx.clock.timeOfDay());
    const QString numero = QString::number(SessaoCx.asInteger(QStringLiteral("NumSessao")));
    gravaOuDesiste(SessaoCx); // a failure leaves the session open and the panel shown
    SessaoCx.close();

    form_.setWindowTitle(app::captionCaixaFechado());
    ctx.state.CaixaAberto = false;
    ctx.state.setNomeOperador(QString());
    esconde();

    if (!ctx.boxes.confirm(kPerguntaImprimir))
        return;
    data::Query& qrySessaoCX = relatorios_.qrySessaoCX();
    qrySessaoCX.close();
    qrySessaoCX.clearSql();
    qrySessaoCX.addSql(QStringLiteral("Select * From SessaoCX where NumSessao = '") + numero + QStringLiteral("'"));
    relatorios_.executa(kRelatorioResumo);
}

} // namespace qor::cash
