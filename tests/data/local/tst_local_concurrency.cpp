#include "data/base/Error.h"
#include "data/local/Query.h"
#include "data/local/Table.h"
#include "data/local/Transaction.h"
#include "tests/support/ExpectError.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QTest>

using namespace qor;
using namespace qor::data;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

QStringList operators(test::RawDatabase& other)
{
    return other.scalar("select group_concat(Caixa, ',') from (select Caixa from TabCaixa order by rowid)")
        .toString()
        .split(',', Qt::SkipEmptyParts);
}

} // namespace

// The till and another program of the suite on one data file: the other
// program is a second SQLite connection really writing.
class TestLocalConcurrency : public QObject {
    Q_OBJECT
private slots:
    // The till stands on its last row; another program deletes that row and
    // (mostly) appends one. Whatever the till then does with the row it
    // holds raises an error of its own kind, and the other program's row is
    // left as it was: a row's identity never passes to another row.
    void rowDeletedByAnotherProgram_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("appended");
        for (const char* op : {"edit", "post", "remove", "goToBookmark"}) {
            QTest::newRow(qPrintable(QString(op) + ", a row appended")) << op << true;
            QTest::newRow(qPrintable(QString(op) + ", none appended")) << op << false;
        }
    }
    void rowDeletedByAnotherProgram()
    {
        QFETCH(QString, operation);
        QFETCH(bool, appended);
        test::TempSuite suite;
        test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BIA"}}});
        Table till(kDados, "TabCaixa");
        till.open();
        till.last();
        const QVariant mark = till.bookmark();
        if (operation == "post") {
            till.edit();
            till.setValue("Caixa", "BEATRIZ");
        }
        test::RawDatabase other(kDados);
        QVERIFY(other.exec("DELETE FROM TabCaixa WHERE Caixa = 'BIA'"));
        if (appended)
            QVERIFY(other.exec("INSERT INTO TabCaixa (Caixa) VALUES ('CARLA')"));

        test::expectError(kind::RecordDeleted, [&] {
            if (operation == "edit")
                till.edit();
            else if (operation == "post")
                till.post();
            else if (operation == "remove")
                till.remove();
            else
                till.goToBookmark(mark);
        }, "TabCaixa");
        QCOMPARE(operators(other), appended ? QStringList({"ANA", "CARLA"}) : QStringList({"ANA"}));
    }

    // The count of a table (what a grid asks on every move) is kept between
    // writes, but any write shows at the next count: another program's commit,
    // a post or delete through this table or another one of the till, and a
    // unit of the till undone after the count saw its row. Through a filter,
    // only the rows that pass it count.
    void countFollowsEveryWriter_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<bool>("filtered");
        QTest::addColumn<int>("expected");
        const struct {
            const char* writer;
            int all, session2;
        } cases[] = {
            {"another program inserts", 6, 3},
            {"another program inserts outside the filter", 6, 2},
            {"another program deletes", 4, 1},
            {"the table posts", 6, 3},
            {"another table of the till posts", 6, 3},
            {"the table deletes", 4, 1},
            {"a unit of the till undone", 5, 2},
        };
        for (const auto& c : cases) {
            QTest::newRow(c.writer) << c.writer << false << c.all;
            QTest::newRow(qPrintable(QString(c.writer) + ", filtered")) << c.writer << true << c.session2;
        }
    }
    void countFollowsEveryWriter()
    {
        QFETCH(QString, writer);
        QFETCH(bool, filtered);
        QFETCH(int, expected);
        test::TempSuite suite;
        QList<test::Row> rows;
        for (int i = 1; i <= 5; ++i)
            rows << test::Row{{"NumSessao", i <= 3 ? 1 : 2}, {"NPedido", QString("01.%1").arg(i)}};
        test::insertRows(kDados, "MovCaixa", rows);
        Table movs(kDados, "MovCaixa");
        movs.setFilter("NumSessao = 2");
        movs.setFiltered(filtered);
        movs.open();
        const int before = filtered ? 2 : 5;
        QCOMPARE(movs.recordCount(), before);
        QCOMPARE(movs.recordCount(), before);

        test::RawDatabase other(kDados);
        auto post = [](Table& t) {
            t.append();
            t.setValue("NumSessao", 2);
            t.setValue("NPedido", "01.6");
            t.post();
        };
        if (writer == "another program inserts") {
            QVERIFY(other.exec("INSERT INTO MovCaixa (NumSessao, NPedido) VALUES (2, '02.1')"));
        } else if (writer == "another program inserts outside the filter") {
            QVERIFY(other.exec("INSERT INTO MovCaixa (NumSessao, NPedido) VALUES (1, '02.1')"));
        } else if (writer == "another program deletes") {
            QVERIFY(other.exec("DELETE FROM MovCaixa WHERE NPedido = '01.5'"));
        } else if (writer == "the table posts") {
            post(movs);
        } else if (writer == "another table of the till posts") {
            Table panel(kDados, "MovCaixa");
            panel.open();
            post(panel);
        } else if (writer == "the table deletes") {
            movs.remove();
        } else {
            Transaction unit(kDados);
            Table panel(kDados, "MovCaixa");
            panel.open();
            post(panel);
            QCOMPARE(movs.recordCount(), before + 1);
        }
        QCOMPARE(movs.recordCount(), expected);
        QCOMPARE(other.scalar(filtered ? "select count(*) from MovCaixa where NumSessao = 2"
                                       : "select count(*) from MovCaixa")
                     .toInt(),
                 expected);
    }

    // Whatever the till read before, its statements are done with when the
    // call returns: another program's commit never makes the till's next
    // write fail at once (a statement still running would keep an old
    // snapshot, and SQLite refuses that connection's write without waiting).
    void tillWritesAfterAnotherProgramCommits_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::newRow("table walked") << "table";
        QTest::newRow("table counted, moved by bookmark") << "bookmark";
        QTest::newRow("query read to its end") << "query to end";
        QTest::newRow("query closed halfway") << "query closed";
        QTest::newRow("query's first row only, then closed") << "query first";
        QTest::newRow("delete statement") << "execSql";
    }
    void tillWritesAfterAnotherProgramCommits()
    {
        QFETCH(QString, reading);
        test::TempSuite suite;
        QList<test::Row> rows;
        for (int i = 1; i <= 300; ++i)
            rows << test::Row{{"NumSessao", i}, {"Valor", 1.0}, {"NPedido", QString("01.%1").arg(i)}};
        test::insertRows(kDados, "MovCaixa", rows);

        Table movs(kDados, "MovCaixa");
        Query query(kDados);
        query.setSql("select NumSessao, Valor from MovCaixa order by NumSessao");
        if (reading == "table" || reading == "bookmark") {
            movs.open();
            for (movs.first(); !movs.eof() && reading == "table"; movs.next()) {
            }
            if (reading == "bookmark") {
                QCOMPARE(movs.recordCount(), 300);
                const QVariant mark = movs.bookmark();
                movs.last();
                movs.goToBookmark(mark);
            }
        } else if (reading == "execSql") {
            query.setSql("delete from movcaixa where valor is null");
            query.execSql();
        } else {
            query.open();
            const int steps = reading == "query to end" ? 1000 : reading == "query closed" ? 150 : 0;
            for (int i = 0; i < steps && !query.eof(); ++i)
                query.next();
            if (reading != "query to end")
                query.close();
        }

        test::RawDatabase other(kDados);
        QVERIFY(other.exec("INSERT INTO MovCaixa (NumSessao, NPedido) VALUES (301, '02.1')"));
        Table tabCaixa(kDados, "TabCaixa");
        tabCaixa.open();
        tabCaixa.append();
        tabCaixa.setValue("Caixa", "ANA");
        tabCaixa.post();
        QCOMPARE(operators(other), QStringList{"ANA"});
    }
};

QTEST_GUILESS_MAIN(TestLocalConcurrency)
#include "tst_local_concurrency.moc"
