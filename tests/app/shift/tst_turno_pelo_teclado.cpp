// A shift run with keys only on the window as the program composes it: real
// panels, the data and report modules, an order database opened in-process;
// only the message boxes are scripted and the clock fixed. After every step
// the focus trail (each control that took the focus, in order) and the
// stored rows are compared.
#include "app/Application.h"
#include "app/window/TForm1.h"
#include "data/base/SuitePaths.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/Rows.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QComboBox>
#include <QTest>

using namespace qor;
using app::BoxAnswer;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// The controls of the main window that take the focus, one entry per change.
class Trilha : public QObject {
public:
    explicit Trilha(QWidget& window) : window_(window)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (!now || now->window() != &window_)
                return; // a menu or a box holding the keyboard for a while
            const QString name = now->objectName();
            if (passos_.isEmpty() || passos_.last() != name)
                passos_ << name;
        });
    }
    // The trail since the last call, as "EditNome > EditSenhaU".
    QString toma() { return std::exchange(passos_, {}).join(QStringLiteral(" > ")); }

private:
    QWidget& window_;
    QStringList passos_;
};

struct Turno {
    test::TempSuite suite;
    test::TempOrderDb ordens;
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(8, 0))};
    test::ScriptedMessageBoxes boxes;
    std::unique_ptr<app::Application> programa;
    std::unique_ptr<Trilha> trilha;

    Turno()
    {
        ordens.writeServidor();
        test::insertRow(kDados, "TabCaixa", {{"Caixa", "CAIXA"}});
        test::insertRows(kDados, "FormaPag", {{{"FormaPagto", "Dinheiro"}}, {{"FormaPagto", "Cheque"}}});
        test::insertRow(kDados, "TabLab", {{"Laboratorio", "LOJA1"}});
        test::insertRow("QUELVORA", "Parsist", {{"Op86", "LOJA1"}});
        programa = std::make_unique<app::Application>(boxes, clock, suite.root());
        trilha = std::make_unique<Trilha>(form());
    }

    app::TForm1& form() { return programa->form(); }

    // Where a key goes: the open menu, else the focused control, else the window.
    static QWidget* alvo()
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            return popup;
        return QApplication::focusWidget();
    }
    void tecla(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* w = alvo();
        QVERIFY2(w, "no control takes the keys");
        QTest::keyClick(w, key, mods);
    }
    // Typed character by character; accented letters come as the keyboard sends them.
    void digita(const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(alvo(), char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, alvo(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    // Alt+letter, then the keys inside the menu it opens.
    void menu(Qt::Key letter, const QList<Qt::Key>& teclas)
    {
        tecla(letter, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        for (Qt::Key k : teclas)
            tecla(k);
    }
    QVariantList coluna(const char* table, const char* field) { return test::column(kDados, table, field); }
};

} // namespace

class TstTurnoPeloTeclado : public QObject {
    Q_OBJECT
private slots:
    void wholeShiftByKeyboard();
};

void TstTurnoPeloTeclado::wholeShiftByKeyboard()
{
    Turno t;
    app::TForm1& w = t.form();
    t.programa->show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(t.trilha->toma(), QStringLiteral("EditNome"));

    // Identification. A menu opened by keys holds the focus in the menu bar
    // (MainMenu1) until the window takes it back.
    t.digita("caixa");
    t.tecla(Qt::Key_Return);
    t.digita("123");
    t.tecla(Qt::Key_Return);
    QCOMPARE(t.trilha->toma(), QStringLiteral("EditSenhaU > Form1"));
    QVERIFY(w.painel("PainelLogin")->isHidden());
    QCOMPARE(w.windowTitle(), QStringLiteral("  CAD. DE VEÍCULOS / BASES  -  Usuário: \"CAIXA\"   Estação: 01"));

    // Opening with a float: "&Abrir/Fechar" > "&Abrir Caixa".
    t.menu(Qt::Key_A, {Qt::Key_A});
    QCOMPARE(t.trilha->toma(), QStringLiteral("MainMenu1 > Form1 > DBComboBox1"));
    t.tecla(Qt::Key_Return);
    t.tecla(Qt::Key_A, Qt::ControlModifier);
    t.digita("150,00");
    t.tecla(Qt::Key_Return);
    t.tecla(Qt::Key_Return);
    QCOMPARE(t.trilha->toma(), QStringLiteral("DBEdit2 > BitBtn2 > Form1"));
    QCOMPARE(t.coluna("SessaoCx", "Troco"), QVariantList{150.0});
    QCOMPARE(t.coluna("SessaoCx", "Operador"), QVariantList{"CAIXA"});

    // A settlement with its order looked up: "&Movimento" > "Venda".
    t.menu(Qt::Key_M, {Qt::Key_Return});
    QCOMPARE(t.trilha->toma(), QStringLiteral("MainMenu1 > Form1 > DBComboBox2"));
    t.tecla(Qt::Key_Up); // chosen from the list with the arrow keys
    QCOMPARE(w.findChild<QComboBox*>("DBComboBox2")->currentText(), QStringLiteral("Sinal"));
    t.tecla(Qt::Key_Down);
    QCOMPARE(w.findChild<QComboBox*>("DBComboBox2")->currentText(), QStringLiteral("Quitação"));
    t.tecla(Qt::Key_Return);
    t.digita("01001002");
    t.tecla(Qt::Key_Return); // the lookup proposes the 70,00 still due
    for (int field = 0; field < 4; ++field)
        t.tecla(Qt::Key_Return);
    QCOMPARE(t.trilha->toma(), QStringLiteral("DBEdit19 > DBEdit18 > DBComboBox4 > DBEdit20 > DBLab > BitBtn5"));
    t.tecla(Qt::Key_Return);
    QCOMPARE(t.trilha->toma(), QStringLiteral("Form1"));
    QCOMPARE(t.coluna("MovCaixa", "NPedido"), QVariantList{"01.001002"});
    QCOMPARE(t.coluna("MovCaixa", "Valor"), QVariantList{70.0});
    QCOMPARE(t.coluna("Quitacao", "NPedido"), QVariantList{"001002"});

    // A withdrawal with its history: "&Movimento" > "Sangria". Its amount
    // differs from the remaining value of the order looked up last, so the
    // history is asked for.
    t.menu(Qt::Key_M, {Qt::Key_Down, Qt::Key_Return});
    QCOMPARE(t.trilha->toma(), QStringLiteral("MainMenu1 > Form1 > DBEdit18"));
    t.digita("20,00");
    t.boxes.script(BoxAnswer::Ok);
    t.tecla(Qt::Key_Return);
    QCOMPARE(t.boxes.lastText(), QStringLiteral("Favor preencher o histórico."));
    t.digita("Troco para o banco");
    for (int field = 0; field < 4; ++field)
        t.tecla(Qt::Key_Return);
    QCOMPARE(t.trilha->toma(), QStringLiteral("DBEdit20 > DBComboBox4 > DBEdit20 > BitBtn5 > Form1"));

    // A replenishment: "&Movimento" > "Ressuprimento".
    t.menu(Qt::Key_M, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    QCOMPARE(t.trilha->toma(), QStringLiteral("MainMenu1 > Form1 > DBEdit18"));
    t.digita("50,00");
    t.boxes.script(BoxAnswer::Ok);
    t.tecla(Qt::Key_Return);
    t.digita("Reforço de troco");
    for (int field = 0; field < 4; ++field)
        t.tecla(Qt::Key_Return);
    QCOMPARE(t.trilha->toma(), QStringLiteral("DBEdit20 > DBComboBox4 > DBEdit20 > BitBtn5 > Form1"));
    QCOMPARE(t.coluna("MovCaixa", "TipoMov"), (QVariantList{"Venda", "Sangria", "Ressuprimento"}));
    QCOMPARE(t.coluna("MovCaixa", "Valor"), (QVariantList{70.0, 20.0, 50.0}));
    QCOMPARE(t.coluna("MovCaixa", "Historico"),
             (QVariantList{QVariant(), "Troco para o banco", QStringLiteral("Reforço de troco")}));

    // The closing: "&Abrir/Fechar" > "&Fechar Caixa", not printing the summary.
    t.menu(Qt::Key_A, {Qt::Key_F});
    QCOMPARE(t.trilha->toma(), QStringLiteral("MainMenu1 > Form1 > BitBtn3"));
    t.boxes.script(BoxAnswer::No);
    t.tecla(Qt::Key_Tab);
    t.tecla(Qt::Key_Return);
    QCOMPARE(t.boxes.lastText(), QStringLiteral("Deseja imprimir o relatório de fechamento de caixa agora?"));
    QCOMPARE(t.trilha->toma(), QStringLiteral("BotFechaCaixa > Form1"));
    QCOMPARE(t.coluna("SessaoCx", "DataFechamento"), QVariantList{QDate(2026, 12, 10)});
    QCOMPARE(t.coluna("SessaoCx", "TotalDinheiro"), QVariantList{150.0 + 70.0 - 20.0 + 50.0});

    // The session browser: "Arquivos" (no access letter; from "&Movimento"
    // two menus to the left) > "Sessões / Relatórios".
    t.menu(Qt::Key_M, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Return});
    QCOMPARE(t.trilha->toma(), QStringLiteral("MainMenu1 > Form1 > DBGrid2"));
    t.tecla(Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        t.tecla(Qt::Key_Tab);
    t.tecla(Qt::Key_Space); // "Relatórios": the report panel over the browser
    QCOMPARE(t.trilha->toma(), QStringLiteral("btn1 > btn4 > btn3 > btn5"));
    t.tecla(Qt::Key_Backtab); // round the report panel, never to the browser under it
    t.tecla(Qt::Key_Space);   // "Fechar Painel de Relatórios"
    t.tecla(Qt::Key_Backtab);
    t.tecla(Qt::Key_Space); // "Voltar"
    QCOMPARE(t.trilha->toma(), QStringLiteral("btn2 > btn3 > btn4 > Form1"));
    QVERIFY(w.painel("PainelSessoes")->isHidden());

    // "Arquivos" > "Sair": the shut-down steps write the exit line.
    t.menu(Qt::Key_M, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Return});
    QTRY_VERIFY(!w.isVisible());
    const QStringList logs = QDir(t.suite.root()).entryList({"LOG*.txt"});
    QCOMPARE(logs.size(), 1);
    const QByteArray log = t.suite.readFile(logs.first());
    QVERIFY2(log.contains("CAIXA saiu do caixa em 10/12/26"), log.constData());
    QCOMPARE(t.boxes.unscripted(), 0);
    QCOMPARE(t.boxes.pendingAnswers(), 0);
}

QTEST_MAIN(TstTurnoPeloTeclado)
#include "tst_turno_pelo_teclado.moc"
