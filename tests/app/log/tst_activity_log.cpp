#include "app/log/ActivityLog.h"
#include "app/log/Diagnostico.h"
#include "data/base/Error.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QTest>

using namespace qor;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi, 30)); }

QStringList logFiles(const test::TempSuite& suite)
{
    return QDir(suite.root()).entryList({QStringLiteral("LOG*.txt")}, QDir::Files, QDir::Name);
}

} // namespace

class TestActivityLog : public QObject {
    Q_OBJECT
private slots:
    void entryGravaLogAndExitGoToOneFile()
    {
        test::TempSuite suite;
        app::AppState state;
        FixedClock clock(at(2026, 12, 9, 1, 12));
        app::ActivityLog log(state, clock);

        log.RegistraEntrada(QStringLiteral("CAIXA"));
        QCOMPARE(state.ArquivoLog, suite.path("LOG261209_0112.txt"));
        log.GravaLog(QStringLiteral("  - Venda iniciada"));
        clock.set(at(2026, 12, 9, 14, 5));
        log.RegistraSaida(QString::fromUtf8("CAIXA JOÃO"));

        QCOMPARE(suite.readFile("LOG261209_0112.txt"),
            QByteArray("CAIXA entrou no caixa em 09/12/26 as 01:12\r\n"
                       "  - Venda iniciada\r\n"
                       "CAIXA JO\xc3O saiu do caixa em 09/12/26 as 14:05\r\n"));
    }

    void fileNamePerMinuteOfIdentification()
    {
        test::TempSuite suite;
        app::AppState state;
        FixedClock clock(at(2026, 12, 9, 23, 59));
        app::ActivityLog log(state, clock);

        log.RegistraEntrada(QStringLiteral("ANA"));
        clock.set(at(2026, 12, 10, 0, 0));
        log.RegistraEntrada(QStringLiteral("ANA"));
        QCOMPARE(logFiles(suite), (QStringList{"LOG261209_2359.txt", "LOG261210_0000.txt"}));

        // A second identification in the same minute empties the first's file.
        log.GravaLog(QStringLiteral("linha da primeira"));
        log.RegistraEntrada(QStringLiteral("BETO"));
        QCOMPARE(logFiles(suite).size(), 2);
        QCOMPARE(suite.readFile("LOG261210_0000.txt"), QByteArray("BETO entrou no caixa em 10/12/26 as 00:00\r\n"));
    }

    void lineBreaksInTextStayOnOneLine()
    {
        test::TempSuite suite;
        app::AppState state;
        FixedClock clock(at(2026, 12, 9, 10, 15));
        app::ActivityLog log(state, clock);

        log.RegistraEntrada(QStringLiteral("ANA\r\nX"));
        log.GravaLog(QStringLiteral("a\rb\nc"));
        log.RegistraSaida(QStringLiteral("ANA\nX"));
        QCOMPARE(suite.readFile("LOG261209_1015.txt"),
            QByteArray("ANA  X entrou no caixa em 09/12/26 as 10:15\r\n"
                       "a b c\r\n"
                       "ANA X saiu do caixa em 09/12/26 as 10:15\r\n"));
    }

    void nothingIsWrittenBeforeTheFirstIdentification()
    {
        test::TempSuite suite;
        app::AppState state;
        FixedClock clock(at(2026, 12, 9, 10, 15));
        app::ActivityLog log(state, clock);

        log.RegistraSaida(QStringLiteral("ANA"));
        log.GravaLog(QStringLiteral("x"));
        QVERIFY(logFiles(suite).isEmpty());
        QVERIFY(state.ArquivoLog.isEmpty());
    }

    void unwritableLogRaisesIoError()
    {
        test::TempSuite suite;
        app::AppState state;
        FixedClock clock(at(2026, 12, 9, 10, 15));
        app::ActivityLog log(state, clock);
        log.RegistraEntrada(QStringLiteral("ANA"));
        QVERIFY(QFile::remove(state.ArquivoLog));
        QVERIFY(QDir().mkdir(state.ArquivoLog)); // a folder where the file was: appending fails

        try {
            log.GravaLog(QStringLiteral("x"));
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::IoError);
        }
    }

    void diagnosticsFollowTheMarkerFile()
    {
        test::TempSuite suite;
        app::AppState state;
        app::ConfiguraDiagnostico(state);
        QCOMPARE(state.ArquivoDiagnostico, suite.path("Diagnost.txt"));
        QVERIFY(!state.DiagnosticoAtivo);
        app::GravaDiagnostico(state);
        QVERIFY(!QFile::exists(suite.path("Diagnost.txt")));

        suite.writeFile("Diag.txt", "");
        app::ConfiguraDiagnostico(state);
        QVERIFY(state.DiagnosticoAtivo);
        suite.writeFile("Diagnost.txt", "antigo\r\nconteudo\r\n");
        app::GravaDiagnostico(state);
        QCOMPARE(suite.readFile("Diagnost.txt"), QByteArray("LOG DO ULTIMO REGISTRO DO CAIXA\r\n \r\n"));
    }
};

QTEST_GUILESS_MAIN(TestActivityLog)
#include "tst_activity_log.moc"
