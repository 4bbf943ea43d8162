#pragma once

namespace qor {
class Clock;
namespace data {
class CashTables;
}
namespace app {
class AppState;
class MessageBoxes;
class DataModuleLink;

// Everything a panel or handler reaches besides the main window itself,
// owned by the composition root and handed on by reference.
struct AppContext {
    AppState& state;
    Clock& clock;
    MessageBoxes& boxes;
    data::CashTables& tables;
    DataModuleLink& dm;
};

} // namespace app
} // namespace qor
