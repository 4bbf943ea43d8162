#pragma once

#include "app/state/AppState.h"
#include "app/widgets/QtMessageBoxes.h"
#include "app/window/AppContext.h"
#include "app/window/Modules.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"
#include "reports/hook/ReportRunner.h"

#include <memory>

namespace qor::app {

class TForm1;

// The composition root: owns the program-wide state, the clock, the message
// boxes, the table objects, the main window and the data and report modules,
// created in the program entry's order (Form1, then DM, then RM), and hands
// them to the panels through one AppContext.
class Application {
public:
    Application();
    ~Application();

    MessageBoxes& boxes() { return boxes_; }
    TForm1& form() { return *form_; }
    int exec();

private:
    // The data module's place: it is created after the main window.
    class DataModuleSlot final : public DataModuleLink {
    public:
        void create() { module_ = std::make_unique<StandInDataModule>(); }
        data::Query& qryClose() override;

    private:
        std::unique_ptr<StandInDataModule> module_;
    };

    AppState state_;
    SystemClock clock_;
    QtMessageBoxes boxes_;
    data::CashTables tables_;
    DataModuleSlot dm_;
    AppContext ctx_{state_, clock_, boxes_, tables_, dm_};
    // The report queries and the report module, as the commands reach them.
    reports::SemProjetoDeRelatorios relatorios_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<ReportModuleShell> rm_;
};

} // namespace qor::app
