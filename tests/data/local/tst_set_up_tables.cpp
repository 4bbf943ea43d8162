#include "data/base/Error.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/local/Query.h"
#include "data/local/SetUpTables.h"
#include "data/local/Table.h"
#include "tests/support/ExpectError.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QTest>

using namespace qor;
using namespace qor::data;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

// Tables and data files come only from the site set-up; opening never makes
// them.
class TestSetUpTables : public QObject {
    Q_OBJECT
private slots:
    // A fresh folder gets every table of the catalog in its place, empty
    // but for the one-row tables and their zeros; a second set-up finds
    // nothing to do and keeps what the till wrote meanwhile.
    void freshFolderGetsEveryTable()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        QVERIFY(!setUpTables().isEmpty());
        for (const TableDef& def : Catalog::tables()) {
            Table t(def.home, def.name);
            t.open();
            QCOMPARE(t.recordCount(), def.oneRow.isEmpty() ? 0 : 1);
            for (auto it = def.oneRow.begin(); it != def.oneRow.end(); ++it)
                QCOMPARE(t.value(it.key()), it.value());
        }
        QCOMPARE(test::column("c:\\quelvora\\dados", "CTCaixa", "CTSangria"), QVariantList{0});

        Table counters("c:\\quelvora\\dados", "CTCaixa");
        counters.open();
        counters.edit();
        counters.setValue("CTSangria", 41);
        counters.post();
        counters.close();
        test::insertRow(kDados, "SessaoCx", {{"NumSessao", 7}});
        QCOMPARE(setUpTables(), QStringList());
        QCOMPARE(test::column("c:\\quelvora\\dados", "CTCaixa", "CTSangria"), QVariantList{41});
        QCOMPARE(test::countRows(kDados, "SessaoCx"), 1);
    }

    // On a normal start a missing piece is an error naming it and where it
    // was looked for, and nothing is created in its place.
    void missingPieceIsNamed_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("stillMissing"); // counts what must not have been made
        QTest::newRow("data file") << "" << kind::DataFileNotFound << "dados/qorcaixa.sqlite" << "";
        QTest::newRow("table") << "DROP TABLE SessaoCx" << kind::TableNotFound << "SessaoCx"
                               << "select count(*) from sqlite_master where name = 'SessaoCx'";
        QTest::newRow("field") << "ALTER TABLE SessaoCx DROP COLUMN Troco" << kind::FieldNotFound << "Troco"
                               << "select count(*) from pragma_table_info('SessaoCx') where name = 'Troco'";
        QTest::newRow("table of an earlier version, without row ids")
            << "DROP TABLE SessaoCx; CREATE TABLE SessaoCx (NumSessao INTEGER)" << kind::TableOutdated << "SessaoCx"
            << "select count(*) from pragma_table_info('SessaoCx') where name = 'QorId'";
    }
    void missingPieceIsNamed()
    {
        QFETCH(QString, damage);
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QFETCH(QString, stillMissing);
        test::TempSuite suite(damage.isEmpty() ? test::TempSuite::Site::Bare : test::TempSuite::Site::SetUp);
        if (damage.isEmpty()) {
            QDir(suite.root()).mkpath("dados");
        } else {
            test::RawDatabase other(kDados);
            QVERIFY2(other.exec(damage), qPrintable(other.error()));
        }
        const auto check = [&](const std::function<void()>& open) {
            test::expectError(kind, open, named);
            test::expectError(kind, open, suite.path("dados"));
        };
        Table t(kDados, "SessaoCx.db");
        check([&] { t.open(); });
        QVERIFY(!t.active());
        Query q(kDados);
        q.setSql("select count(*) from SessaoCx");
        check([&] { q.open(); });
        if (damage.isEmpty())
            QCOMPARE(entries(suite.path("dados")), QStringList());
        else
            QCOMPARE(test::RawDatabase(kDados).scalar(stillMissing), QVariant(qlonglong(0)));
    }

    // A file made by the earlier version (rows located by a reusable rowid)
    // is brought up to date by the set-up: every row keeps its number, so
    // bookmarks stay good, an index added later survives, and from then on a
    // deleted row's number is never given to a new one.
    void earlierVersionIsBroughtUpToDate()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        QDir(suite.root()).mkpath("dados");
        {
            test::RawDatabase old(kDados);
            QVERIFY(old.exec("CREATE TABLE Destinos (Estacao TEXT, Tipo TEXT, IP TEXT, Porta TEXT, Extra TEXT)"));
            QVERIFY(old.exec("CREATE UNIQUE INDEX Destinos_px ON Destinos (ifnull(Estacao,''))"));
            QVERIFY(old.exec("INSERT INTO Destinos (rowid, Estacao, Extra) VALUES (4, '01', 'x'), (9, '02', 'y')"));
        }
        Table t(kDados, "Destinos");
        test::expectError(kind::TableOutdated, [&] { t.open(); }, "--configurar-site");

        const QStringList report = setUpTables();
        QVERIFY2(report.filter("Destinos").filter("atualizada").size() == 1, qPrintable(report.join('\n')));
        QVERIFY(t.hasPrimaryIndex());
        t.open();
        t.last();
        QCOMPARE(t.bookmark(), QVariant(qlonglong(9)));
        QCOMPARE(t.asString("Estacao"), QString("02"));
        t.remove();
        t.append();
        t.setValue("Estacao", "03");
        t.post();
        QVERIFY(t.bookmark().toLongLong() > 9);
        t.append();
        t.setValue("Estacao", "01");
        test::expectError(kind::KeyViolation, [&] { t.post(); });
        t.cancel();
        test::RawDatabase other(kDados);
        QCOMPARE(other.scalar("select Extra from Destinos where Estacao = '01'"), QVariant("x"));
        QCOMPARE(setUpTables().filter("Destinos"), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSetUpTables)
#include "tst_set_up_tables.moc"
