#pragma once

#include "app/window/AppContext.h"
#include "app/window/Calculator.h"
#include "app/window/KeyPreview.h"
#include "app/window/Painel.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QToolButton;

namespace qor::widgets {
class DataSource;
}

namespace qor::app {

// The main window Form1: toolbar, main menu, the panels, the open-panels
// guard, the identification gate, the keyboard preview, and the start-up,
// activation and shut-down steps. Every command runs as a handler (see
// setHandler); an error a handler does not catch reaches the
// unexpected-error display and the handler ends there.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kToolbarHeight = 54;
    static inline const QString kMsgPaineisAbertos =
        QStringLiteral("Atenção: Existem painéis abertos.\rFavor fechá-los antes de sair do programa caixa.");
    static inline const QString kMsgIdentificacao =
        QStringLiteral("Favor fazer a identificação do usuário antes de prosseguir.");

    explicit TForm1(AppContext& ctx, QWidget* parent = nullptr);
    ~TForm1() override;

    AppContext& ctx() const { return ctx_; }

    // Start-up steps 1-3 and the exit log line, filled by the composition
    // root from the site-configuration and log modules; empty ones are skipped.
    std::function<void()> configuraDestinos;
    std::function<void()> ligaDiagnostico;
    std::function<void()> expurgaArquivosQuitacao;
    std::function<void()> RegistraSaida;
    // Activation: removes the movements whose entry an interrupted run left
    // unfinished, before the purge of rows without an order reference.
    std::function<void()> descartaMovimentosInacabados;

    // True, after its message, while a guarded panel is visible.
    bool PaineisAbertos();
    // The identification gate: true, after its message and with the focus
    // put in EditNome, while PainelLogin is visible.
    bool FaltaIdentificacao();
    // Shows the six toolbar buttons (after an identification).
    void MostraBotoes();

    // The panels, by name; the client area is their parent.
    Painel* painel(const QString& name) const;
    QWidget* clientArea() const { return client_; }
    // Puts `panel` in the place of the panel of the same objectName (a
    // placeholder until then), keeping its stacking, visibility and placement.
    void installPanel(Painel* panel);

    // Commands by objectName: the actions of acl_1 (act_Venda, ...) and the
    // menu items with handlers of their own (FechamentodeCaixa1, FecharCaixa1,
    // OtimizarMovcaixa1, Sair2). setHandler replaces what the command runs.
    QAction* command(const QString& name) const;
    void setHandler(const QString& commandName, std::function<void()> handler);
    // Runs `handler` the way every command runs.
    bool runHandler(const std::function<void()>& handler);

    // Enter-key rule fields, F10, Enter on buttons, Esc on a cancel button.
    KeyPreview& keyPreview() const { return *keyPreview_; }

    widgets::DataSource& DSSessaoCx() const { return *dsSessaoCx_; }
    widgets::DataSource& DSMovCaixa() const { return *dsMovCaixa_; }
    widgets::DataSource& DSTabCaixa() const { return *dsTabCaixa_; }
    widgets::DataSource& DSPeriodo() const { return *dsPeriodo_; }
    widgets::DataSource& DSTabLab() const { return *dsTabLab_; }

    // A control of the window by objectName; raises when there is none, so a
    // panel that lost a control the start-up fills is found at once.
    template <typename W>
    W& control(const QString& name) const
    {
        W* w = findChild<W*>(name);
        if (!w)
            missingControl(name);
        return *w;
    }

    void Sair2Click();
    void act_SairExecute();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    [[noreturn]] void missingControl(const QString& name) const;
    void criaFundo();
    void criaToolbar();
    void criaMenu();
    void criaPaineis();
    void criaFontesDeDados();
    QAction* criaComando(const QString& name, const QString& text, QObject* parent);
    void abrePainelProvisorio(const QString& name, bool guarded);
    void passosDeAtivacao();
    void passosDeEncerramento();

    AppContext& ctx_;
    QWidget* client_ = nullptr;
    KeyPreview* keyPreview_ = nullptr;
    QHash<QString, std::function<void()>> handlers_;
    widgets::DataSource* dsSessaoCx_ = nullptr;
    widgets::DataSource* dsMovCaixa_ = nullptr;
    widgets::DataSource* dsTabCaixa_ = nullptr;
    widgets::DataSource* dsPeriodo_ = nullptr;
    widgets::DataSource* dsTabLab_ = nullptr;
    bool shown_ = false;
    bool closed_ = false;
};

} // namespace qor::app
