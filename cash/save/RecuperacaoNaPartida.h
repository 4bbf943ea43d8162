#pragma once

#include <QStringList>

namespace qor::orderdb {
class TDM;
}
namespace qor::app {
class ActivityLog;
class AppState;
class MessageBoxes;
} // namespace qor::app

namespace qor::cash {

// The start-up recovery of saves a crash or a closed window interrupted.
// At activation the movements whose entry never finished are removed, and
// the temporary files of exports this machine never finished; the activity
// log only starts with an identification, so their lines wait for it. Once an operator is identified the lines are written and the due order
// write-backs retried; when some stay due the operator is told.
class RecuperacaoNaPartida {
public:
    static inline const QString kMsgPendentes =
        QStringLiteral("Há pagamentos registrados no caixa que ainda não foram gravados nos pedidos no servidor.\r"
                       "Veja Utilitários > Pagamentos pendentes no pedido.");

    RecuperacaoNaPartida(const app::AppState& state, orderdb::TDM& dm, app::ActivityLog& log,
                         app::MessageBoxes& boxes)
        : state_(state), dm_(dm), log_(log), boxes_(boxes)
    {
    }

    void naAtivacao();
    // Returns how many write-backs stay due.
    int aposIdentificacao();

private:
    const app::AppState& state_;
    orderdb::TDM& dm_;
    app::ActivityLog& log_;
    app::MessageBoxes& boxes_;
    QStringList linhas_;
};

} // namespace qor::cash
