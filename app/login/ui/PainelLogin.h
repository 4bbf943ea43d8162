#pragma once

#include "app/window/Painel.h"

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
