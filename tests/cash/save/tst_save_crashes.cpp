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
#include <QProcess>
#include <QTest>

using namespace qor;

namespace {

constexpr int kCrashed = 86; // the exit code of a crash point
const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 30));
const QString kPedido = QStringLiteral("01.001001"); // final price 135, nothing paid

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

// A deposit of 30,00 as the panel enters it: the row and its mark stored
// when the panel opens, the lookup's values stored, then "OK".
void childSave()
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
             {"EntradaSaida", "Entrada"}, {"FormaPag", "Dinheiro"}, {"SinalQuitacao", "Sinal"}})
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
    t.MovCaixa.setValue("Valor", 30.0);
    t.MovCaixa.post();
    t.MovCaixa.edit();
    s.state.PrecoFinalRetido = 135.0;
    s.state.ValorDigitadoRetido = 30.0;
    cash::SalvaMovimento save(s.state, {t.MovCaixa, t.SessaoCx, t.Quitacao, t.TabelaDB}, s.dm, s.activity, s.boxes);
    save.BitBtn5Click({kPedido, "Sinal", "30,00", "Dinheiro"});
}

// The start-up: activation, then an operator identified.
void recover()
{
    Station s;
    cash::RecuperacaoNaPartida r(s.dm, s.activity, s.boxes);
    r.naAtivacao();
    r.aposIdentificacao();
}

int runChild(const QByteArray& work)
{
    try {
        if (work == "save")
            childSave();
        else
            recover();
    } catch (const std::exception& e) {
        qWarning("child failed: %s", e.what());
        return 1;
    }
    return 0;
}

// Runs this binary as a child doing `work`, armed to die at crash point n.
int child(const QString& work, int n)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QOR_SAVE_CHILD", work);
    env.insert("QOR_CRASH_AT", QString::number(n));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}

QString serverSinal()
{
    orderdb::SQLConnection c;
    c.setParam(QStringLiteral("Database"), databaseParam());
    c.open();
    orderdb::SqlCommand command(c);
    command.setCommandText("select cast(SINAL as varchar(20)) from PEDIDOS where ESTACAO = '01' and NPEDIDO = 1001");
    return command.fetchAll().rows.first().first().toString();
}

} // namespace

class TestSaveCrashes : public QObject {
    Q_OBJECT
private slots:
    void everyCrashPointLeavesOneTruth()
    {
        int saveRound = 1;
        for (;; ++saveRound) {
            test::TempSuite suite;
            test::TempOrderDb db;
            QDir().mkpath(suite.path("envia"));
            text::writeLines(SuitePaths::file(QStringLiteral("LOG261209_1030.txt")), {});
            test::insertRow("QORFDADOS", "SessaoCx", {{"NumSessao", 1}, {"DataAbertura", kNow.date()}});

            const int saved = child("save", saveRound);
            QVERIFY2(saved == 0 || saved == kCrashed, qPrintable(QString("save child ended with %1").arg(saved)));
            int recoveryRound = 1;
            while (saved == kCrashed) {
                const int recovered = child("recover", recoveryRound++);
                QVERIFY2(recovered == 0 || recovered == kCrashed,
                         qPrintable(QString("recovery child ended with %1").arg(recovered)));
                if (recovered == 0)
                    break;
            }
            recover();
            checkOneTruth(suite, saved == 0);
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

private:
    // The states a restart may leave: a payment is in both local rows or in
    // neither; with the server up, one in the till is on the order too and
    // nothing stays due; no movement is left under entry; every export file
    // is whole.
    void checkOneTruth(const test::TempSuite& suite, bool finished)
    {
        test::RawDatabase raw("QORFDADOS");
        QCOMPARE(raw.scalar("PRAGMA integrity_check").toString(), QString("ok"));
        QCOMPARE(test::countRows("QORFDADOS", "MovEmEntrada"), 0);
        const QVariantList movements = test::column("QORFDADOS", "MovCaixa", "NPedido");
        const QVariantList settlements = test::column("QORFDADOS", "Quitacao", "NPedido");
        QVERIFY(movements == QVariantList{} || movements == QVariantList{kPedido});
        QCOMPARE(settlements.isEmpty(), movements.isEmpty());
        QCOMPARE(serverSinal(), settlements.isEmpty() ? QString("0.00") : QString("30.00"));
        QCOMPARE(cash::pendentes::lista().size(), 0);
        if (finished)
            QCOMPARE(movements, QVariantList{kPedido});
        const QDir envia(suite.path("envia"));
        for (const QString& name : envia.entryList({"Quitacao*.xml"}, QDir::Files)) {
            const QByteArray xml = suite.readFile("envia/" + name);
            QVERIFY2(xml.startsWith("<?xml") && xml.trimmed().endsWith("</DATAPACKET>"), qPrintable(name));
        }
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
