// Enter and exit of a control as its handlers see them, with real modal
// boxes taking the keyboard in the middle of a focus change.
#include "cash/movement/ui/FocoDoCampo.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using qor::cash::FocoDoCampo;

namespace {

// Shows a real modal box and lets the "operator" close it.
void caixaModal()
{
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    QWidget* janela = QApplication::activeWindow();
    QMessageBox::information(janela, "QOR Caixa", "aviso");
    // Offscreen nobody hands the activation back: do what the window system does.
    if (janela) {
        janela->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(janela));
    }
}

struct Janela {
    QWidget w;
    QLineEdit* a = new QLineEdit(&w);
    QComboBox* b = new QComboBox(&w);
    QLineEdit* c = new QLineEdit(&w);
    QStringList eventos;

    Janela()
    {
        auto* layout = new QVBoxLayout(&w);
        for (QWidget* x : std::initializer_list<QWidget*>{a, b, c})
            layout->addWidget(x);
        b->setEditable(true);
        b->addItems({"um", "dois"});
        auto registra = [this](QWidget* x, const QString& nome) {
            new FocoDoCampo(
                x, [this, nome] { eventos << "entra " + nome; }, [this, nome] { eventos << "sai " + nome; });
        };
        registra(b, "b");
        registra(c, "c");
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
};

} // namespace

class TstFocoDoCampo : public QObject {
    Q_OBJECT
private slots:
    void tabInAndOut()
    {
        Janela j;
        j.c->setFocus();
        j.a->setFocus();
        j.eventos.clear();
        QTest::keyClick(j.a, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), j.b);
        QTest::keyClick(j.b, Qt::Key_Tab);
        QCOMPARE(j.eventos, (QStringList{"entra b", "sai b", "entra c"}));
    }

    void modalBoxIsNeitherExitNorEntry()
    {
        Janela j;
        j.c->setFocus();
        j.eventos.clear();
        caixaModal();
        QTest::qWait(20);
        QVERIFY(QTest::qWaitForWindowActive(&j.w));
        QCOMPARE(QApplication::focusWidget(), j.c);
        QVERIFY(j.eventos.isEmpty());
    }

    void exitHandlerThatShowsABoxAndMovesTheFocus()
    {
        Janela j;
        // Leaving `a` for `b`, a's handler warns and sends the focus to `c`:
        // `b`, which never really had the focus, neither enters nor leaves.
        new FocoDoCampo(j.a, {}, [&j] {
            caixaModal();
            j.c->setFocus(Qt::OtherFocusReason);
        });
        j.c->setFocus();
        j.a->setFocus();
        j.eventos.clear();
        QTest::keyClick(j.a, Qt::Key_Tab);
        QTest::qWait(20);
        QCOMPARE(QApplication::focusWidget(), j.c);
        QCOMPARE(j.eventos, QStringList{"entra c"});
    }

    void focusGivenWhileTheWindowWaitsCountsOnceItIsBack()
    {
        Janela j;
        j.a->setFocus();
        j.eventos.clear();
        // Where the window system hands the activation back late, the focus
        // is given while the window still waits for it.
        QTimer::singleShot(0, [&j] {
            j.c->setFocus(Qt::OtherFocusReason);
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        QMessageBox::information(&j.w, "QOR Caixa", "aviso");
        j.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&j.w));
        QTest::qWait(0);
        QCOMPARE(QApplication::focusWidget(), j.c);
        QCOMPARE(j.eventos, QStringList{"entra c"});
        QTest::keyClick(j.c, Qt::Key_Backtab);
        QCOMPARE(j.eventos, (QStringList{"entra c", "sai c", "entra b"}));
    }
};

QTEST_MAIN(TstFocoDoCampo)
#include "tst_foco_do_campo.moc"
