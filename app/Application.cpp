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
#include "cash/save/SalvaMovimento.h"
#include "data/base/Error.h"

#include <QApplication>
#include <QLineEdit>

namespace qor::app {

Application::Application()
{
    form_ = std::make_unique<TForm1>(ctx_);
    admin::ligaSessaoCxBeforeDelete(tables_.SessaoCx, tables_.MovCaixa);
    cash::instalaPaineisDeSessao(*form_, relatorios_);
    admin::instalaAdministracao(*form_, relatorios_);
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
    form_->installPanel(new PainelLogin(*form_, dm, log_));
    cash::PainelMovCaixa& movimento = cash::instalaMovimento(*form_, dm.SQLDS_Pedidos, dm.PEDIDOS);
    movimento.GravaLog = [this](const QString& line) { log_.GravaLog(line); };
    movimento.salvaMovimento = [this, &dm](const cash::PanelTexts& panel) {
        cash::SalvaMovimento salva(state_, {tables_.MovCaixa, tables_.SessaoCx, tables_.Quitacao, tables_.TabelaDB},
                                   dm, log_, boxes_);
        salva.BitBtn5Click(panel);
    };
    rm_ = std::make_unique<ReportModuleShell>();
}

Application::~Application() = default;

orderdb::TDM& Application::DataModuleSlot::create()
{
    module_ = std::make_unique<orderdb::TDM>();
    return *module_;
}

data::Query& Application::DataModuleSlot::qryClose()
{
    if (!module_)
        throw Error(kind::NotConnected, QStringLiteral("O módulo de dados DM ainda não foi criado"));
    return module_->qryClose;
}

int Application::exec()
{
    form_->show();
    return QApplication::exec();
}

} // namespace qor::app
