#include "app/widgets/QtMessageBoxes.h"
#include "app/window/Captions.h"
#include "app/window/PlaceholderPanels.h"
#include "data/base/Error.h"
#include "tests/app/fixture/ComboItems.h"
#include "tests/app/fixture/FormFixture.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace qor;
using app::TForm1;
using test::FormFixture;
using test::insertRow;
using test::insertRows;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

} // namespace

using qor::test::items;

class TstWindow : public QObject {
    Q_OBJECT
private slots:
    void mainWindowAsCreated();
    void toolbarButtons_data();
    void toolbarButtons();
    void mainMenu();
    void captions_data();
    void captions();
    void firstStartOnEmptyTables();
    void lastSession_data();
    void lastSession();
    void startupFillsTheLists();
    void emptyTabLabDisablesStoreChoice();
    void quitacaoKeepsSevenDays();
    void startupErrorEndsTheSequenceAndTheWindowOpens();
    void activationShowsLoginAndDiscardsAbandonedRows();
    void closedMessageBoxDoesNotRunActivationAgain();
    void gateRefusesWhileNotIdentified_data();
    void gateRefusesWhileNotIdentified();
    void guardRefusesWhileAPanelIsOpen_data();
    void guardRefusesWhileAPanelIsOpen();
    void guardIgnoresLoginAndPeriodPanels();
    void sairWithPanelOpenRefusesCloseBoxStillCloses();
    void sairClosesAndRunsShutDown();
    void enterMovesFocusAndInsertsNothing_data();
    void enterMovesFocusAndInsertsNothing();
    void enterInOtherFieldsIsPassedOn();
    void enterClicksFocusedButton();
    void f10StartsCalculatorWithoutConsumingKey_data();
    void f10StartsCalculatorWithoutConsumingKey();
    void uncaughtErrorEndsHandlerAndProgramGoesOn();
    void installPanelReplacesPlaceholder();
};

void TstWindow::mainWindowAsCreated()
{
    FormFixture f;
    TForm1& w = f.form();
    QCOMPARE(w.objectName(), QStringLiteral("Form1"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" QOR CAIXA"));
    QCOMPARE(w.size(), QSize(600, 440));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(f.find<QLabel>("lbl_1")->text(), QStringLiteral("Pressione [F10]  para abrir a calculadora."));
    QVERIFY(!f.find<QLabel>("img1")->pixmap().isNull());
    auto* pnl1 = f.find("pnl1");
    QCOMPARE(pnl1->height(), 54);
    QCOMPARE(pnl1->palette().color(QPalette::Window), QColor(Qt::white));

    for (const QString& name : app::nomesDosPaineis()) {
        app::Painel* p = w.painel(name);
        QCOMPARE(p->titulo(), app::tituloDoPainel(name));
        QVERIFY2(p->isHidden(), qPrintable(name));
    }
    QCOMPARE(w.painel("PainelMovCaixa")->titulo(), QStringLiteral("Movimento de Caixa"));
    QCOMPARE(w.painel("PainelSessoes")->titulo(), QStringLiteral("Sessões de Caixa"));
    for (const char* ds : {"DSSessaoCx", "DSMovCaixa", "DSTabCaixa", "DSPeriodo", "DSTabLab"})
        QVERIFY2(w.findChild<QObject*>(ds), ds);
}

void TstWindow::toolbarButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("action");
    QTest::newRow("operadores") << "btnOperadores" << 1 << 97 << "Operadores" << "act_Operadores";
    QTest::newRow("relatorios") << "btnSessoes_relatorios" << 100 << 97 << "Relatórios" << "act_Sessoes_relatorios";
    QTest::newRow("venda") << "btnVenda" << 199 << 97 << "Venda" << "act_Venda";
    QTest::newRow("sangria") << "btnSangria" << 298 << 97 << "Sangria" << "act_Sangria";
    QTest::newRow("ressuprimento") << "btnRessuprimento" << 397 << 97 << "Ressuprimento" << "act_Ressuprimento";
    QTest::newRow("sair") << "btnSair" << 496 << 86 << "Sair" << "act_Sair";
}

void TstWindow::toolbarButtons()
{
    QFETCH(QString, button);
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(QString, caption);
    QFETCH(QString, action);
    FormFixture f;
    f.start();
    auto* b = f.find<QToolButton>(button);
    QVERIFY(b);
    QVERIFY(b->isHidden());
    QCOMPARE(b->geometry(), QRect(left, 1, width, 52));
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QVERIFY(b->autoRaise());
    QCOMPARE(b->iconSize(), QSize(24, 24));
    f.form().MostraBotoes();
    QVERIFY(b->isVisible());

    // The button runs its action: here the gate or the guard answers.
    f.boxes.answerAllOk();
    QSignalSpy triggered(f.form().command(action), &QAction::triggered);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
}

void TstWindow::mainMenu()
{
    FormFixture f;
    QMenuBar* bar = f.form().menuBar();
    QCOMPARE(bar->objectName(), QStringLiteral("MainMenu1"));
    QStringList top;
    for (QAction* a : bar->actions())
        top << a->text();
    QCOMPARE(top, (QStringList{"Arquivos", "&Abrir/Fechar", "&Movimento", "Utilitários", "Sair"}));

    auto texts = [&](const char* menu) {
        QStringList out;
        for (QAction* a : f.find<QMenu>(menu)->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('=') + a->text());
        return out;
    };
    QCOMPARE(texts("Arquivos1"), (QStringList{"OperadoresdeCaixa1=Operadores",
                                               "SessesdeCaixa1=Sessões / Relatórios", "-", "Sair2=Sair"}));
    QCOMPARE(texts("AbrirFechar1"), (QStringList{"FechamentodeCaixa1=&Abrir Caixa", "FecharCaixa1=&Fechar Caixa"}));
    QCOMPARE(texts("Movimento1"), (QStringList{"Venda1=Venda", "Sangria1=Sangria", "Ressuprimento1=Ressuprimento"}));
    QCOMPARE(texts("Utilitarios1"), (QStringList{"OtimizarMovcaixa1=Limpar Tabelas",
                                                  "PagamentosPendentes1=Pagamentos pendentes no pedido"}));
    for (QAction* a : f.form().findChildren<QAction*>())
        QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));

    // An item bound to an action runs it.
    QSignalSpy venda(f.form().command("act_Venda"), &QAction::triggered);
    f.boxes.answerAllOk();
    f.find<QAction>("Venda1")->trigger();
    QCOMPARE(venda.count(), 1);
}

void TstWindow::captions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    QTest::newRow("creation") << app::captionInicial() << " QOR CAIXA";
    QTest::newRow("open") << app::captionCaixaAberto("ANA") << " QOR CAIXA - Caixa Aberto. Operador: ANA";
    QTest::newRow("identified") << app::captionIdentificado("ANA", "01")
                                << "  CAD. DE VEÍCULOS / BASES  -  Usuário: \"ANA\"   Estação: 01";
    QTest::newRow("closed") << app::captionCaixaFechado() << "QOR CAIXA - Caixa Fechado";
}

void TstWindow::captions()
{
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    QCOMPARE(caption, expected);
}

void TstWindow::firstStartOnEmptyTables()
{
    FormFixture f;
    // The set-up gave the one-row tables their row; start-up adds it again
    // when another program has emptied them.
    QVERIFY(test::RawDatabase(kDados).exec("DELETE FROM CaixaCor; DELETE FROM CTCaixa"));
    f.start();
    QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{0});
    QCOMPARE(test::column("c:\\quelvora\\dados", "CTCaixa", "CTSangria"), QVariantList{0});
    QCOMPARE(test::column("c:\\quelvora\\dados", "CTCaixa", "CTRessuprimento"), QVariantList{0});
    QCOMPARE(f.form().windowTitle(), QStringLiteral(" QOR CAIXA"));
    QVERIFY(!f.state.CaixaAberto);
    QVERIFY(f.boxes.shown().isEmpty());
    for (auto* t : f.tables.findChildren<data::DataSet*>())
        QVERIFY2(!t->active(), qPrintable(t->objectName()));
}

void TstWindow::lastSession_data()
{
    QTest::addColumn<bool>("closed");
    QTest::newRow("open") << false;
    QTest::newRow("closed") << true;
}

void TstWindow::lastSession()
{
    QFETCH(bool, closed);
    FormFixture f;
    const QString operador = QStringLiteral("OPERADORA COM UM NOME BEM COMPRIDO");
    insertRows(kDados, "SessaoCx",
               {{{"NumSessao", 1}, {"Operador", "ANTIGO"}, {"DataFechamento", QDate(2026, 12, 1)}},
                {{"NumSessao", 2}, {"Operador", operador},
                 {"DataFechamento", closed ? QVariant(QDate(2026, 12, 9)) : QVariant()}}});
    f.state.setNomeOperador("ALGUEM");
    f.start();
    QCOMPARE(f.state.CaixaAberto, !closed);
    if (closed) {
        QCOMPARE(f.form().windowTitle(), QStringLiteral(" QOR CAIXA"));
        QCOMPARE(f.state.NomeOperador(), QStringLiteral("ALGUEM"));
    } else {
        QCOMPARE(f.state.NomeOperador(), operador.left(30));
        QCOMPARE(f.form().windowTitle(), " QOR CAIXA - Caixa Aberto. Operador: " + operador.left(30));
    }
}

void TstWindow::startupFillsTheLists()
{
    FormFixture f;
    insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BETO"}}});
    insertRows(kDados, "TabLab", {{{"Laboratorio", "CENTRO"}}, {{"Laboratorio", "SHOPPING"}}});
    insertRows(kDados, "FormaPag", {{{"FormaPagto", "Dinheiro"}}, {{"FormaPagto", "Cheque pré."}}});
    insertRow("QUELVORA", "Parsist", {{"Op86", "LOJA-PADRAO-LONGA"}});
    f.state.HistoricoPedido = true;
    f.start();
    QCOMPARE(items(f.find<QComboBox>("DBComboBox1")), (QStringList{"ANA", "BETO"}));
    QCOMPARE(items(f.find<QComboBox>("DBLaboratorio")), (QStringList{"CENTRO", "SHOPPING"}));
    QCOMPARE(items(f.find<QComboBox>("DBLab")), (QStringList{"CENTRO", "SHOPPING"}));
    QVERIFY(f.find<QComboBox>("DBLaboratorio")->isEnabled());
    QCOMPARE(items(f.find<QComboBox>("DBComboBox4")), (QStringList{"Dinheiro", "Cheque pré."}));
    QCOMPARE(f.state.LojaPadrao(), QStringLiteral("LOJA-PADRA"));
    QVERIFY(!f.state.HistoricoPedido);
}

void TstWindow::emptyTabLabDisablesStoreChoice()
{
    FormFixture f;
    f.start();
    QVERIFY(!f.find<QComboBox>("DBLaboratorio")->isEnabled());
    QCOMPARE(f.find<QComboBox>("DBLaboratorio")->count(), 0);
    QCOMPARE(f.find<QComboBox>("DBLab")->count(), 0);
}

void TstWindow::quitacaoKeepsSevenDays()
{
    FormFixture f; // today 10/12/2026
    auto row = [](const char* pedido, const QVariant& date) {
        return test::Row{{"Estacao", "01"}, {"NPedido", pedido}, {"SinalQuitacao", "Q"}, {"DataMov", date}};
    };
    insertRows(kDados, "Quitacao",
               {row("1", QDate(2026, 12, 2)), row("2", QDate(2026, 12, 3)), row("3", QVariant()),
                row("4", QDate(2026, 12, 10)), row("5", QDate(2025, 1, 1))});
    f.start();
    QCOMPARE(test::column(kDados, "Quitacao", "NPedido"), (QVariantList{"2", "4"}));
}

void TstWindow::startupErrorEndsTheSequenceAndTheWindowOpens()
{
    FormFixture f;
    insertRow(kDados, "TabCaixa", {{"Caixa", "ANA"}});
    QVERIFY(test::RawDatabase("c:\\quelvora\\dados").exec("DELETE FROM CTCaixa"));
    // A movement panel without its payment-form box: step 6 fails.
    f.form().installPanel(new app::Painel("PainelMovCaixa", "Movimento de Caixa"));
    f.boxes.script(app::BoxAnswer::Ok);
    f.start();
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.lastText().startsWith("Erro inesperado.\rClasse: EFieldNotFound\rErro: "));
    QCOMPARE(items(f.find<QComboBox>("DBComboBox1")), QStringList{"ANA"}); // step 5 ran
    QCOMPARE(test::countRows("c:\\quelvora\\dados", "CTCaixa"), 0);        // step 9 did not
    QVERIFY(f.form().isVisible());
    QVERIFY(f.form().painel("PainelLogin")->isVisible());
    QVERIFY(!f.tables.TabLab.active());
}

void TstWindow::activationShowsLoginAndDiscardsAbandonedRows()
{
    FormFixture f;
    insertRows(kDados, "MovCaixa",
               {{{"NumSessao", 1}, {"SinalQuitacao", "Quitação"}}, {{"NumSessao", 1}, {"NPedido", "01.000123"}}});
    f.start();
    app::Painel* login = f.form().painel("PainelLogin");
    QVERIFY(login->isVisible());
    QCOMPARE(login->geometry(), QRect(80, 64, 401, 193));
    QCOMPARE(QApplication::focusWidget(), f.find("EditNome"));
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"01.000123"});
}

void TstWindow::closedMessageBoxDoesNotRunActivationAgain()
{
    FormFixture f;
    f.start();
    f.identify();
    insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"SinalQuitacao", "Quitação"}});

    // A real modal box over the window, closed by the operator.
    app::QtMessageBoxes screen;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(QMessageBox::Ok)->click();
    });
    f.form().runHandler([&] { screen.message("Caixa já está aberto."); });
    QTest::qWait(20);
    f.form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form()));

    QVERIFY(f.form().painel("PainelLogin")->isHidden());
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 1);
}

void TstWindow::gateRefusesWhileNotIdentified_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("panel");
    QTest::newRow("abrir") << "FechamentodeCaixa1" << "PainelAbrirCaixa";
    QTest::newRow("fechar") << "FecharCaixa1" << "PainelFecharCaixa";
    QTest::newRow("operadores") << "act_Operadores" << "PainelOperadores";
    QTest::newRow("sessoes") << "act_Sessoes_relatorios" << "PainelSessoes";
    QTest::newRow("venda") << "act_Venda" << "PainelMovCaixa";
    QTest::newRow("sangria") << "act_Sangria" << "PainelMovCaixa";
    QTest::newRow("ressuprimento") << "act_Ressuprimento" << "PainelMovCaixa";
    QTest::newRow("limpar") << "OtimizarMovcaixa1" << "";
    QTest::newRow("pendentes") << "PagamentosPendentes1" << "";
}

void TstWindow::gateRefusesWhileNotIdentified()
{
    QFETCH(QString, command);
    QFETCH(QString, panel);
    FormFixture f;
    f.start();
    f.find("EditSenhaU")->setFocus();
    f.boxes.script(app::BoxAnswer::Ok);
    f.trigger(command);
    QCOMPARE(f.boxes.texts(), QStringList{"Favor fazer a identificação do usuário antes de prosseguir."});
    QCOMPARE(f.boxes.shown().first().kind, app::BoxKind::Plain);
    QCOMPARE(f.boxes.shown().first().title, QStringLiteral("QOR Caixa"));
    QCOMPARE(QApplication::focusWidget(), f.find("EditNome"));
    if (!panel.isEmpty())
        QVERIFY(f.form().painel(panel)->isHidden());
}

void TstWindow::guardRefusesWhileAPanelIsOpen_data()
{
    QTest::addColumn<QString>("command");
    for (const char* c : {"FechamentodeCaixa1", "FecharCaixa1", "act_Operadores", "act_Sessoes_relatorios",
                          "act_Venda", "act_Sangria", "act_Ressuprimento", "act_Sair", "Sair2"})
        QTest::newRow(c) << c;
}

void TstWindow::guardRefusesWhileAPanelIsOpen()
{
    QFETCH(QString, command);
    FormFixture f;
    f.start();
    f.identify();
    f.trigger("act_Operadores");
    QVERIFY(f.form().painel("PainelOperadores")->isVisible());
    QVERIFY(f.form().painel("PainelOperadores")->alinhadoAoCliente());
    QCOMPARE(f.form().painel("PainelOperadores")->geometry(),
             f.form().clientArea()->rect().adjusted(0, TForm1::kToolbarHeight, 0, 0));

    f.boxes.script(app::BoxAnswer::Ok);
    f.trigger(command);
    QCOMPARE(f.boxes.texts(),
             QStringList{"Atenção: Existem painéis abertos.\rFavor fechá-los antes de sair do programa caixa."});
    QVERIFY(f.form().isVisible());
    QVERIFY(f.form().painel("PainelOperadores")->isVisible());
}

void TstWindow::guardIgnoresLoginAndPeriodPanels()
{
    FormFixture f;
    f.start(); // PainelLogin visible
    f.form().painel("PainelPeriodo")->show();
    QVERIFY(!f.form().PaineisAbertos());
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstWindow::sairWithPanelOpenRefusesCloseBoxStillCloses()
{
    FormFixture f;
    int exitLines = 0;
    f.form().RegistraSaida = [&] { ++exitLines; };
    insertRows(kDados, "MovCaixa",
               {{{"NumSessao", 1}, {"NPedido", "01.000001"}},
                {{"NumSessao", 1}, {"SinalQuitacao", "Quitação"}},
                {{"NumSessao", 1}, {"Valor", 5.0}}}); // both empty: goes at shut-down
    f.start();
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 1); // activation: npedido is null
    insertRows(kDados, "MovCaixa",
               {{{"NumSessao", 1}, {"SinalQuitacao", "Sinal"}}, {{"NumSessao", 1}, {"Valor", 7.0}}});
    f.identify();
    f.trigger("act_Venda");
    f.boxes.script(app::BoxAnswer::Ok);
    f.trigger("Sair2");
    QCOMPARE(f.boxes.lastText(), TForm1::kMsgPaineisAbertos);
    QVERIFY(f.form().isVisible());
    QCOMPARE(exitLines, 0);

    QVERIFY(f.form().close()); // the close box
    QVERIFY(!f.form().isVisible());
    QCOMPARE(exitLines, 1);
    QCOMPARE(test::column(kDados, "MovCaixa", "SinalQuitacao"), (QVariantList{QVariant(), "Sinal"}));
    QVERIFY(!f.dm.qryClose().active());
}

void TstWindow::sairClosesAndRunsShutDown()
{
    FormFixture f;
    int exitLines = 0;
    f.form().RegistraSaida = [&] { ++exitLines; };
    f.start();
    insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"Valor", 1.0}});
    f.trigger("act_Sair"); // no identification needed to leave
    QVERIFY(!f.form().isVisible());
    QCOMPARE(exitLines, 1);
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 0);
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstWindow::enterMovesFocusAndInsertsNothing_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("next");
    QTest::newRow("EditNome") << "PainelLogin" << "EditNome" << "EditSenhaU";
    QTest::newRow("DBEdit47") << "PainelPeriodo" << "DBEdit47" << "DBEdit48";
    QTest::newRow("DBComboBox1") << "PainelAbrirCaixa" << "DBComboBox1" << "DBEdit2";
}

void TstWindow::enterMovesFocusAndInsertsNothing()
{
    QFETCH(QString, panel);
    QFETCH(QString, field);
    QFETCH(QString, next);
    FormFixture f;
    f.start();
    if (panel != QLatin1String("PainelLogin")) {
        f.identify();
        f.form().painel(panel)->mostraNaAreaCliente();
    }
    QWidget* w = f.find(field);
    w->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "12");
    const QString before = w->property("currentText").isValid() ? w->property("currentText").toString()
                                                                  : w->property("displayText").toString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.find(next));
    const QString after = w->property("currentText").isValid() ? w->property("currentText").toString()
                                                                 : w->property("displayText").toString();
    QCOMPARE(after, before);
    QVERIFY(!after.contains('\r') && !after.contains('\n'));
    w->setFocus(); // the keypad's Enter too
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), f.find(next));
}

void TstWindow::enterInOtherFieldsIsPassedOn()
{
    FormFixture f;
    f.start();
    auto* senha = f.find<QLineEdit>("EditSenhaU");
    senha->setFocus();
    QSignalSpy returned(senha, &QLineEdit::returnPressed);
    QTest::keyClick(senha, Qt::Key_Return);
    QCOMPARE(returned.count(), 1);
    QCOMPARE(QApplication::focusWidget(), senha);
}

void TstWindow::enterClicksFocusedButton()
{
    FormFixture f;
    f.start();
    auto* ok = f.find<QPushButton>("BotOkSenha");
    QSignalSpy clicked(ok, &QPushButton::clicked);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
}

void TstWindow::f10StartsCalculatorWithoutConsumingKey_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::newRow("alone") << int(Qt::NoModifier);
    QTest::newRow("shift") << int(Qt::ShiftModifier);
    QTest::newRow("ctrl") << int(Qt::ControlModifier);
    QTest::newRow("alt") << int(Qt::AltModifier);
}

void TstWindow::f10StartsCalculatorWithoutConsumingKey()
{
    QFETCH(int, modifiers);

    // Records the F10 presses that reach the control itself.
    struct Receiver : QObject {
        int f10 = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F10)
                ++f10;
            return false;
        }
    } receiver;

    FormFixture f;
    f.start();
    QWidget* nome = f.find("EditNome");
    nome->installEventFilter(&receiver);
    QTest::keyClick(nome, Qt::Key_F10, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.calculatorStarts, 1);
    QCOMPARE(receiver.f10, 1);
}

void TstWindow::uncaughtErrorEndsHandlerAndProgramGoesOn()
{
    FormFixture f;
    f.start();
    f.identify();
    bool after = false;
    f.form().setHandler("act_Venda", [&] {
        throw Error(kind::DatabaseLocked, "Tabela MovCaixa em uso");
        after = true;
    });
    f.boxes.script(app::BoxAnswer::Ok);
    f.trigger("act_Venda");
    QVERIFY(!after);
    QCOMPARE(f.boxes.lastText(), QStringLiteral("Erro inesperado.\rClasse: EDatabaseLocked\rErro: Tabela MovCaixa em uso"));
    f.trigger("act_Operadores"); // the next command works
    QVERIFY(f.form().painel("PainelOperadores")->isVisible());
}

void TstWindow::installPanelReplacesPlaceholder()
{
    FormFixture f;
    auto* real = new app::Painel("PainelOperadores", "Operadores de Caixa");
    f.form().installPanel(real);
    QCOMPARE(f.form().painel("PainelOperadores"), real);
    QCOMPARE(f.form().findChildren<app::Painel*>("PainelOperadores").size(), 1);
    QVERIFY(real->isHidden());
    QCOMPARE(real->parentWidget(), f.form().clientArea());
}

QTEST_MAIN(TstWindow)
#include "tst_window.moc"
