#pragma once

#include "app/log/ActivityLog.h"
#include "app/state/AppState.h"
#include "app/window/AppContext.h"
#include "app/window/Modules.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"
#include "cash/save/RecuperacaoNaPartida.h"
#include "data/orderdb/TDM.h"
#include "reports/engine/ReportModule.h"
#include "reports/hook/ReportRunner.h"
#include "reports/module/RelatoriosDoRM.h"
#include "reports/preview/PreviewDestination.h"
#include "reports/preview/ReportDialogs.h"

#include <memory>

namespace qor::app {

class TForm1;

// The composition root: owns the program-wide state, the table objects, the
// main window and the data and report modules, created in the program
// entry's order (Form1, then DM, then RM), and hands them to the panels
// through one AppContext. The message boxes, the clock and the suite root
// come from outside: the program entry gives the screen's, the system's and
// $QUELVORA_ROOT's; a test gives scripted boxes, a fixed clock and a
// temporary suite.
class Application {
public:
    Application(MessageBoxes& boxes, Clock& clock, const QString& suiteRoot);
    ~Application();

    MessageBoxes& boxes() { return boxes_; }
    TForm1& form() { return *form_; }
    // Shows the main window with the keyboard focus.
    void show();
    int exec();

private:
    // The data module's place: it is created after the main window.
    class DataModuleSlot final : public DataModuleLink {
    public:
        orderdb::TDM& create();
        orderdb::TDM& DM();
        data::Query& qryClose() override { return DM().qryClose; }

    private:
        std::unique_ptr<orderdb::TDM> module_;
    };

    // The report module's place: it is created after the data module, while
    // the panels installed with the main window already hold this slot.
    // Once created, every report opens in the modal preview.
    class ReportModuleSlot final : public reports::ReportRunner {
    public:
        void create(orderdb::TDM& DM, data::Table& Periodo, const Clock& clock, MessageBoxes& boxes, QWidget* window);
        data::Query& qrySessaoCX() override { return module().qrySessaoCX(); }
        data::Query& qryConferenciaCx() override { return module().qryConferenciaCx(); }
        void fechaProjeto() override { module().fechaProjeto(); }
        void executa(const QString& nomeRelatorio) override { module().executa(nomeRelatorio); }

    private:
        reports::ReportRunner& module();

        std::unique_ptr<reports::TRM> RM_;
        std::unique_ptr<reports::RelatoriosDoRM> relatorios_;
        reports::StandardReportDialogs dialogs_;
        std::unique_ptr<reports::PreviewDestination> preview_;
    };

    // Set first, so every table and module created below sees it.
    struct RaizDaSuite {
        explicit RaizDaSuite(const QString& root);
        ~RaizDaSuite();
    } raiz_;
    AppState state_;
    Clock& clock_;
    MessageBoxes& boxes_;
    data::CashTables tables_;
    DataModuleSlot dm_;
    AppContext ctx_{state_, clock_, boxes_, tables_, dm_};
    ActivityLog log_{state_, clock_};
    ReportModuleSlot rm_;
    std::unique_ptr<cash::RecuperacaoNaPartida> recuperacao_;
    std::unique_ptr<TForm1> form_;
};

} // namespace qor::app
