#pragma once

#include "app/window/Painel.h"

#include <functional>

class QLineEdit;
class QPushButton;

namespace qor::orderdb {
class TDM;
}

namespace qor::app {

class ActivityLog;
class TForm1;

// The identification panel: user name and password checked against
// USUARIOS, the workstation looked up in ESTACOES, the toolbar shown, the
// caption set and the activity log started. "Cancela" (or Esc) and a
// missing workstation end the program.
class PainelLogin final : public Painel {
    Q_OBJECT
public:
    PainelLogin(TForm1& form, orderdb::TDM& dm, ActivityLog& log);

    // Runs once an operator is identified at a workstation and the activity
    // log has started (filled by the composition root).
    std::function<void()> identificado;

    void IdentificaUsuario();
    void BotCancSenhaClick();
    void EditNomeExit();
    // Returns the operator's DATBASNAM, "" when no workstation was found.
    QString LocalizaEstacao();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& form_;
    orderdb::TDM& dm_;
    ActivityLog& log_;
    QLineEdit* EditNome = nullptr;
    QLineEdit* EditSenhaU = nullptr;
    QPushButton* BotOkSenha = nullptr;
    QPushButton* BotCancSenha = nullptr;
};

} // namespace qor::app
