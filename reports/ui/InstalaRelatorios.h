#pragma once

namespace qor::app {
class TForm1;
}

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

class ReportRunner;

// Puts the period panel into the main window in the place of its
// placeholder and binds the report panel's commands (the session browser,
// which holds that panel, is installed first). Before the window is first
// shown: the start-up steps fill the period panel's store list.
void instalaRelatorios(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM);

} // namespace qor::reports
