#pragma once

#include "app/log/ActivityLog.h"
#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "cash/export/ExportaXml.h"
#include "data/local/Table.h"
#include "data/orderdb/TDM.h"

#include <QString>
#include <QVariant>

namespace qor::cash {

// The movement panel's texts when "OK - Salvar Movimento" is pressed.
struct PanelTexts {
    QString pedido;        // "Nº do Pedido": station code, a point, the order number
    QString sinalQuitacao; // "Sinal / Quitação"
    QString valor;         // "Valor", read the Brazilian way ("90,00")
    QString formaPag;      // "Forma Pagto"
};

// How a save ended, one value per row of its outcomes.
enum class SaveOutcome {
    Saved,              // every step done (a withdrawal or replenishment too)
    EmptyOrderNumber,   // movement deleted; nothing logged or exported
    AlreadySettled,     // the settlement table refused the row: movement deleted, export made
    OrderNotFound,      // no such order on the server: both local rows stay
    OrderUpdateRefused, // the server refused the order's change: both local rows stay (log line)
    RegistrationFailed, // an error while fetching or changing the order: both local rows deleted, no export
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    bool movementStored = false; // the save stored the movement row (else it keeps what was stored before)
    ExportResult exported;       // empty when the save made no export
};

struct SaveTables {
    data::Table& MovCaixa; // open, on the movement being edited
    data::Table& SessaoCx;
    data::Table& Quitacao; // open for a sale
    data::Table& TabelaDB; // the export's source table object
};

// Saving a movement and registering a sale's payment: stores the movement,
// appends the settlement row, writes the deposit or settlement onto the
// order in the order database, leaves a trail of activity-log lines and
// exports the settlement into the exchange folders. Every outcome ends with
// the tables closed; hiding the panel is the caller's part.
//
// Errors nobody handles here (a table that can't be opened, a log file that
// can't be written) are raised to the caller as unexpected. A log line that
// can't be written never counts as a failed registration: it is raised as
// it is, and what was stored stays stored.
class SalvaMovimento {
public:
    SalvaMovimento(app::AppState& state, SaveTables tables, orderdb::TDM& dm, app::ActivityLog& log,
                   app::MessageBoxes& boxes);

    SaveResult BitBtn5Click(const PanelTexts& panel);

private:
    struct Registration; // the settlement row appended by this save
    SaveResult save(const PanelTexts& panel);
    SaveOutcome Registra_Pagamento(const PanelTexts& panel, Registration& reg);
    SaveOutcome registerOnOrder(const PanelTexts& panel, bool settlement);
    void removeNewSettlement(const Registration& reg);
    void exportSettlement(SaveResult& result, const RecordKey& key);
    void log(const QString& line);

    app::AppState& state_;
    SaveTables t_;
    orderdb::TDM& dm_;
    app::ActivityLog& log_;
    app::MessageBoxes& boxes_;
};

} // namespace qor::cash
