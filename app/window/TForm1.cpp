#include "app/window/TForm1.h"

#include "app/state/MessageBoxes.h"
#include "app/widgets/DataSource.h"
#include "app/widgets/RunHandler.h"
#include "app/window/Captions.h"
#include "app/window/ClientAlign.h"
#include "app/window/Glyphs.h"
#include "app/window/Modules.h"
#include "app/window/StartupSteps.h"
#include "data/base/Error.h"
#include "data/local/CashTables.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

static void initWindowResources() { Q_INIT_RESOURCE(window); }

namespace qor::app {

namespace {

// The client area: the toolbar pnl1 stays along its top edge, everything
// client-aligned fills what lies below it.
class AreaCliente final : public QWidget {
public:
    explicit AreaCliente(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("AreaCliente"));
        setProperty("clientTop", TForm1::kToolbarHeight);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (auto* toolbar = findChild<QWidget*>(QStringLiteral("pnl1"), Qt::FindDirectChildrenOnly))
            toolbar->setGeometry(0, 0, width(), TForm1::kToolbarHeight);
    }
};

struct BotaoDaBarra {
    const char* name;
    int left;
    int width;
    const char* action;
    const char* caption;
    int image;
};

const BotaoDaBarra kBotoes[] = {
    {"btnOperadores", 1, 97, "act_Operadores", "Operadores", 5},
    {"btnSessoes_relatorios", 100, 97, "act_Sessoes_relatorios", "Relatórios", 0},
    {"btnVenda", 199, 97, "act_Venda", "Venda", 1},
    {"btnSangria", 298, 97, "act_Sangria", "Sangria", 4},
    {"btnRessuprimento", 397, 97, "act_Ressuprimento", "Ressuprimento", 3},
    {"btnSair", 496, 86, "act_Sair", "Sair", 2},
};

struct Acao {
    const char* name;
    const char* caption;
    int image;
};

const Acao kAcoes[] = {
    {"act_Operadores", "Operadores", 5},   {"act_Sessoes_relatorios", "Sessões / Relatórios", 0},
    {"act_Venda", "Venda", 1},             {"act_Sangria", "Sangria", 4},
    {"act_Ressuprimento", "Ressuprimento", 3}, {"act_Sair", "Sair", 2},
};

// The fields where Enter moves on to the next control.
const char* const kCamposEnter[] = {"EditNome",    "DBComboBox1", "DBEdit2",  "DBComboBox2",   "DBEdit18",
                                    "DBEdit20",    "DBLab",       "DBEdit47", "DBEdit48",      "DBLaboratorio"};

const char* const kPaineisGuardados[] = {"PainelFecharCaixa", "PainelAbrirCaixa", "PainelOperadores",
                                         "PainelSessoes", "PainelMovCaixa"};

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

TForm1::TForm1(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx)
{
    initWindowResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(captionInicial());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(600, 440);

    client_ = new AreaCliente(this);
    setCentralWidget(client_);
    keyPreview_ = new KeyPreview(this, [this] { focusNextPrevChild(true); }, systemCalculator());
    for (const char* name : kCamposEnter)
        keyPreview_->addEnterField(s(name));

    criaFundo();
    criaToolbar();
    criaMenu();
    criaFontesDeDados();
}

TForm1::~TForm1() = default;

void TForm1::criaFundo()
{
    auto* img1 = new QLabel(client_);
    img1->setObjectName(QStringLiteral("img1"));
    img1->setPixmap(QPixmap(QStringLiteral(":/window/img1.jpg")));
    img1->setScaledContents(true);
    img1->setGeometry(0, kToolbarHeight, 600, 440 - kToolbarHeight);

    auto* lbl1 = new QLabel(QStringLiteral("Pressione [F10]  para abrir a calculadora."), client_);
    lbl1->setObjectName(QStringLiteral("lbl_1"));
    lbl1->setAttribute(Qt::WA_TranslucentBackground);
    lbl1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    QFont f = lbl1->font();
    f.setBold(true);
    lbl1->setFont(f);
    lbl1->adjustSize();
    lbl1->move(10, kToolbarHeight + 8);
}

QAction* TForm1::criaComando(const QString& name, const QString& text, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, name] {
        if (const auto handler = handlers_.value(name))
            runHandler(handler);
    });
    return action;
}

void TForm1::criaToolbar()
{
    auto* acl1 = new QObject(this);
    acl1->setObjectName(QStringLiteral("acl_1"));
    for (const Acao& a : kAcoes) {
        QAction* action = criaComando(s(a.name), s(a.caption), acl1);
        action->setIcon(Glyphs::glyph(a.image));
    }

    auto* pnl1 = new QFrame(client_);
    pnl1->setObjectName(QStringLiteral("pnl1"));
    pnl1->setAutoFillBackground(true);
    QPalette white = pnl1->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnl1->setPalette(white);
    pnl1->setGeometry(0, 0, width(), kToolbarHeight);
    for (const BotaoDaBarra& b : kBotoes) {
        auto* button = new QToolButton(pnl1);
        button->setObjectName(s(b.name));
        button->setText(s(b.caption));
        button->setIcon(Glyphs::glyph(b.image));
        button->setIconSize(QSize(Glyphs::kSize, Glyphs::kSize));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(b.left, 1, b.width, 52);
        QAction* action = command(s(b.action));
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
        button->hide();
    }

    setHandler(QStringLiteral("act_Sair"), [this] { act_SairExecute(); });
}

void TForm1::criaMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    // A menu item bound to an action shows the action's caption and runs it.
    auto itemFor = [this](QMenu* menu, const QString& name, const QString& actionName) {
        QAction* action = command(actionName);
        auto* item = new QAction(action->text(), menu);
        item->setObjectName(name);
        item->setIcon(action->icon());
        connect(item, &QAction::triggered, action, &QAction::trigger);
        connect(action, &QAction::changed, item, [item, action] {
            item->setText(action->text());
            item->setEnabled(action->isEnabled());
        });
        menu->addAction(item);
        return item;
    };
    auto menu = [bar](const QString& name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(name);
        return m;
    };

    QMenu* arquivos = menu(QStringLiteral("Arquivos1"), QStringLiteral("Arquivos"));
    itemFor(arquivos, QStringLiteral("OperadoresdeCaixa1"), QStringLiteral("act_Operadores"));
    itemFor(arquivos, QStringLiteral("SessesdeCaixa1"), QStringLiteral("act_Sessoes_relatorios"));
    arquivos->addSeparator()->setObjectName(QStringLiteral("N1"));
    arquivos->addAction(criaComando(QStringLiteral("Sair2"), QStringLiteral("Sair"), arquivos));

    QMenu* abrirFechar = menu(QStringLiteral("AbrirFechar1"), QStringLiteral("&Abrir/Fechar"));
    abrirFechar->addAction(criaComando(QStringLiteral("FechamentodeCaixa1"), QStringLiteral("&Abrir Caixa"), abrirFechar));
    abrirFechar->addAction(criaComando(QStringLiteral("FecharCaixa1"), QStringLiteral("&Fechar Caixa"), abrirFechar));
    abrirFechar->addAction(criaComando(QStringLiteral("ParcialdoCaixa1"), QStringLiteral("Parcial do Caixa"), abrirFechar));

    QMenu* movimento = menu(QStringLiteral("Movimento1"), QStringLiteral("&Movimento"));
    itemFor(movimento, QStringLiteral("Venda1"), QStringLiteral("act_Venda"));
    itemFor(movimento, QStringLiteral("Sangria1"), QStringLiteral("act_Sangria"));
    itemFor(movimento, QStringLiteral("Ressuprimento1"), QStringLiteral("act_Ressuprimento"));

    QMenu* utilitarios = menu(QStringLiteral("Utilitarios1"), s("Utilitários"));
    utilitarios->addAction(criaComando(QStringLiteral("OtimizarMovcaixa1"), QStringLiteral("Limpar Tabelas"), utilitarios));
    utilitarios->addAction(
        criaComando(QStringLiteral("PagamentosPendentes1"), s("Pagamentos pendentes no pedido"), utilitarios));

    QAction* sairDaBarra = command(QStringLiteral("act_Sair"));
    auto* sair1 = new QAction(sairDaBarra->text(), bar);
    sair1->setObjectName(QStringLiteral("Sair1"));
    connect(sair1, &QAction::triggered, sairDaBarra, &QAction::trigger);
    bar->addAction(sair1);

    setHandler(QStringLiteral("Sair2"), [this] { Sair2Click(); });
}

void TForm1::criaFontesDeDados()
{
    data::CashTables& t = ctx_.tables;
    dsSessaoCx_ = new widgets::DataSource(QStringLiteral("DSSessaoCx"), &t.SessaoCx, ctx_.boxes, this);
    dsMovCaixa_ = new widgets::DataSource(QStringLiteral("DSMovCaixa"), &t.MovCaixa, ctx_.boxes, this);
    dsTabCaixa_ = new widgets::DataSource(QStringLiteral("DSTabCaixa"), &t.TabCaixa, ctx_.boxes, this);
    dsPeriodo_ = new widgets::DataSource(QStringLiteral("DSPeriodo"), &t.Periodo, ctx_.boxes, this);
    dsTabLab_ = new widgets::DataSource(QStringLiteral("DSTabLab"), &t.TabLab, ctx_.boxes, this);
}

Painel* TForm1::painel(const QString& name) const
{
    auto* p = client_->findChild<Painel*>(name, Qt::FindDirectChildrenOnly);
    if (!p)
        missingControl(name);
    return p;
}

void TForm1::installPanel(Painel* panel)
{
    Painel* old = client_->findChild<Painel*>(panel->objectName(), Qt::FindDirectChildrenOnly);
    panel->setParent(client_);
    if (old) {
        panel->setGeometry(old->geometry());
        panel->stackUnder(old);
        panel->setVisible(old->isVisibleTo(client_));
        delete old;
    } else {
        panel->hide();
    }
}

QAction* TForm1::command(const QString& name) const
{
    auto* a = findChild<QAction*>(name);
    if (!a)
        missingControl(name);
    return a;
}

void TForm1::setHandler(const QString& commandName, std::function<void()> handler)
{
    command(commandName); // the command must exist
    handlers_.insert(commandName, std::move(handler));
}

bool TForm1::runHandler(const std::function<void()>& handler) { return app::runHandler(ctx_.boxes, handler); }

void TForm1::missingControl(const QString& name) const
{
    throw Error(kind::FieldNotFound, QStringLiteral("Form1: componente %1 não encontrado").arg(name));
}

bool TForm1::PaineisAbertos()
{
    for (const char* name : kPaineisGuardados) {
        if (painel(s(name))->isVisibleTo(this)) {
            ctx_.boxes.message(kMsgPaineisAbertos);
            return true;
        }
    }
    return false;
}

bool TForm1::FaltaIdentificacao()
{
    if (!painel(QStringLiteral("PainelLogin"))->isVisibleTo(this))
        return false;
    ctx_.boxes.message(kMsgIdentificacao);
    control<QWidget>(QStringLiteral("EditNome")).setFocus(Qt::OtherFocusReason);
    return true;
}

void TForm1::MostraBotoes()
{
    for (const BotaoDaBarra& b : kBotoes)
        control<QToolButton>(s(b.name)).show();
}

void TForm1::Sair2Click()
{
    if (!PaineisAbertos())
        close();
}

void TForm1::act_SairExecute()
{
    if (!PaineisAbertos())
        close();
}

void TForm1::showEvent(QShowEvent* event)
{
    if (!shown_ && !event->spontaneous()) {
        // Once per run, at the first showing: a modal box closing gives the
        // window a fresh activation, which must not bring these back.
        shown_ = true;
        if (QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
        runHandler([this] { StartupSteps(*this).run(); });
        passosDeAtivacao();
    }
    QMainWindow::showEvent(event);
}

void TForm1::passosDeAtivacao()
{
    if (!painel(QStringLiteral("PainelSessoes"))->isVisibleTo(this)) {
        painel(QStringLiteral("PainelLogin"))->mostraEm(QRect(80, 64, 401, 193));
        auto& nome = control<QWidget>(QStringLiteral("EditNome"));
        if (nome.isEnabled() && nome.isVisibleTo(this))
            nome.setFocus(Qt::OtherFocusReason);
    }
    runHandler([this] {
        if (descartaMovimentosInacabados)
            descartaMovimentosInacabados();
        data::Query& q = ctx_.tables.Query1;
        q.close();
        q.setSql(QStringLiteral("Delete from movcaixa where npedido is null"));
        q.execSql();
    });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        passosDeEncerramento();
    }
    event->accept();
}

void TForm1::passosDeEncerramento()
{
    runHandler([this] {
        data::Query& q = ctx_.dm.qryClose();
        q.close();
        q.setSql(QStringLiteral("DELETE FROM MOVCAIXA WHERE NPEDIDO IS NULL AND SINALQUITACAO IS NULL"));
        q.execSql();
        q.close();
        if (RegistraSaida)
            RegistraSaida();
    });
}

} // namespace qor::app
