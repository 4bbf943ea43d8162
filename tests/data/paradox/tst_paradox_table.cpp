#include "data/base/Error.h"
#include "data/paradox/ParadoxFolder.h"
#include "data/paradox/ParadoxTable.h"
#include "tests/support/ExpectError.h"
#include "tests/support/ParadoxWriter.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

#include "data/paradox/Pxlib.h"

#include <cstring>

using namespace qor;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestParadoxTable : public QObject {
    Q_OBJECT
private slots:
    // One field of each kind the till's tables hold, full and empty: an empty
    // field reads null (never pxlib's garbage), a zero or midnight does not.
    void readsEachKind_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("read");
        const QVariant empty;
        QTest::newRow("alpha, accents") << pxfAlpha << 30 << QVariant("Operação à vista €") << QVariant("Operação à vista €");
        QTest::newRow("alpha, full size") << pxfAlpha << 5 << QVariant("Ações") << QVariant("Ações");
        QTest::newRow("alpha, empty") << pxfAlpha << 10 << empty << empty;
        QTest::newRow("long") << pxfLong << 0 << QVariant(2147483647) << QVariant(2147483647);
        QTest::newRow("long, negative") << pxfLong << 0 << QVariant(-7) << QVariant(-7);
        QTest::newRow("long, zero") << pxfLong << 0 << QVariant(0) << QVariant(0);
        QTest::newRow("long, empty") << pxfLong << 0 << empty << empty;
        QTest::newRow("number, not a decimal fraction") << pxfNumber << 0 << QVariant(0.1 + 0.2) << QVariant(0.1 + 0.2);
        QTest::newRow("number, negative") << pxfNumber << 0 << QVariant(-1540.5) << QVariant(-1540.5);
        QTest::newRow("number, zero") << pxfNumber << 0 << QVariant(0.0) << QVariant(0.0);
        QTest::newRow("number, empty") << pxfNumber << 0 << empty << empty;
        QTest::newRow("date") << pxfDate << 0 << QVariant(QDate(2026, 12, 11)) << QVariant(QDate(2026, 12, 11));
        QTest::newRow("date, first day") << pxfDate << 0 << QVariant(QDate(1, 1, 1)) << QVariant(QDate(1, 1, 1));
        QTest::newRow("date, empty") << pxfDate << 0 << empty << empty;
        QTest::newRow("time, midnight") << pxfTime << 0 << QVariant(QTime(0, 0)) << QVariant(QTime(0, 0));
        QTest::newRow("time, last ms") << pxfTime << 0 << QVariant(QTime(23, 59, 59, 999)) << QVariant(QTime(23, 59, 59, 999));
        QTest::newRow("time, empty") << pxfTime << 0 << empty << empty;
    }
    void readsEachKind()
    {
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(QVariant, written);
        QFETCH(QVariant, read);
        QTemporaryDir dir;
        // The field sits between two others, so its place in the record counts.
        const QString path = dir.filePath("T.db");
        test::writeParadox(path, {{"Antes", pxfLong, 0}, {"Campo", type, size}, {"Depois", pxfAlpha, 3}},
                           {{1, written, "fim"}});
        paradox::ParadoxTable t(path);
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.fields().at(1).name, QString("Campo"));
        QCOMPARE(t.fields().at(1).type, type);
        t.readRow(0);
        const QVariant v = t.value(1);
        QCOMPARE(v.isNull(), read.isNull());
        QCOMPARE(v, read);
        if (type == pxfNumber && !read.isNull())
            QVERIFY(std::memcmp(&*static_cast<const double*>(v.constData()), read.constData(), sizeof(double)) == 0);
        QCOMPARE(t.value(0), QVariant(1));
        QCOMPARE(t.value(2), QVariant("fim"));
    }

    // The encodings on disk, independent of our own reading: text in
    // Windows-1252, a date as its day number from 1 January of year 1
    // (11/12/2026 is day 739961), high bit set as Paradox stores it.
    void writesTheSuiteEncodings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("T.db");
        test::writeParadox(path, {{"Texto", pxfAlpha, 10}, {"Dia", pxfDate, 0}}, {{"Quitação", QDate(2026, 12, 11)}});
        const QByteArray disk = bytesOf(path);
        QVERIFY(disk.contains(QByteArray("Quita\xe7\xe3o\0\0", 10) + QByteArray::fromHex("800b4a79")));
    }

    // A keyed table read through its primary index, in key order; a damaged
    // index is set aside and said so, the rows still come from the data file.
    void keyedTableWithItsIndex_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("index used") << false;
        QTest::newRow("index damaged") << true;
    }
    void keyedTableWithItsIndex()
    {
        QFETCH(bool, damaged);
        QTemporaryDir dir;
        const QString db = dir.filePath("Quitacao.DB");
        const QString px = dir.filePath("Quitacao.PX");
        QList<test::PxRow> rows;
        for (int n = 1; n <= 300; ++n)
            rows << test::PxRow{"01", QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')), "Q", n * 1.5};
        test::writeParadox(db, {{"Estacao", pxfAlpha, 2}, {"NPedido", pxfAlpha, 12}, {"SinalQuitacao", pxfAlpha, 1},
                                {"Valor", pxfNumber, 0}},
                           rows, 3, px);
        if (damaged) {
            QFile f(px);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(100, '\x7f'));
        }
        paradox::ParadoxTable t(db, px);
        QCOMPARE(t.indexProblem().isEmpty(), !damaged);
        QCOMPARE(t.rowCount(), 300);
        for (int i = 0; i < t.rowCount(); ++i) {
            t.readRow(i);
            QCOMPARE(t.value(1).toString(), rows.at(i).at(1).toString());
            QCOMPARE(t.value(3).toDouble(), (i + 1) * 1.5);
        }
    }

    void refusesWhatItCannotRead()
    {
        QTemporaryDir dir;
        const QString notATable = dir.filePath("SessaoCx.db");
        QFile f(notATable);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a table at all");
        f.close();
        test::expectError(kind::IoError, [&] { paradox::ParadoxTable t(notATable); }, QStringLiteral("SessaoCx.db"));

        const QString logical = dir.filePath("L.db");
        test::writeParadox(logical, {{"Sim", pxfLogical, 0}}, {{true}});
        paradox::ParadoxTable t(logical);
        t.readRow(0);
        test::expectError(kind::InvalidValue, [&] { t.value(0); }, QStringLiteral("Sim"));
    }

    // The suite's file names in any case; two spellings of one name are refused.
    void findsFilesWithoutCase()
    {
        QTemporaryDir dir;
        for (const char* name : {"SESSAOCX.DB", "Quitacao.PX", "movcaixa.db", "MovCaixa.DB"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QCOMPARE(paradox::findFile(dir.path(), "SessaoCx.db"), dir.filePath("SESSAOCX.DB"));
        QCOMPARE(paradox::findFile(dir.path(), "quitacao.px"), dir.filePath("Quitacao.PX"));
        QCOMPARE(paradox::findFile(dir.path(), "CTCaixa.db"), QString());
        test::expectError(kind::IoError, [&] { paradox::findFile(dir.path(), "MovCaixa.db"); }, QStringLiteral("movcaixa.db"));
    }
};

QTEST_GUILESS_MAIN(TestParadoxTable)
#include "tst_paradox_table.moc"
