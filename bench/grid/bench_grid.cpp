// The data-aware grid on large tables next to plain sqlite3 fetching what
// the grid shows: opening the session browser's grid on 10,000 sessions
// (count the rows, paint the first lines) and Ctrl+End on 10,000 sessions
// and on 1,000,000 movements (the last lines). The goal for opening the
// browser is under 100 ms. Fixture files are built once with raw inserts and
// cached in /tmp under a version name. Runs offscreen.
#include "app/widgets/DBGrid.h"
#include "app/widgets/DataSource.h"
#include "app/widgets/QtMessageBoxes.h"
#include "bench/support/FixtureSite.h"
#include "bench/support/SqliteCheck.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/local/Table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>
#include <sqlite3.h>


using namespace qor;

namespace {

// Bump the version when the fields or indexes of SessaoCx or MovCaixa change.
const char* const FixtureDir = "/tmp/qor_bench_grid_v2";

QString fixtureFile() { return QString::fromLatin1(FixtureDir) + QStringLiteral("/qorcaixa.sqlite"); }

using qor::bench::check;

void buildFixture()
{
    if (QFile::exists(fixtureFile()))
        return;
    const QString building = QString::fromLatin1(FixtureDir) + QStringLiteral("/building");
    QDir(building).removeRecursively();
    QDir().mkpath(building);
    {
        auto db = data::Database::createIn(building);
        db->createTable(*data::Catalog::find(QStringLiteral("SessaoCx")));
        db->createTable(*data::Catalog::find(QStringLiteral("MovCaixa")));
        sqlite3* h = db->handle();
        check(sqlite3_exec(h,
                           "BEGIN;"
                           "INSERT INTO SessaoCx (NumSessao, DataAbertura, Operador, Troco, DataFechamento) "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
                           "SELECT i, '2020-01-01', 'OPERADOR ' || i, 100.0, '2020-01-02' FROM n;"
                           "INSERT INTO MovCaixa (NumSessao, DataMov, Valor, FormaPag, NPedido, SinalQuitacao, TipoMov) "
                           "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999) "
                           "SELECT i / 100 + 1, '2020-01-01', i % 500 + 0.5, 'Dinheiro', "
                           "printf('01.%06d', i % 1000000), 'Sinal', 'Venda' FROM n;"
                           "COMMIT; PRAGMA wal_checkpoint(TRUNCATE);",
                           nullptr, nullptr, nullptr),
              h);
    }
    data::Database::releaseIdle();
    QFile::rename(building + QStringLiteral("/qorcaixa.sqlite"), fixtureFile());
    QDir(building).removeRecursively();
}

qor::bench::FixtureSite& site()
{
    buildFixture();
    static qor::bench::FixtureSite s(fixtureFile());
    return s;
}

// The grid as the browser lays it out: one column, whole rows, shown.
struct Grid {
    app::QtMessageBoxes boxes;
    data::Table table;
    widgets::DataSource source;
    widgets::DBGrid grid{QStringLiteral("DBGrid2")};

    Grid(const QString& name, const QString& field)
        : table(QStringLiteral("QORFDADOS"), name), source(QStringLiteral("DS"), &table, boxes)
    {
        grid.addColumn(field, field, Qt::AlignCenter);
        grid.setDataReadOnly(true);
        grid.setWholeRowSelect(true);
        grid.resize(104, 256);
        grid.bind(&source);
        grid.show();
    }
    // What the operator waits for: the grid laid out and painted.
    void paint() { grid.viewport()->repaint(); }
};

void openBrowserGrid(benchmark::State& state)
{
    site();
    Grid g(QStringLiteral("SessaoCx"), QStringLiteral("NumSessao"));
    for (auto _ : state) {
        g.table.open();
        g.paint();
        benchmark::DoNotOptimize(g.grid.model()->rowCount());
        g.table.close();
    }
}

// Plain sqlite3: the count and the first lines the grid shows.
void openBrowserSqlite(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(site().file().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM SessaoCx", -1, &st, nullptr);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int(st, 0));
        sqlite3_finalize(st);
        sqlite3_prepare_v2(db, "SELECT rowid, * FROM SessaoCx ORDER BY NumSessao, rowid LIMIT 100", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_int(st, 1));
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(db);
}

void ctrlEndGrid(benchmark::State& state, const QString& table, const QString& field)
{
    site();
    Grid g(table, field);
    g.table.open();
    g.paint();
    for (auto _ : state) {
        QTest::keyClick(&g.grid, Qt::Key_End, Qt::ControlModifier);
        g.paint();
        state.PauseTiming();
        QTest::keyClick(&g.grid, Qt::Key_Home, Qt::ControlModifier);
        g.grid.bind(nullptr); // forget the rows read, as a browser opened again would
        g.grid.bind(&g.source);
        g.paint();
        state.ResumeTiming();
    }
}

// Plain sqlite3: the last lines of the order.
void ctrlEndSqlite(benchmark::State& state, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(site().file().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_int(st, 1));
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(db);
}

} // namespace

BENCHMARK(openBrowserGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(openBrowserSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ctrlEndGrid, sessions_10k, QStringLiteral("SessaoCx"), QStringLiteral("NumSessao"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ctrlEndSqlite, sessions_10k,
                  "SELECT rowid, * FROM SessaoCx ORDER BY NumSessao DESC, rowid DESC LIMIT 100")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ctrlEndGrid, movements_1m, QStringLiteral("MovCaixa"), QStringLiteral("NumSessao"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ctrlEndSqlite, movements_1m,
                  "SELECT rowid, * FROM MovCaixa ORDER BY NumSessao DESC, rowid DESC LIMIT 100")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
