#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "data/base/Text.h"
#include "tests/support/TempSuite.h"

#include <QTest>

using namespace qor;

class TestBase : public QObject {
    Q_OBJECT
private slots:
    void mapsSuitePaths_data()
    {
        QTest::addColumn<QString>("suitePath");
        QTest::addColumn<QString>("relative");
        QTest::newRow("data folder") << "c:\\quelvora\\dados" << "dados";
        QTest::newRow("settlement folder upper") << "C:\\QUELVORA\\QUITACAO" << "quitacao";
        QTest::newRow("send folder") << "C:\\Quelvora\\Envia01" << "envia01";
        QTest::newRow("file keeps spelling") << "c:\\quelvora\\LOG261209_0112.txt" << "LOG261209_0112.txt";
        QTest::newRow("file in folder") << "c:\\quelvora\\quitacao\\listarq.txt" << "quitacao/listarq.txt";
        QTest::newRow("trailing separator") << "c:\\quelvora\\Envia01\\" << "envia01";
        QTest::newRow("report project") << "C:\\QUELVORA\\rpt\\rptCaixa.rav" << "rpt/rptCaixa.rav";
    }
    void mapsSuitePaths()
    {
        QFETCH(QString, suitePath);
        QFETCH(QString, relative);
        test::TempSuite suite;
        QCOMPARE(SuitePaths::map(suitePath), suite.path(relative));
    }

    void aliasesDefaultAndConfigured()
    {
        test::TempSuite suite;
        QCOMPARE(SuitePaths::alias("QORFDADOS"), suite.path("dados"));
        QCOMPARE(SuitePaths::alias("quelvora"), suite.root());
        QCOMPARE(SuitePaths::alias("NADA"), QString());
        suite.writeFile("qorengine.ini", "[Aliases]\nQORFDADOS=/srv/caixa\n");
        QCOMPARE(SuitePaths::alias("QORFDADOS"), QString("/srv/caixa"));
    }

    void safeStationCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("safe");
        QTest::newRow("digits") << "01" << true;
        QTest::newRow("letters") << "AB" << true;
        QTest::newRow("dotdot") << ".." << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "..\\x" << false;
        QTest::newRow("absolute") << "/etc" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("accented") << QString::fromUtf8("é1") << false;
    }
    void safeStationCodes()
    {
        QFETCH(QString, code);
        QFETCH(bool, safe);
        QCOMPARE(SuitePaths::isSafeCode(code), safe);
    }

    void upperChangesOnlyAToZ()
    {
        QCOMPARE(text::upperAZ(QString::fromUtf8("josé çã abc")), QString::fromUtf8("JOSé çã ABC"));
    }

    void win1252IsNotLatin1()
    {
        QCOMPARE(text::toWin1252(QString::fromUtf8("€ç")), QByteArray("\x80\xe7"));
        QCOMPARE(text::fromWin1252(QByteArray("\x80\x8c")), QString::fromUtf8("€Œ"));
        try {
            text::toWin1252(QString::fromUtf8("日"));
            QFAIL("no error for a character outside 1252");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::Encoding);
        }
    }

    void linesAreCrLfAndAppended()
    {
        test::TempSuite suite;
        const QString f = suite.path("x.txt");
        text::writeLines(f, {QString::fromUtf8("ação")});
        text::appendLine(f, "b");
        QCOMPARE(suite.readFile("x.txt"), QByteArray("a\xe7\xe3o\r\nb\r\n"));
        QCOMPARE(text::readLines(f), (QStringList{QString::fromUtf8("ação"), "b"}));
    }

    void missingFolderIsIoError()
    {
        test::TempSuite suite;
        try {
            text::appendLine(suite.path("nope/x.txt"), "a");
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::IoError);
            QVERIFY(e.text().contains("nope/x.txt"));
        }
    }

    void brazilianAmounts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "90,00" << true << 90.0;
        QTest::newRow("thousands") << "1.234,50" << true << 1234.5;
        QTest::newRow("currency") << "R$ 12,3" << true << 12.3;
        QTest::newRow("plain") << "90" << true << 90.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
    }
    void brazilianAmounts()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = 0;
        QCOMPARE(text::parseAmount(typed, &v), ok);
        if (ok)
            QCOMPARE(v, value);
        QCOMPARE(text::formatAmount(1234.5), QString("1.234,50"));
    }
};

QTEST_GUILESS_MAIN(TestBase)
#include "tst_base.moc"
