#pragma once

#include "app/log/ActivityLog.h"
#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "cash/export/ExportaXml.h"
#include "cash/save/PagamentoPendente.h"
#include "data/local/Table.h"
#include "data/orderdb/TDM.h"

#include <QString>

namespace qor::cash {

// The movement panel's texts when "OK - Salvar Movimento" is pressed.
struct PanelTexts {
    QString pedido;        // "Nº do Pedido": station code, a point, the order number
    QString sinalQuitacao; // "Sinal / Quitação"
    QString valor;         // "Valor", read the Brazilian way ("90,00")
    QString formaPag;      // "Forma Pagto"
};

// How a save ended.
enum class SaveOutcome {
    Saved,              // every step done (a withdrawal or replenishment too)
    EmptyOrderNumber,   // movement deleted; nothing logged or exported
    AlreadySettled,     // the settlement table's key refused the row: movement deleted, export made
    OrderNotFound,      // no such order on the server: both local rows stay, the write-back stays due
    OrderUpdateRefused, // the order did not take the payment: both local rows stay, the write-back stays due
    NotRecorded,        // the order could not be fetched: nothing recorded, movement deleted, no export
    Duplicate,          // the movement's own key refused it: nothing recorded, movement deleted, no export
    Interrupted,        // an error after something was stored: shown as unexpected, what was stored stays
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    ExportResult exported; // empty when the save made no export
};

struct SaveTables {
    data::Table& MovCaixa; // open, on the movement being edited
    data::Table& SessaoCx;
    data::Table& Quitacao; // open for a sale
    data::Table& TabelaDB; // the export's source table object
};

// Saving a movement and registering a sale's payment. The local part is one
// unit of work on the cash data file: the movement row, the settlement row,
// the due record of the order write-back (PagamentoPendente) and the end of
// the movement's entry mark are stored together or not at all. The order is
// fetched before (a server that can't be reached records nothing) and
// written after; the due record goes once the order holds the payment, and
// stays, listed and retried, when it doesn't. Due write-backs are retried
// before each sale's save. Then the settlement export into the exchange
// folders. Log lines at every step.
//
// Every outcome ends with the tables closed; hiding the panel is the
// caller's part. An error before anything reached the disk is raised (the
// panel stays open: nothing was stored, the operator may try again); an
// error after that is shown as unexpected here and the save ends normally,
// so that the panel closes and can't be saved or cancelled a second time.
class SalvaMovimento {
public:
    static inline const QString kMsgDuplicado =
        QStringLiteral("Registro duplicado. Esse movimento já foi registrado anteriormente.");
    static inline const QString kMsgJaQuitado =
        QStringLiteral("Este pedido já foi quitado anteriormente,\rO procedimento será cancelado!");
    static inline const QString kMsgNaoEncontrado =
        QStringLiteral("Não consegui encontrar o pedido no servidor para salvar o pagamento realizado.");
    static inline const QString kMsgNaoRegistrado =
        QStringLiteral("Não foi possível acessar o pedido no servidor. O pagamento não foi registrado; tente novamente.");
    static inline const QString kMsgPedidoInvalido =
        QStringLiteral("O número do pedido não é válido. O pagamento não foi registrado.");
    static inline const QString kMsgValorInvalido =
        QStringLiteral("O valor digitado não é um número. O pagamento não foi registrado.");
    static inline const QString kMsgSoNoCaixa =
        QStringLiteral("O pagamento foi registrado no caixa, mas não no pedido no servidor.\r"
                       "Ele ficou pendente e será gravado no pedido na próxima tentativa "
                       "(Utilitários > Pagamentos pendentes no pedido).");

    SalvaMovimento(app::AppState& state, SaveTables tables, orderdb::TDM& dm, app::ActivityLog& log,
                   app::MessageBoxes& boxes);

    SaveResult BitBtn5Click(const PanelTexts& panel);

private:
    SaveResult save(const PanelTexts& panel);
    bool fetchOrder(const PanelTexts& panel, PagamentoPendente& p, SaveResult& result);
    void storeLocally(PagamentoPendente* p, SaveResult& result);
    bool appendSettlement(const PagamentoPendente& p);
    void registerOnOrder(const PanelTexts& panel, PagamentoPendente& p, SaveResult& result);
    void discardMovement(SaveOutcome outcome, SaveResult& result);
    void closeTables();
    void exportSettlement(SaveResult& result, const RecordKey& key);
    void log(const QString& line);

    app::AppState& state_;
    SaveTables t_;
    orderdb::TDM& dm_;
    app::ActivityLog& log_;
    app::MessageBoxes& boxes_;
    bool reachedDisk_ = false; // some part of this save is stored: the panel must close
    RecordKey settlementKey_;  // the settlement row this save stored
};

} // namespace qor::cash
