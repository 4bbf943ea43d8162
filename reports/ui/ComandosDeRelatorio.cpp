#include "reports/ui/ComandosDeRelatorio.h"

#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "app/widgets/RunHandler.h"
#include "app/window/TForm1.h"
#include "cash/totals/TotalizaSessao.h"
#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/local/CashTables.h"
#include "reports/commands/ExecutaRelatorioDeSessao.h"
#include "reports/control/Conciliacao.h"
#include "reports/control/SinaisEmAberto.h"
#include "reports/hook/ReportRunner.h"
#include "reports/ui/PainelPeriodo.h"

#include <QAbstractButton>

namespace qor::reports {

ComandosDeRelatorio::ComandosDeRelatorio(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM, PainelPeriodo& periodo)
    : QObject(&form)
    , form_(form)
    , dm_(DM)
    , rm_(RM)
    , periodo_(periodo)
{
    setObjectName(QStringLiteral("ComandosDeRelatorio"));
    liga(QStringLiteral("btn5"), &ComandosDeRelatorio::btn5Click);
    liga(QStringLiteral("btn14"), &ComandosDeRelatorio::btn14Click);
    liga(QStringLiteral("btn7"), &ComandosDeRelatorio::btn7Click);
    liga(QStringLiteral("btn6"), &ComandosDeRelatorio::btn6Click);
    liga(QStringLiteral("btn8"), &ComandosDeRelatorio::btn8Click);
    liga(QStringLiteral("btn12"), &ComandosDeRelatorio::btn12Click);
    liga(QStringLiteral("btn9"), &ComandosDeRelatorio::btn9Click);
    liga(QStringLiteral("btn13"), &ComandosDeRelatorio::btn13Click);
    liga(QStringLiteral("btn15"), &ComandosDeRelatorio::btn15Click);
    liga(QStringLiteral("btn16"), &ComandosDeRelatorio::btn16Click);
    liga(QStringLiteral("btnParcial"), &ComandosDeRelatorio::btnParcialClick);
    liga(QStringLiteral("btnConciliacao"), &ComandosDeRelatorio::btnConciliacaoClick);
    liga(QStringLiteral("btnSinaisEmAberto"), &ComandosDeRelatorio::btnSinaisEmAbertoClick);
}

void ComandosDeRelatorio::liga(const QString& botao, void (ComandosDeRelatorio::*handler)())
{
    auto& button = form_.control<QAbstractButton>(botao);
    app::connectHandler(
        &button, &QAbstractButton::clicked, this, form_.ctx().boxes, [this, handler] { (this->*handler)(); });
    button.setEnabled(true);
}

namespace {

void daSessao(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM, RelatorioDeSessao relatorio)
{
    data::CashTables& t = form.ctx().tables;
    executaRelatorioDeSessao(relatorio, t.SessaoCx, t.CaixaCor, DM, RM);
}

} // namespace

void ComandosDeRelatorio::btn5Click()
{
    daSessao(form_, dm_, rm_, RelatorioDeSessao::Resumo);
}
void ComandosDeRelatorio::btn14Click()
{
    daSessao(form_, dm_, rm_, RelatorioDeSessao::ResumoFP);
}
void ComandosDeRelatorio::btn7Click()
{
    daSessao(form_, dm_, rm_, RelatorioDeSessao::DetalhadoComValorOriginal);
}
void ComandosDeRelatorio::btn6Click()
{
    daSessao(form_, dm_, rm_, RelatorioDeSessao::DetalhadoSemValorOriginal);
}

void ComandosDeRelatorio::btn8Click()
{
    periodo_.abreParaRelatorio(4);
}
void ComandosDeRelatorio::btn12Click()
{
    periodo_.abreParaRelatorio(2);
}
void ComandosDeRelatorio::btn9Click()
{
    periodo_.abreParaRelatorio(5);
}
void ComandosDeRelatorio::btn13Click()
{
    periodo_.abreParaRelatorio(3);
}
void ComandosDeRelatorio::btn15Click()
{
    periodo_.abreParaRelatorio(6);
}
void ComandosDeRelatorio::btn16Click()
{
    periodo_.abreParaRelatorio(7);
}

void ComandosDeRelatorio::btnParcialClick()
{
    data::CashTables& t = form_.ctx().tables;
    if (t.SessaoCx.active() && !t.SessaoCx.isEmpty() && t.SessaoCx.isNull(QStringLiteral("DataFechamento")))
        cash::TotalizaSessao(t.SessaoCx, t.MovCaixa, t.CaixaCor); // only the last session is ever open
    daSessao(form_, dm_, rm_, RelatorioDeSessao::Parcial);
}

void ComandosDeRelatorio::btnConciliacaoClick()
{
    periodo_.abreParaRelatorio([this](const QDate& inicio, const QDate& fim) {
        if (comServidor([&] { montaConciliacao(dm_, inicio, fim); }))
            rm_.executa(kRelatorioConciliacao);
    });
}

void ComandosDeRelatorio::btnSinaisEmAbertoClick()
{
    if (comServidor([this] { montaSinaisEmAberto(dm_, form_.ctx().clock.today()); }))
        rm_.executa(kRelatorioSinaisEmAberto);
}

bool ComandosDeRelatorio::comServidor(const std::function<void()>& monta)
{
    try {
        monta();
        return true;
    } catch (const Error& e) {
        if (e.kind() != kind::ServerUnreachable)
            throw;
        form_.ctx().boxes.message(e.text()); // the operator's message: no report was made
        return false;
    }
}

} // namespace qor::reports
