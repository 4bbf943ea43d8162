#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "data/base/Text.h"
#include "tests/support/TempSuite.h"

#include <QTest>

using namespace qor;

Q_DECLARE_METATYPE(qor::text::AmountReading::Kind)

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
        using Kind = text::AmountReading::Kind;
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("editText");
        QTest::newRow("comma") << "90,00" << Kind::Amount << qint64(9000) << "90,00";
        QTest::newRow("comma, one decimal") << "30,5" << Kind::Amount << qint64(3050) << "30,5";
        QTest::newRow("point as the decimal comma") << "12.50" << Kind::Amount << qint64(1250) << "12,50";
        QTest::newRow("comma as typed") << "12,50" << Kind::Amount << qint64(1250) << "12,50";
        QTest::newRow("decimals only") << ",5" << Kind::Amount << qint64(50) << ",5";
        QTest::newRow("separator last") << "12." << Kind::Amount << qint64(1200) << "12,";
        QTest::newRow("negative") << "-3" << Kind::Amount << qint64(-300) << "-3";
        QTest::newRow("negative zero") << "-0" << Kind::Amount << qint64(0) << "-0";
        QTest::newRow("plain") << "90" << Kind::Amount << qint64(9000) << "90";
        QTest::newRow("thousands") << "1.234,50" << Kind::Amount << qint64(123450) << "1234,50";
        QTest::newRow("thousands, no decimals") << "1.234.567" << Kind::Amount << qint64(123456700) << "1234567";
        QTest::newRow("shown float") << "R$ -1.234,50" << Kind::Amount << qint64(-123450) << "-1234,50";
        QTest::newRow("currency") << "R$ 12,3" << Kind::Amount << qint64(1230) << "12,3";
        QTest::newRow("13 digits") << "9999999999999,99" << Kind::Amount << qint64(999999999999999) << "9999999999999,99";
        QTest::newRow("empty") << "" << Kind::Blank << qint64(0) << "";
        QTest::newRow("sign only") << "-" << Kind::Unfinished << qint64(0) << "-";
        QTest::newRow("separator only") << "." << Kind::Unfinished << qint64(0) << ",";
        QTest::newRow("sign and separator") << "-," << Kind::Unfinished << qint64(0) << "-,";
        // No amount: nothing dropped, nothing guessed.
        QTest::newRow("letters") << "abc" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("text after the amount") << "30,00troco" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("three decimals") << "0,001" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("a lone point with three decimals") << "1.234" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("second comma") << "1,2,3" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("point after the comma") << "12,5.0" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("broken grouping") << "12.34,50" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("grouping of the other way") << "1,234.50" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("sign behind") << "3-" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("two signs") << "--3" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("blanks around") << " 12" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("blank inside") << "1 234" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("prefix only") << "R$" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("14 digits") << "10000000000000" << Kind::NotAnAmount << qint64(0) << "";
        QTest::newRow("other digits") << QString::fromUtf8("١٢") << Kind::NotAnAmount << qint64(0) << "";
    }
    void brazilianAmounts()
    {
        QFETCH(QString, typed);
        QFETCH(text::AmountReading::Kind, kind);
        QFETCH(qint64, cents);
        QFETCH(QString, editText);
        const text::AmountReading r = text::readAmount(typed);
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.cents, cents);
        QCOMPARE(r.editText, editText);

        // The value is the amount to the cent, the same one the field shows.
        double v = -1;
        QCOMPARE(text::parseAmount(typed, &v), kind == text::AmountReading::Kind::Amount);
        if (r.isAmount()) {
            QCOMPARE(v, double(cents) / 100);
            QCOMPARE(qRound64(v * 100), cents);
        }
        QCOMPARE(text::formatAmount(1234.5), QString("1.234,50"));
    }
};

QTEST_GUILESS_MAIN(TestBase)
#include "tst_base.moc"
