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
#include "cash/session/LinhasDoFechamento.h"
#include "cash/session/PainelContagem.h"
#include "cash/totals/TotalizaSessao.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"
#include "data/local/Transaction.h"
#include "reports/queries/SessaoSql.h"
#include "reports/hook/ReportRunner.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace qor::cash {

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

    bevel_ = new QFrame(this);
    bevel_->setObjectName(QStringLiteral("Bevel2"));
    bevel_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel_->setGeometry(13, 44, 563, 237);

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
    criaColunasDaContagem();
}

// "Contado" and "Diferença" to the right of the balance, shown only after a
// blind count; the lines' shading stops at the balance.
void PainelFecharCaixa::criaColunasDaContagem()
{
    const int esquerda[] = {568, 714};
    const QString titulos[] = {QStringLiteral("Contado"), QStringLiteral("Diferença")};
    for (int c = 0; c < 2; ++c) {
        auto* titulo = new QLabel(titulos[c], this);
        titulo->setObjectName(c == 0 ? QStringLiteral("lblContado") : QStringLiteral("lblDiferenca"));
        QFont bold = titulo->font();
        bold.setBold(true);
        titulo->setFont(bold);
        titulo->adjustSize();
        titulo->move(esquerda[c] + 40, 47);
        colunasDaContagem_ << titulo;
    }
    const QList<LinhaDeTotais> formas = formasDoFechamento();
    for (int i = 0; i < formas.size(); ++i) {
        for (int c = 0; c < 2; ++c) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName((c == 0 ? QStringLiteral("edtFechaContado") : QStringLiteral("edtFechaDiferenca"))
                                + formas.at(i).saldo);
            edit->setGeometry(esquerda[c], 65 + i * 23, 140, 21);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            (c == 0 ? contados_ : diferencas_) << edit;
            colunasDaContagem_ << edit;
        }
    }
    for (QWidget* w : colunasDaContagem_)
        w->hide();
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
    contagem_.reset();
    if (painelContagem_ && contagemCegaLigada()) {
        painelContagem_->abre();
        return;
    }
    mostraTotais();
}

void PainelFecharCaixa::mostraComContagem(const QList<double>& contados)
{
    contagem_ = contados;
    mostraTotais();
}

void PainelFecharCaixa::mostraTotais()
{
    app::AppContext& ctx = form_.ctx();
    TotalizaSessao(ctx.tables.SessaoCx, ctx.tables.MovCaixa, ctx.tables.CaixaCor);
    const bool comContagem = contagem_.has_value();
    for (QWidget* w : colunasDaContagem_)
        w->setVisible(comContagem);
    bevel_->resize(comContagem ? 863 : 563, bevel_->height());
    if (comContagem) {
        const QList<FormaConferida> formas = conferencia();
        for (int i = 0; i < formas.size(); ++i) {
            const QLocale br(QLocale::Portuguese, QLocale::Brazil);
            contados_.at(i)->setText(br.toString(formas.at(i).contado, 'f', 2));
            const double diferenca = formas.at(i).diferenca();
            diferencas_.at(i)->setText(br.toString(diferenca, 'f', 2));
            QPalette p = diferencas_.at(i)->palette();
            p.setColor(QPalette::Text, diferenca < 0 ? QColor(Qt::red) : palette().color(QPalette::Text));
            diferencas_.at(i)->setPalette(p);
        }
    }
    mostraNaAreaCliente();
    focaPrimeiroCampo();
}

QList<FormaConferida> PainelFecharCaixa::conferencia() const
{
    QList<FormaConferida> out;
    const QList<LinhaDeTotais> formas = formasDoFechamento();
    const data::Table& SessaoCx = form_.ctx().tables.SessaoCx;
    for (int i = 0; i < formas.size(); ++i)
        out << FormaConferida{formas.at(i).legenda.trimmed(), SessaoCx.asFloat(formas.at(i).saldo), contagem_->at(i)};
    return out;
}

void PainelFecharCaixa::BitBtn3Click()
{
    contagem_.reset();
    esconde();
}

void PainelFecharCaixa::BotFechaCaixaClick()
{
    app::AppContext& ctx = form_.ctx();
    data::Table& SessaoCx = ctx.tables.SessaoCx;
    const QString numero = QString::number(SessaoCx.asInteger(QStringLiteral("NumSessao")));
    if (contagem_) {
        // The count is kept exactly when the session is closed.
        const QList<FormaConferida> formas = conferencia();
        try {
            data::Transaction unidade(SessaoCx.location());
            fechaSessao();
            gravaConferencia(numero.toInt(), ctx.state.NomeOperador(), ctx.clock.today(), ctx.clock.timeOfDay(),
                             formas);
            unidade.commit();
        } catch (...) {
            SessaoCx.refresh(); // the row as stored again: the stamp was undone with the count
            throw;
        }
    } else {
        fechaSessao();
    }
    SessaoCx.close();
    contagem_.reset();

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
    data::Query& qryConferenciaCx = relatorios_.qryConferenciaCx();
    qryConferenciaCx.close();
    qryConferenciaCx.clearSql();
    qryConferenciaCx.addSql(reports::sqlConferenciaCx(numero));
    relatorios_.executa(kRelatorioResumo);
}

void PainelFecharCaixa::fechaSessao()
{
    app::AppContext& ctx = form_.ctx();
    data::Table& SessaoCx = ctx.tables.SessaoCx;
    SessaoCx.edit();
    SessaoCx.setValue(QStringLiteral("DataFechamento"), ctx.clock.today());
    SessaoCx.setValue(QStringLiteral("HoraFechamento"), ctx.clock.timeOfDay());
    gravaOuDesiste(SessaoCx); // a failure leaves the session open and the panel shown
}

} // namespace qor::cash
