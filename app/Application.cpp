#include "app/Application.h"

#include "app/log/Diagnostico.h"
#include "app/log/RetencaoQuitacao.h"
#include "app/login/ui/PainelLogin.h"
#include "app/site/ConfiguraDestinos.h"
#include "admin/core/SessaoCxBeforeDelete.h"
#include "admin/ui/InstalaAdministracao.h"
#include "app/window/TForm1.h"
#include "cash/session/InstalaPaineisDeSessao.h"
#include "cash/movement/ui/InstalaMovimento.h"
#include "cash/movement/ui/PainelMovCaixa.h"
#include "cash/save/RecuperacaoNaPartida.h"
#include "cash/save/SalvaMovimento.h"
#include "cash/save/ui/PainelPendentes.h"
#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "reports/ui/InstalaRelatorios.h"

#include <QApplication>
#include <QLineEdit>

namespace qor::app {

Application::RaizDaSuite::RaizDaSuite(const QString& root) { SuitePaths::setRoot(root); }

Application::RaizDaSuite::~RaizDaSuite() { SuitePaths::setRoot(QString()); }

Application::Application(MessageBoxes& boxes, Clock& clock, const QString& suiteRoot)
    : raiz_(suiteRoot), clock_(clock), boxes_(boxes)
{
    form_ = std::make_unique<TForm1>(ctx_);
    admin::ligaSessaoCxBeforeDelete(tables_.SessaoCx, tables_.MovCaixa);
    cash::instalaPaineisDeSessao(*form_, rm_);
    admin::instalaAdministracao(*form_, rm_);
    form_->configuraDestinos = [this] { ConfiguraDestinos(tables_, state_); };
    form_->ligaDiagnostico = [this] { ConfiguraDiagnostico(state_); };
    form_->expurgaArquivosQuitacao = [this] { RetencaoArquivosQuitacao(tables_.Limite, clock_); };
    form_->RegistraSaida = [this] { log_.RegistraSaida(form_->control<QLineEdit>(QStringLiteral("EditNome")).text()); };
    orderdb::TDM& dm = dm_.create();
    try {
        dm.DataModuleCreate();
    } catch (const std::exception& e) {
        // Start-up goes on with the data module in place, not connected.
        boxes_.unexpected(e);
    }
    auto* login = new PainelLogin(*form_, dm, log_);
    form_->installPanel(login);
    // Saves a crash or a closed window interrupted: unfinished movements go
    // at activation, due order write-backs are retried once identified.
    recuperacao_ = std::make_unique<cash::RecuperacaoNaPartida>(state_, dm, log_, boxes_);
    form_->descartaMovimentosInacabados = [this] { recuperacao_->naAtivacao(); };
    login->identificado = [this] { recuperacao_->aposIdentificacao(); };
    cash::instalaPendentes(*form_, dm).GravaLog = [this](const QString& line) { log_.GravaLog(line); };
    cash::PainelMovCaixa& movimento = cash::instalaMovimento(*form_, dm.SQLDS_Pedidos, dm.PEDIDOS);
    movimento.GravaLog = [this](const QString& line) { log_.GravaLog(line); };
    movimento.salvaMovimento = [this, &dm](const cash::PanelTexts& panel) {
        cash::SalvaMovimento salva(state_, {tables_.MovCaixa, tables_.SessaoCx, tables_.Quitacao, tables_.TabelaDB},
                                   dm, log_, boxes_);
        salva.BitBtn5Click(panel);
    };
    rm_.create(dm, tables_.Periodo, clock_, boxes_, form_.get());
    reports::instalaRelatorios(*form_, dm, rm_);
}

Application::~Application() = default;

orderdb::TDM& Application::DataModuleSlot::create()
{
    module_ = std::make_unique<orderdb::TDM>();
    return *module_;
}

orderdb::TDM& Application::DataModuleSlot::DM()
{
    if (!module_)
        throw Error(kind::NotConnected, QStringLiteral("O módulo de dados DM ainda não foi criado"));
    return *module_;
}

void Application::ReportModuleSlot::create(orderdb::TDM& DM, data::Table& Periodo, const Clock& clock,
                                           MessageBoxes& boxes, QWidget* window)
{
    RM_ = std::make_unique<reports::TRM>(clock);
    reports::registraConexoes(*RM_, DM, Periodo);
    relatorios_ = std::make_unique<reports::RelatoriosDoRM>(DM, *RM_);
    preview_ = std::make_unique<reports::PreviewDestination>(*RM_, dialogs_, boxes, window);
}

reports::ReportRunner& Application::ReportModuleSlot::module()
{
    if (!relatorios_)
        throw Error(kind::ReportProject, QStringLiteral("O módulo de relatórios RM ainda não foi criado"));
    return *relatorios_;
}

void Application::show()
{
    form_->show();
    // A till is worked from the keyboard: the window asks for the focus,
    // which nothing else gives it where no window manager runs.
    form_->activateWindow();
}

int Application::exec()
{
    show();
    const int code = QApplication::exec();
    // Left by a stop signal with the window still open: the shut-down steps
    // run now, once the interrupted handler has ended.
    form_->close();
    return code;
}

} // namespace qor::app
