#include "app/Application.h"

#include "admin/core/SessaoCxBeforeDelete.h"
#include "admin/ui/InstalaAdministracao.h"
#include "app/window/TForm1.h"
#include "cash/session/InstalaPaineisDeSessao.h"
#include "data/base/Error.h"

#include <QApplication>

namespace qor::app {

Application::Application()
{
    form_ = std::make_unique<TForm1>(ctx_);
    admin::ligaSessaoCxBeforeDelete(tables_.SessaoCx, tables_.MovCaixa);
    cash::instalaPaineisDeSessao(*form_, relatorios_);
    admin::instalaAdministracao(*form_, relatorios_);
    dm_.create();
    rm_ = std::make_unique<ReportModuleShell>();
}

Application::~Application() = default;

data::Query& Application::DataModuleSlot::qryClose()
{
    if (!module_)
        throw Error(kind::NotConnected, QStringLiteral("O módulo de dados DM ainda não foi criado"));
    return module_->qryClose();
}

int Application::exec()
{
    form_->show();
    return QApplication::exec();
}

} // namespace qor::app
