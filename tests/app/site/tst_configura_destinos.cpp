#include "app/site/ConfiguraDestinos.h"
#include "data/base/Error.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QTest>

using namespace qor;

namespace {

void seedRole(const QString& role) { test::insertRow("QUELVORA", "Parlocal", {{"Serv_Est", role}}); }

void seedStations(const QStringList& codes)
{
    QList<test::Row> rows;
    for (const QString& c : codes)
        rows << test::Row{{"Estacao", c}, {"Tipo", "Balcao"}};
    test::insertRows("QUELVORA", "Estacoes", rows);
}

// Every folder below the root, as relative paths.
QStringList folders(const test::TempSuite& suite)
{
    QStringList out;
    QDir root(suite.root());
    const auto walk = [&](const auto& self, const QString& relative) -> void {
        const QDir dir(root.filePath(relative));
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString child = relative.isEmpty() ? name : relative + QLatin1Char('/') + name;
            out << child;
            self(self, child);
        }
    };
    walk(walk, QString());
    return out;
}

QStringList listed(const app::AppState& state) { return state.ListaDestinos.mid(0, state.QdeDestinos); }

int destinosIndexes(const QString& location)
{
    test::RawDatabase raw(location);
    return raw.scalar("select count(*) from sqlite_master where type = 'index' and tbl_name = 'Destinos'").toInt();
}

} // namespace

class TestConfiguraDestinos : public QObject {
    Q_OBJECT
private slots:
    void serverRoleInAnyLetterCase_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("server");
        QTest::newRow("upper") << "SERVIDOR" << true;
        QTest::newRow("lower") << "servidor" << true;
        QTest::newRow("mixed") << "Servidor" << true;
        QTest::newRow("station") << "ESTACAO" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("accented i is not upper-cased away") << QString::fromUtf8("SERVíDOR") << false;
    }
    void serverRoleInAnyLetterCase()
    {
        QFETCH(QString, role);
        QFETCH(bool, server);
        test::TempSuite suite;
        seedRole(role);
        data::CashTables tables;
        app::AppState state;
        app::ConfiguraDestinos(tables, state);
        QCOMPARE(state.ServidorLocal, server);
    }

    void workstationKeepsDestinosAndSendsToThePlainFolder()
    {
        test::TempSuite suite;
        seedRole("ESTACAO");
        seedStations({"01"});
        test::insertRow("QORFDADOS", "Destinos", {{"Estacao", "07"}, {"IP", "10.0.0.7"}});
        data::CashTables tables;
        app::AppState state;
        app::ConfiguraDestinos(tables, state);

        QCOMPARE(state.QdeDestinos, 1);
        QCOMPARE(state.ListaDestinos.at(0), QString());
        QCOMPARE(test::column("QORFDADOS", "Destinos", "IP"), (QVariantList{"10.0.0.7"}));
        QCOMPARE(folders(suite), (QStringList{"dados", "envia", "quitacao"}));
    }

    void serverWithoutStations()
    {
        test::TempSuite suite;
        seedRole("SERVIDOR");
        test::insertRow("QORFDADOS", "Destinos", {{"Estacao", "07"}, {"IP", "10.0.0.7"}});
        data::CashTables tables;
        app::AppState state;
        state.ListaDestinos[3] = "XX";
        app::ConfiguraDestinos(tables, state);

        QCOMPARE(state.QdeDestinos, 0);
        QVERIFY(state.ListaDestinos.join(QString()).isEmpty());
        QCOMPARE(test::countRows("QORFDADOS", "Destinos"), 0);
        QCOMPARE(folders(suite), (QStringList{"dados", "envia", "quitacao"}));
    }

    void serverRebuildsDestinosFromStations()
    {
        test::TempSuite suite;
        seedRole("SERVIDOR");
        seedStations({"01", "02"});
        test::insertRow("QORFDADOS", "Destinos", {{"Estacao", "01"}, {"IP", "10.0.0.1"}, {"Porta", "3050"}});
        data::CashTables tables;
        app::AppState state;
        app::ConfiguraDestinos(tables, state);

        QCOMPARE(listed(state), (QStringList{"01", "02"}));
        QCOMPARE(state.ListaDestinos.size(), app::AppState::kMaxDestinos);
        QCOMPARE(test::column("QORFDADOS", "Destinos", "Estacao"), (QVariantList{"01", "02"}));
        QCOMPARE(test::column("QORFDADOS", "Destinos", "Tipo"), (QVariantList{"Balcao", "Balcao"}));
        QCOMPARE(test::column("QORFDADOS", "Destinos", "IP"), (QVariantList{QVariant(), QVariant()}));
        QCOMPARE(test::column("QORFDADOS", "Destinos", "Porta"), (QVariantList{QVariant(), QVariant()}));
        QCOMPARE(folders(suite),
            (QStringList{"dados", "envia", "envia01", "envia02", "quitacao", "recebe01", "recebe02"}));
    }

    void primaryIndexIsAddedOnce()
    {
        test::TempSuite suite;
        seedRole("SERVIDOR");
        seedStations({"02", "01"});
        {
            data::CashTables tables;
            QVERIFY(!tables.Destinos.hasPrimaryIndex());
            app::AppState state;
            app::ConfiguraDestinos(tables, state);
            QVERIFY(tables.Destinos.hasPrimaryIndex());
            QVERIFY(!tables.Destinos.exclusive());
        }
        const int indexes = destinosIndexes("QORFDADOS");
        data::CashTables tables;
        app::AppState state;
        app::ConfiguraDestinos(tables, state);
        QCOMPARE(destinosIndexes("QORFDADOS"), indexes);
        // Destinos reads in key order; the list keeps the order of Estacoes.
        QCOMPARE(test::column("QORFDADOS", "Destinos", "Estacao"), (QVariantList{"01", "02"}));
        QCOMPARE(listed(state), (QStringList{"02", "01"}));
    }

    void duplicateStationIsAKeyViolation()
    {
        test::TempSuite suite;
        seedRole("SERVIDOR");
        seedStations({"01", "01"});
        data::CashTables tables;
        app::AppState state;
        try {
            app::ConfiguraDestinos(tables, state);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::KeyViolation);
        }
    }

    void codesThatAreNotPlainNameNoFolder()
    {
        test::TempSuite suite;
        seedRole("SERVIDOR");
        seedStations({"..", "a/b", "..\\", "/tm", "\\..", "01"});
        data::CashTables tables;
        app::AppState state;
        app::ConfiguraDestinos(tables, state);

        QCOMPARE(folders(suite), (QStringList{"dados", "envia", "envia01", "quitacao", "recebe01"}));
        QCOMPARE(listed(state), (QStringList{"01"}));
        QCOMPARE(test::countRows("QORFDADOS", "Destinos"), 6);
    }

    void listHoldsTheFirstFiftyStations()
    {
        test::TempSuite suite;
        seedRole("SERVIDOR");
        QStringList codes;
        for (int i = 1; i <= 52; ++i)
            codes << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        seedStations(codes);
        data::CashTables tables;
        app::AppState state;
        app::ConfiguraDestinos(tables, state);

        QCOMPARE(state.QdeDestinos, 50);
        QCOMPARE(state.ListaDestinos, codes.mid(0, 50));
        QCOMPARE(test::countRows("QORFDADOS", "Destinos"), 52);
        QVERIFY(QDir(suite.path("envia52")).exists());
        QVERIFY(QDir(suite.path("recebe51")).exists());
    }
};

QTEST_GUILESS_MAIN(TestConfiguraDestinos)
#include "tst_configura_destinos.moc"
