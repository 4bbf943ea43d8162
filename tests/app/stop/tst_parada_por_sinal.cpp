#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QProcess>
#include <QTest>

#include <csignal>

using namespace qor;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// The program on a suite root whose order database is opened in-process,
// so the engine's own signal handlers are installed before ours.
struct Programa {
    test::TempSuite suite;
    test::TempOrderDb ordens;
    QProcess processo;

    Programa()
    {
        ordens.writeServidor();
        // Discarded by the activation steps: once it is gone, the window is up.
        test::insertRow(kDados, QStringLiteral("MovCaixa"), {{"NumSessao", 1}, {"SinalQuitacao", "Sinal"}});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUELVORA_ROOT"), suite.root());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        processo.setProcessEnvironment(env);
        processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processo.start(QStringLiteral(QOR_CAIXA_EXE), QStringList());
    }

    ~Programa()
    {
        if (processo.state() != QProcess::NotRunning) {
            processo.kill();
            processo.waitForFinished();
        }
    }

    bool janelaAberta() const
    {
        return test::countRows(kDados, QStringLiteral("CaixaCor")) == 1 &&
               test::countRows(kDados, QStringLiteral("MovCaixa")) == 0;
    }
};

} // namespace

class TstParadaPorSinal : public QObject {
    Q_OBJECT
private slots:
    void signalRunsTheShutDownSteps_data();
    void signalRunsTheShutDownSteps();
    void secondSignalEndsAtOnce();
};

void TstParadaPorSinal::signalRunsTheShutDownSteps_data()
{
    QTest::addColumn<int>("sinal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TstParadaPorSinal::signalRunsTheShutDownSteps()
{
    QFETCH(int, sinal);
    Programa p;
    QVERIFY(p.processo.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(p.janelaAberta(), 60000);
    // Rows the shut-down's clean-up statement deletes and keeps.
    test::insertRows(kDados, QStringLiteral("MovCaixa"),
                     {{{"NumSessao", 1}, {"Valor", 5.0}}, {{"NumSessao", 1}, {"SinalQuitacao", "Sinal"}}});

    QCOMPARE(::kill(pid_t(p.processo.processId()), sinal), 0);
    QVERIFY2(p.processo.waitForFinished(3000), "the program did not end within 3 seconds");
    QCOMPARE(p.processo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.processo.exitCode(), 0);
    QCOMPARE(test::column(kDados, QStringLiteral("MovCaixa"), QStringLiteral("SinalQuitacao")), QVariantList{"Sinal"});
}

void TstParadaPorSinal::secondSignalEndsAtOnce()
{
    Programa p;
    QVERIFY(p.processo.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(p.janelaAberta(), 60000);
    test::insertRow(kDados, QStringLiteral("MovCaixa"), {{"NumSessao", 1}, {"Valor", 5.0}});

    // Both arrive before the program runs again: the second one finds the
    // first still waiting for the event loop.
    const auto pid = pid_t(p.processo.processId());
    QCOMPARE(::kill(pid, SIGSTOP), 0);
    QCOMPARE(::kill(pid, SIGTERM), 0);
    QCOMPARE(::kill(pid, SIGINT), 0);
    QCOMPARE(::kill(pid, SIGCONT), 0);
    QVERIFY(p.processo.waitForFinished(3000));
    QVERIFY2(QList<int>({128 + SIGTERM, 128 + SIGINT}).contains(p.processo.exitCode()),
             qPrintable(QString::number(p.processo.exitCode())));
    QCOMPARE(test::countRows(kDados, QStringLiteral("MovCaixa")), 1); // no shut-down steps
}

QTEST_GUILESS_MAIN(TstParadaPorSinal)
#include "tst_parada_por_sinal.moc"
