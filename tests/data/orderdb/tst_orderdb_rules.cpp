#include "data/base/Error.h"
#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/Decimal.h"
#include "data/orderdb/ServerChoice.h"
#include "data/orderdb/SqlMarkers.h"
#include "tests/support/TempSuite.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace qor;
using namespace qor::orderdb;

// The rules of the order-database set-up and values that need no database.
class TestOrderDbRules : public QObject {
    Q_OBJECT
private slots:
    void clientLibraryFromSuiteFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // of CaminhoGDS.txt; "-" = no file
        QTest::addColumn<QString>("expected");   // "DEFAULT" = the system's library
#ifdef Q_OS_WIN
        const QString sep = "\\";
#else
        const QString sep = "/";
#endif
        const QString lib = ClientLibrary::fileName();
        QTest::newRow("no file") << QByteArray("-") << "DEFAULT";
        QTest::newRow("empty first line") << QByteArray("\r\n/opt/fb\r\n") << "DEFAULT";
        QTest::newRow("empty file") << QByteArray() << "DEFAULT";
        QTest::newRow("folder without separator") << QByteArray("/opt/fb\r\n") << "/opt/fb" + sep + lib;
        QTest::newRow("folder with separator") << ("/opt/fb" + sep).toUtf8() + "\r\n" << "/opt/fb" + sep + lib;
        QTest::newRow("only the first line") << QByteArray("/opt/fb\r\n/other\r\n") << "/opt/fb" + sep + lib;
        const QByteArray longLine = "/" + QByteArray(120, 'x');
        QTest::newRow("cut to 100 characters") << longLine << QString::fromLatin1(longLine.left(100)) + sep + lib;
        QTest::newRow("Windows-1252 folder") << QByteArray("/opt/a\xe7\xe3o") << QString::fromUtf8("/opt/ação") + sep + lib;
    }
    void clientLibraryFromSuiteFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        test::TempSuite suite;
        if (content != "-")
            suite.writeFile("CaminhoGDS.txt", content);
        QCOMPARE(ClientLibrary::fromSuiteFile(), expected == "DEFAULT" ? ClientLibrary::defaultPath() : expected);
    }

    void serverChoice_data()
    {
        QTest::addColumn<QStringList>("rows"); // "Ativo|IP", in table order
        QTest::addColumn<QString>("address");
        QTest::newRow("no rows") << QStringList{} << "127.0.0.1";
        QTest::newRow("no active row") << QStringList{"N|10.0.0.1", "|10.0.0.2"} << "127.0.0.1";
        QTest::newRow("one active") << QStringList{"N|10.0.0.1", "S|10.0.0.2", "N|10.0.0.3"} << "10.0.0.2";
        QTest::newRow("later active row wins") << QStringList{"S|10.0.0.1", "N|x", "S|servidor-loja"} << "servidor-loja";
        QTest::newRow("lower-case s counts") << QStringList{"S|10.0.0.1", "s|10.0.0.9"} << "10.0.0.9";
        QTest::newRow("other marks do not") << QStringList{"Sim|10.0.0.1", "SS|10.0.0.2"} << "127.0.0.1";
        QTest::newRow("IP cut to 30") << QStringList{"S|" + QString(28, 'a') + "bcdef"} << QString(28, 'a') + "bc";
        QTest::newRow("active without IP: in-process") << QStringList{"S|10.0.0.1", "S|"} << "";
    }
    void serverChoice()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, address);
        ServerChoice choice;
        for (const QString& row : rows)
            choice.consider(row.section('|', 0, 0), row.section('|', 1));
        QCOMPARE(choice.address(), address);
    }

    void databasePathNeverChanges()
    {
        test::TempSuite suite;
        const QString path = ServerChoice::databasePath();
#ifndef Q_OS_WIN
        QCOMPARE(path, suite.path("dados/quelvora.bd"));
#endif
        QCOMPARE(ServerChoice::databaseFor("127.0.0.1"), "127.0.0.1:" + path);
        QCOMPARE(ServerChoice::databaseFor("servidor-loja"), "servidor-loja:" + path);
        QCOMPARE(ServerChoice::databaseFor(""), path);
    }

    void decimalFromDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        // floor(0.5 + v * 100) gives 0.28 here: 0.285 * 100 is 28.499999999999996.
        QTest::newRow("0.285") << 0.285 << "0.29";
        QTest::newRow("1234.565") << 1234.565 << "1234.57";
        QTest::newRow("1.005") << 1.005 << "1.01";
        QTest::newRow("2.675") << 2.675 << "2.68";
        QTest::newRow("negative half away from zero") << -0.285 << "-0.29";
        QTest::newRow("sum") << 0.1 + 0.2 << "0.30";
        QTest::newRow("difference") << 100.0 - 30.1 << "69.90";
        QTest::newRow("below a cent") << 0.004999 << "0.00";
        QTest::newRow("large") << 9999999999999.99 << "9999999999999.99";
        QTest::newRow("exponent form") << 1e15 << "1000000000000000.00";
    }
    void decimalFromDouble()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        const Decimal d = Decimal::fromDouble(value, -2);
        QCOMPARE(d.toString(), expected);
        QCOMPARE(d.scale, -2);
    }

    void decimalReadsExactly()
    {
        const Decimal d{123456, -2};
        QCOMPARE(d.toDouble(), 1234.56);
        QCOMPARE(d.toString(), "1234.56");
        QCOMPARE((Decimal{-5, -2}).toString(), "-0.05");
        QCOMPARE(Decimal::fromText("-0.005", -2), (Decimal{-1, -2}));
        QCOMPARE(Decimal::fromText(" 1e3 ", -2), (Decimal{100000, -2}));
        QCOMPARE((Decimal{1234565, -3}).rescaled(-2), (Decimal{123457, -2}));
    }

    void decimalRefusesWhatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("comma") << "12,50";
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "12a";
        QTest::newRow("too large") << "1e30";
    }
    void decimalRefusesWhatIsNoNumber()
    {
        QFETCH(QString, text);
        try {
            Decimal::fromText(text, -2);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::InvalidValue);
        }
    }

    void decimalRefusesNonFiniteDoubles()
    {
        for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
            try {
                Decimal::fromDouble(v, -2);
                QFAIL("no error");
            } catch (const Error& e) {
                QCOMPARE(e.kind(), kind::InvalidValue);
            }
        }
    }

    void markers_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("positional");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("question marks") << "select * from T where A = ? and B = ?"
                                        << "select * from T where A = ? and B = ?" << QStringList{"", ""};
        QTest::newRow("names, repeated") << "update T set A = :valor where K = :Chave or J = :chave"
                                         << "update T set A = ? where K = ? or J = ?"
                                         << QStringList{"VALOR", "CHAVE", "CHAVE"};
        QTest::newRow("quotes and comments left alone")
            << "select ':x', \"A:b\", '?''?' from T /* :y ? */ where A = :z -- :w ?\n and B = 1"
            << "select ':x', \"A:b\", '?''?' from T /* :y ? */ where A = ? -- :w ?\n and B = 1" << QStringList{"Z"};
        QTest::newRow("time literal") << "select * from T where H = '10:30'"
                                      << "select * from T where H = '10:30'" << QStringList{};
    }
    void markers()
    {
        QFETCH(QString, sql);
        QFETCH(QString, positional);
        QFETCH(QStringList, names);
        const SqlMarkers m = SqlMarkers::parse(sql);
        QCOMPARE(m.sql, positional);
        QCOMPARE(m.names, names);
    }

    void mixedMarkersAreRefused()
    {
        try {
            SqlMarkers::parse("select * from T where A = ? and B = :b");
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::InvalidValue);
        }
    }
};

QTEST_GUILESS_MAIN(TestOrderDbRules)
#include "tst_orderdb_rules.moc"
