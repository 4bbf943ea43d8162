// Killing the program at every point of a save where it can die, then
// starting it again: the till and the order never disagree about a payment.
//
// A child process (this binary, QOR_SAVE_CHILD set) enters a sale and runs
// the real save core with QOR_CRASH_AT=n: it ends with _Exit at the n-th
// crash point it reaches. The parent raises n until the child finishes, so
// a write added to the save is covered the day it is added. After each
// crash the start-up recovery runs in children that crash in their turn at
// each of their own points, then once to the end; then the allowed states
// are checked.
//
// Against a server, the order server also goes away at every point: the
// child stops itself there (QOR_PAUSE_AT=n), the server is stopped or frozen,
// the child goes on and finishes (with a frozen server, within a short answer
// limit); what it told the operator must be true.
#include "cash/movement/MovimentoEmEntrada.h"
#include "cash/save/PagamentoPendente.h"
#include "cash/save/RecuperacaoNaPartida.h"
#include "cash/save/SalvaMovimento.h"
#include "data/base/Clock.h"
#include "data/base/SuitePaths.h"
#include "data/base/Text.h"
#include "data/local/CashTables.h"
#include "data/local/Database.h"
#include "data/local/Transaction.h"
#include "data/orderdb/ServerChoice.h"
#include "data/orderdb/SqlCommand.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTextStream>

#include <optional>

#ifdef Q_OS_LINUX
#include <csignal>
#endif

using namespace qor;

namespace {

constexpr int kCrashed = 86; // the exit code of a crash point
const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 30));
const QString kPedido = QStringLiteral("01.001001"); // final price 135, nothing paid

// A payment on that order, and what the order holds in the column it
// writes before and after.
struct Payment {
    QString kind; // "Sinal" or "Quitação"
    double valor;
    QString typed;
    QString column;
    QString unpaid;
    QString paid;
};

Payment paymentOf(const QString& kind)
{
    if (kind == u"Sinal")
        return {kind, 30.0, "30,00", "SINAL", "0.00", "30.00"};
    return {kind, 135.0, "135,00", "DATAPAGAMENTO", "", "2026-12-09"};
}

QString databaseParam()
{
    const QString path = orderdb::ServerChoice::databasePath();
    return test::TempOrderDb::serverMode() ? test::TempOrderDb::serverHost() + QLatin1Char(':') + path : path;
}

struct Station {
    FixedClock clock{kNow};
    app::AppState state;
    app::ActivityLog activity{state, clock};
    test::ScriptedMessageBoxes boxes;
    orderdb::TDM dm;

    Station()
    {
        boxes.answerAllOk();
        state.QdeDestinos = 1;
        state.ArquivoLog = SuitePaths::file(QStringLiteral("LOG261209_1030.txt"));
        dm.SQLConnection1.setParam(QStringLiteral("Database"), databaseParam());
        dm.SQLConnection1.open();
    }
};

// The payment as the panel enters it: the row and its mark stored when the
// panel opens, the lookup's values stored, then "OK". What the save ended
// with and the boxes it showed go to stdout, one per line.
void childSave(const Payment& payment)
{
    Station s;
    data::CashTables t;
    t.SessaoCx.open();
    t.SessaoCx.last();
    t.Quitacao.open();
    t.MovCaixa.open();
    t.MovCaixa.append();
    for (const auto& [field, value] : std::initializer_list<std::pair<const char*, QVariant>>{
             {"NumSessao", 1}, {"DataMov", kNow.date()}, {"HoraMov", kNow.time()}, {"TipoMov", "Venda"},
             {"EntradaSaida", "Entrada"}, {"FormaPag", "Dinheiro"}, {"SinalQuitacao", payment.kind}})
        t.MovCaixa.setValue(QString::fromLatin1(field), value);
    {
        data::Transaction unit(t.MovCaixa.location());
        t.MovCaixa.post();
        cash::marcaEmEntrada(t.MovCaixa);
        unit.commit();
    }
    t.MovCaixa.edit();
    t.MovCaixa.setValue("NPedido", kPedido);
    t.MovCaixa.setValue("ValorOriginal", 135.0);
    t.MovCaixa.setValue("Valor", payment.valor);
    t.MovCaixa.post();
    t.MovCaixa.edit();
    s.state.PrecoFinalRetido = 135.0;
    s.state.ValorDigitadoRetido = payment.valor;
    cash::SalvaMovimento save(s.state, {t.MovCaixa, t.SessaoCx, t.Quitacao, t.TabelaDB}, s.dm, s.activity, s.boxes);
    const cash::SaveResult result = save.BitBtn5Click({kPedido, payment.kind, payment.typed, "Dinheiro"});
    QTextStream out(stdout);
    out << "outcome " << int(result.outcome) << '\n';
    for (const QString& text : s.boxes.texts())
        out << "box " << QString(text).replace(QLatin1Char('\n'), QLatin1Char('\r')) << '\n';
}

// What a save child reported.
struct SaveReport {
    int outcome = -1;
    QStringList boxes;
};

SaveReport readReport(QProcess& p)
{
    SaveReport report;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (text.startsWith("outcome "))
            report.outcome = text.mid(8).toInt();
        else if (text.startsWith("box "))
            report.boxes << text.mid(4);
    }
    return report;
}

// The start-up: activation, then an operator identified.
void recover()
{
    Station s;
    cash::RecuperacaoNaPartida r(s.state, s.dm, s.activity, s.boxes);
    r.naAtivacao();
    r.aposIdentificacao();
}

int runChild(const QByteArray& work)
{
    try {
        if (work == "save")
            childSave(paymentOf(qEnvironmentVariable("QOR_SAVE_KIND")));
        else
            recover();
    } catch (const std::exception& e) {
        qWarning("child failed: %s", e.what());
        return 1;
    }
    return 0;
}

// Starts this binary as a child doing `work` for a payment of `kind`, armed
// by `arming` (QOR_CRASH_AT or QOR_PAUSE_AT) at point n.
void startChild(QProcess& p, const QString& work, const QString& kind, const char* arming, int n)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QOR_SAVE_CHILD", work);
    env.insert("QOR_SAVE_KIND", kind);
    env.insert(arming, QString::number(n));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {});
}

// Runs a child armed to die at crash point n; its exit code.
int child(const QString& work, const QString& kind, int n)
{
    QProcess p;
    startChild(p, work, kind, "QOR_CRASH_AT", n);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}

// Waits until the child has stopped itself at its pause point (true) or
// ended without reaching it (false).
bool stoppedAtPause(QProcess& p)
{
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/%1/stat").arg(p.processId()));
    for (int waited = 0; waited < 120000; waited += 20) {
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        stat.close();
        // "pid (name) state ...": the name may hold blanks and parentheses.
        if (line.mid(line.lastIndexOf(')') + 2, 1) == "T")
            return true;
        if (p.waitForFinished(20))
            return false;
    }
#endif
    return false;
}

// The order's column as text ("" when null).
QString orderColumn(const QString& column)
{
    orderdb::SQLConnection c;
    c.setParam(QStringLiteral("Database"), databaseParam());
    c.open();
    orderdb::SqlCommand command(c);
    command.setCommandText("select cast(" + column
                           + " as varchar(20)) from PEDIDOS where ESTACAO = '01' and NPEDIDO = 1001");
    return command.fetchAll().rows.first().first().toString();
}

// A suite with an open session and the send folder, before the save.
void prepareStation(const test::TempSuite& suite)
{
    QDir().mkpath(suite.path("envia"));
    text::writeLines(SuitePaths::file(QStringLiteral("LOG261209_1030.txt")), {});
    test::insertRow("QORFDADOS", "SessaoCx", {{"NumSessao", 1}, {"DataAbertura", kNow.date()}});
}

} // namespace

class TestSaveCrashes : public QObject {
    Q_OBJECT
private slots:
    void everyCrashPointLeavesOneTruth_data() { payments(); }
    void everyCrashPointLeavesOneTruth()
    {
        QFETCH(QString, kind);
        int saveRound = 1;
        for (;; ++saveRound) {
            test::TempSuite suite;
            test::TempOrderDb db;
            prepareStation(suite);

            const int saved = child("save", kind, saveRound);
            QVERIFY2(saved == 0 || saved == kCrashed, qPrintable(QString("save child ended with %1").arg(saved)));
            const QStringList temporaries = QDir(suite.path("envia")).entryList({"*.tmp"}, QDir::Files | QDir::Hidden);
            int recoveryRound = 1;
            while (saved == kCrashed) {
                const int recovered = child("recover", kind, recoveryRound++);
                QVERIFY2(recovered == 0 || recovered == kCrashed,
                         qPrintable(QString("recovery child ended with %1").arg(recovered)));
                if (recovered == 0)
                    break;
            }
            recover();
            checkOneTruth(suite, paymentOf(kind), saved == 0);
            // The activity log tells of each temporary file the recovery removed.
            const QStringList log = text::readLines(SuitePaths::file(QStringLiteral("LOG261209_1030.txt")));
            for (const QString& name : temporaries)
                QVERIFY2(log.contains(QString::fromUtf8("- Arquivo de exportação não concluído removido ao iniciar: ")
                                      + QDir::toNativeSeparators(suite.path("envia/" + name))),
                         qPrintable(log.join('\n')));
            if (QTest::currentTestFailed()) {
                qWarning("after the crash at point %d of the save", saveRound);
                return;
            }
            data::Database::releaseIdle();
            if (saved == 0)
                break;
        }
        QVERIFY2(saveRound > 1, "the save reached no crash point");
    }

    // The server is stopped, or frozen (a hung machine: nothing answers),
    // while the save stands at point n, then the save goes on to its end: the
    // link is found lost at the next use of it, or past the answer limit.
    void aServerGoneAtEveryPointLeavesOneTruth_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("frozen");
        for (const auto& [row, kind] : {std::pair{"deposit", "Sinal"}, std::pair{"settlement", "Quitação"}}) {
            QTest::addRow("%s, server stopped", row) << QString::fromUtf8(kind) << false;
            QTest::addRow("%s, server frozen", row) << QString::fromUtf8(kind) << true;
        }
    }
    void aServerGoneAtEveryPointLeavesOneTruth()
    {
        if (!test::TempOrderDb::serverMode())
            QSKIP("an in-process order database has no server to stop or freeze (QOR_FB_SERVER unset)");
#ifndef Q_OS_LINUX
        QSKIP("the child's pause is seen through /proc");
#else
        QFETCH(QString, kind);
        QFETCH(bool, frozen);
        const Payment payment = paymentOf(kind);
        qputenv("QOR_ORDERDB_TIMEOUT", "2");
        const auto usualLimit = qScopeGuard([] { qunsetenv("QOR_ORDERDB_TIMEOUT"); });
        int point = 1;
        for (;; ++point) {
            test::TempSuite suite;
            test::TempOrderDb db;
            prepareStation(suite);

            QProcess p;
            startChild(p, "save", kind, "QOR_PAUSE_AT", point);
            const bool paused = stoppedAtPause(p);
            std::optional<test::TempOrderDb::FrozenServer> freeze;
            if (paused) {
                if (frozen)
                    freeze.emplace();
                else
                    test::TempOrderDb::stopServer();
                ::kill(pid_t(p.processId()), SIGCONT);
            }
            const bool finished = p.state() == QProcess::NotRunning || p.waitForFinished(frozen ? 30000 : 120000);
            if (!finished)
                p.kill();
            if (paused && !frozen)
                test::TempOrderDb::startServer();
            freeze.reset();
            QVERIFY2(finished, "the save did not finish with the server gone");
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 0);

            checkToldTheTruth(readReport(p), payment);
            recover();
            checkOneTruth(suite, payment, false);
            if (QTest::currentTestFailed()) {
                qWarning("after the server went at point %d of the save", point);
                return;
            }
            data::Database::releaseIdle();
            if (!paused)
                break;
        }
        QVERIFY2(point > 1, "the save reached no pause point");
#endif
    }

private:
    static void payments()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("deposit") << QStringLiteral("Sinal");
        QTest::newRow("settlement") << QStringLiteral("Quitação");
    }

    // What the save told the operator is what it left, before any recovery:
    // "not recorded", and nothing is; recorded in the till only, and the
    // write-back is due; no box, and the order holds the payment.
    void checkToldTheTruth(const SaveReport& report, const Payment& payment)
    {
        using cash::SalvaMovimento;
        using cash::SaveOutcome;
        const QVariantList movements = test::column("QORFDADOS", "MovCaixa", "NPedido");
        const QVariantList settlements = test::column("QORFDADOS", "Quitacao", "NPedido");
        const int due = int(cash::pendentes::lista().size());
        if (report.boxes == QStringList{SalvaMovimento::kMsgNaoRegistrado}) {
            QCOMPARE(report.outcome, int(SaveOutcome::NotRecorded));
            QCOMPARE(movements, QVariantList{});
            QCOMPARE(settlements, QVariantList{});
            QCOMPARE(due, 0);
        } else if (report.boxes == QStringList{SalvaMovimento::kMsgSoNoCaixa}) {
            QCOMPARE(report.outcome, int(SaveOutcome::OrderUpdateRefused));
            QCOMPARE(movements, QVariantList{kPedido});
            QCOMPARE(settlements.size(), 1);
            QCOMPARE(due, 1);
        } else {
            QCOMPARE(report.boxes, QStringList{});
            QCOMPARE(report.outcome, int(SaveOutcome::Saved));
            QCOMPARE(movements, QVariantList{kPedido});
            QCOMPARE(settlements.size(), 1);
            QCOMPARE(due, 0);
            QCOMPARE(orderColumn(payment.column), payment.paid);
        }
    }

    // The states a restart may leave: a payment is in both local rows or in
    // neither; with the server up, one in the till is on the order too and
    // nothing stays due; no movement is left under entry; every export file
    // is whole, and no temporary one is left.
    void checkOneTruth(const test::TempSuite& suite, const Payment& payment, bool finished)
    {
        test::RawDatabase raw("QORFDADOS");
        QCOMPARE(raw.scalar("PRAGMA integrity_check").toString(), QString("ok"));
        QCOMPARE(test::countRows("QORFDADOS", "MovEmEntrada"), 0);
        const QVariantList movements = test::column("QORFDADOS", "MovCaixa", "NPedido");
        const QVariantList settlements = test::column("QORFDADOS", "Quitacao", "NPedido");
        QVERIFY(movements == QVariantList{} || movements == QVariantList{kPedido});
        QCOMPARE(settlements.isEmpty(), movements.isEmpty());
        QCOMPARE(orderColumn(payment.column), settlements.isEmpty() ? payment.unpaid : payment.paid);
        QCOMPARE(cash::pendentes::lista().size(), 0);
        if (finished)
            QCOMPARE(movements, QVariantList{kPedido});
        const QDir envia(suite.path("envia"));
        for (const QString& name : envia.entryList({"Quitacao*.xml"}, QDir::Files)) {
            const QByteArray xml = suite.readFile("envia/" + name);
            QVERIFY2(xml.startsWith("<?xml") && xml.trimmed().endsWith("</DATAPACKET>"), qPrintable(name));
        }
        QCOMPARE(envia.entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList{});
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray work = qgetenv("QOR_SAVE_CHILD");
    if (!work.isEmpty())
        return runChild(work);
    TestSaveCrashes test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_save_crashes.moc"
