#include "app/login/ui/PainelLogin.h"

#include "app/log/ActivityLog.h"
#include "app/login/LocalizaEstacao.h"
#include "app/login/VerificaUsuario.h"
#include "app/login/ui/EcoSustenido.h"
#include "app/state/MessageBoxes.h"
#include "app/window/TForm1.h"
#include "data/base/Text.h"
#include "data/orderdb/TDM.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qor::app {

namespace {

template <typename W>
W* place(W* w, const QString& name, int x, int y, int width)
{
    w->setObjectName(name);
    w->move(x, y);
    w->resize(width, w->sizeHint().height());
    return w;
}

void label(QWidget* parent, const QString& text, int x, int y) { (new QLabel(text, parent))->move(x, y); }

} // namespace

PainelLogin::PainelLogin(TForm1& form, orderdb::TDM& dm, ActivityLog& log)
    : Painel(QStringLiteral("PainelLogin"), QStringLiteral("Identificação do Usuário")), form_(form), dm_(dm), log_(log)
{
    resize(401, 193);
    auto* barra = new QLabel(titulo(), this);
    barra->setObjectName(QStringLiteral("Panel48"));
    barra->setGeometry(0, 0, 401, 26);
    barra->setAlignment(Qt::AlignCenter);
    barra->setStyleSheet(QStringLiteral("background: navy; color: white; font-weight: bold;"));

    auto* area = new QFrame(this);
    area->setFrameShape(QFrame::Box);
    area->setGeometry(8, 34, 385, 151);
    area->lower();

    label(this, QStringLiteral("Usuário:"), 40, 76);
    label(this, QStringLiteral("Senha:"), 40, 108);
    EditNome = place(new QLineEdit(this), QStringLiteral("EditNome"), 100, 73, 166);
    EditSenhaU = place(new QLineEdit(this), QStringLiteral("EditSenhaU"), 100, 105, 73);
    EditSenhaU->setEchoMode(QLineEdit::Password);
    auto* eco = new EcoSustenido;
    eco->setParent(EditSenhaU);
    EditSenhaU->setStyle(eco);
    BotOkSenha = place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("BotOkSenha"), 287, 72, 69);
    BotCancSenha = place(new QPushButton(QStringLiteral("Cancela"), this), QStringLiteral("BotCancSenha"), 287, 101, 69);
    setTabOrder(EditNome, EditSenhaU);
    setTabOrder(EditSenhaU, BotOkSenha);
    setTabOrder(BotOkSenha, BotCancSenha);

    EditNome->installEventFilter(this);
    EditSenhaU->installEventFilter(this);
    connect(BotOkSenha, &QPushButton::clicked, this, [this] { form_.runHandler([this] { IdentificaUsuario(); }); });
    connect(BotCancSenha, &QPushButton::clicked, this, [this] { form_.runHandler([this] { BotCancSenhaClick(); }); });
    form_.keyPreview().setCancelButton(BotCancSenha);
}

bool PainelLogin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditSenhaU && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            form_.runHandler([this] { IdentificaUsuario(); });
            return true;
        }
    }
    if (watched == EditNome && event->type() == QEvent::FocusOut) {
        // Leaving the field for another control of the window; a message box
        // or another program taking the focus is not an exit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            EditNomeExit();
    }
    return Painel::eventFilter(watched, event);
}

void PainelLogin::EditNomeExit() { EditNome->setText(text::upperAZ(EditNome->text())); }

void PainelLogin::BotCancSenhaClick()
{
    esconde();
    form_.close();
}

void PainelLogin::IdentificaUsuario()
{
    AppContext& ctx = form_.ctx();
    const ResultadoLogin checked = verificaUsuario(dm_.Usuarios, EditNome->text(), EditSenhaU->text());
    if (!checked.accepted) {
        ctx.boxes.message(checked.message);
        (checked.focus == CampoLogin::Senha ? EditSenhaU : EditNome)->setFocus(Qt::OtherFocusReason);
        return;
    }

    form_.MostraBotoes();
    esconde();
    EditNome->clear();
    EditSenhaU->clear();
    ctx.state.setNomeOperador(checked.typedName);

    const bool semEstacao = LocalizaEstacao().isEmpty();
    if (semEstacao) {
        ctx.boxes.message(QStringLiteral("Não foi identificada uma área de trabalho para o usuáro ")
                          + text::upperAZ(EditNome->text()));
        form_.close();
    }
    log_.RegistraEntrada(EditNome->text());
    if (!semEstacao && identificado)
        identificado();
}

QString PainelLogin::LocalizaEstacao()
{
    AppContext& ctx = form_.ctx();
    // The log lines take the operator's name from the name box.
    EditNome->setText(ctx.state.NomeOperador());
    const EstacaoDoOperador found = app::LocalizaEstacao(dm_, ctx.state, ctx.clock);
    if (!found.mensagem.isEmpty())
        ctx.boxes.message(found.mensagem);
    if (!found.legenda.isEmpty())
        form_.setWindowTitle(found.legenda);
    return found.datbasnam;
}

} // namespace qor::app
