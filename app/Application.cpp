#include "app/Application.h"

#include "admin/core/SessaoCxBeforeDelete.h"
#include "admin/ui/InstalaAdministracao.h"
#include "app/window/TForm1.h"
#include "cash/session/InstalaPaineisDeSessao.h"
#include "data/base/Error.h"
#include "reports/ui/InstalaRelatorios.h"

#include <QApplication>

namespace qor::app {

Application::Application()
{
    form_ = std::make_unique<TForm1>(ctx_);
    admin::ligaSessaoCxBeforeDelete(tables_.SessaoCx, tables_.MovCaixa);
    cash::instalaPaineisDeSessao(*form_, rm_);
    admin::instalaAdministracao(*form_, rm_);
    dm_.create();
    rm_.create(dm_.DM(), tables_.Periodo, clock_, boxes_, form_.get());
    reports::instalaRelatorios(*form_, dm_.DM(), rm_);
}

Application::~Application() = default;

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

int Application::exec()
{
    form_->show();
    return QApplication::exec();
}

} // namespace qor::app
