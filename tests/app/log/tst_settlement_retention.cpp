#include "app/log/RetencaoQuitacao.h"
#include "data/base/Error.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace qor;

namespace {

const QDate kToday(2026, 12, 10);
const QString kLimiteFolder = QStringLiteral("C:\\QUELVORA\\QUITACAO");

QString listed(const QString& name) { return QStringLiteral("quitacao/") + name; }

} // namespace

class TestSettlementRetention : public QObject {
    Q_OBJECT
private slots:
    void cutOffIsMidnightOfTheFirstDayKept()
    {
        QCOMPARE(app::settlementCutOff(3, kToday), QByteArray("261207000000.txt"));
        QCOMPARE(app::settlementCutOff(0, kToday), QByteArray("261210000000.txt"));
    }

    void oldFilesGoWithTheirLinesNewerOnesStay()
    {
        test::TempSuite suite;
        const QStringList files{"261206235959.txt", "261207000000.txt", "261209080000.txt", "261201000000.txt"};
        for (const QString& f : files)
            suite.writeFile(listed(f), "x");
        suite.writeFile(listed("listarq.txt"),
            "261206235959.txt\r\n"
            "261207000000.txt\r\n"
            "\r\n"
            "261209080000.txt com sobra\r\n"
            "261201000000.txt\n"
            "261212000000.txt");

        app::purgeSettlementFiles(3, kToday);

        QCOMPARE(suite.readFile(listed("listarq.txt")),
            QByteArray("261207000000.txt\r\n"
                       "261209080000.txt com\r\n"
                       "261212000000.txt\r\n"));
        QVERIFY(!QFile::exists(suite.path(listed("261206235959.txt"))));
        QVERIFY(!QFile::exists(suite.path(listed("261201000000.txt"))));
        QVERIFY(QFile::exists(suite.path(listed("261207000000.txt"))));
        QVERIFY(QFile::exists(suite.path(listed("261209080000.txt"))));
        QVERIFY(!QFile::exists(suite.path(listed("listarqN.txt"))));
    }

    void daysToKeepComeFromTheFirstRowOfLimite_data()
    {
        QTest::addColumn<QList<test::Row>>("rows");
        QTest::addColumn<int>("days");
        QTest::newRow("no row") << QList<test::Row>{} << 0;
        QTest::newRow("empty field") << QList<test::Row>{test::Row{}} << 0;
        QTest::newRow("first row") << QList<test::Row>{{{"QdeDiasAManter", 3}}, {{"QdeDiasAManter", 9}}} << 3;
    }
    void daysToKeepComeFromTheFirstRowOfLimite()
    {
        QFETCH(QList<test::Row>, rows);
        QFETCH(int, days);
        test::TempSuite suite;
        test::insertRows(kLimiteFolder, "Limite", rows);
        data::Table limite(kLimiteFolder, "Limite.db");
        QCOMPARE(app::diasAManter(limite), days);
        QVERIFY(!limite.active());
    }

    void startUpPurgeUsesLimiteAndTheClock()
    {
        test::TempSuite suite;
        test::insertRow(kLimiteFolder, "Limite", {{"QdeDiasAManter", 3}});
        suite.writeFile(listed("listarq.txt"), "261206235959.txt\r\n261207000000.txt\r\n");
        data::Table limite(kLimiteFolder, "Limite.db");
        app::RetencaoArquivosQuitacao(limite, FixedClock(QDateTime(kToday, QTime(8, 0))));
        QCOMPARE(suite.readFile(listed("listarq.txt")), QByteArray("261207000000.txt\r\n"));
    }

    void namesCompareByCharacterCode()
    {
        test::TempSuite suite;
        // "2612" is a prefix of the cut-off, so smaller; "é" (0xE9) sorts
        // after every digit; "A" (0x41) too.
        suite.writeFile(listed("listarq.txt"), "2612\r\n\xe9x.txt\r\nA.txt\r\n");
        app::purgeSettlementFiles(3, kToday);
        QCOMPARE(suite.readFile(listed("listarq.txt")), QByteArray("\xe9x.txt\r\nA.txt\r\n"));
    }

    void noListGivesAnEmptyOne()
    {
        test::TempSuite suite;
        app::purgeSettlementFiles(3, kToday);
        QVERIFY(QFile::exists(suite.path(listed("listarq.txt"))));
        QCOMPARE(suite.readFile(listed("listarq.txt")), QByteArray());
    }

    void listedPathsNeverDeleteOutsideTheFolder_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("victim");
        QTest::newRow("parent") << QByteArray("../alvo.txt") << "alvo.txt";
        QTest::newRow("backslash parent") << QByteArray("..\\alvo.txt") << "alvo.txt";
        QTest::newRow("sub folder") << QByteArray("1/alvo.txt") << "quitacao/1/alvo.txt";
        QTest::newRow("absolute") << QByteArray("/alvo.txt") << "quitacao/alvo.txt";
    }
    void listedPathsNeverDeleteOutsideTheFolder()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, victim);
        test::TempSuite suite;
        suite.writeFile(victim, "x");
        suite.writeFile(listed("listarq.txt"), line + "\r\n");
        // Every one of these sorts before the cut-off; the line goes, the file stays.
        app::purgeSettlementFiles(3, kToday);
        QVERIFY(QFile::exists(suite.path(victim)));
        QCOMPARE(suite.readFile(listed("listarq.txt")), QByteArray());
    }

    void missingFolderRaises()
    {
        test::TempSuite suite;
        QVERIFY(QDir(suite.path("quitacao")).removeRecursively());
        try {
            app::purgeSettlementFiles(3, kToday);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::IoError);
        }
    }

    void listThatCannotBeReplacedRaises()
    {
        test::TempSuite suite;
        // A folder in the list's place can be neither read nor deleted: the
        // reading is skipped silently, the rename fails loudly.
        QVERIFY(QDir(suite.path("quitacao")).mkpath("listarq.txt/x"));
        try {
            app::purgeSettlementFiles(3, kToday);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::IoError);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettlementRetention)
#include "tst_settlement_retention.moc"
