// The table engine next to plain sqlite3 calls doing the same work, on a
// MovCaixa of 1,000,000 rows over 10,000 sessions. The fixture file is built
// once (raw inserts in one transaction) and cached in /tmp under a version
// name; every run works on a fresh copy. The ratio table at the end divides
// the engine's time by the plain calls' time.
#include "bench/support/FixtureSite.h"
#include "bench/support/SqliteCheck.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/local/Query.h"
#include "data/local/Table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <map>
#include <set>
#include <memory>

using namespace qor::data;

namespace {

constexpr int Sessions = 10000;
constexpr int RowsPerSession = 100;
// Bump the version when the MovCaixa fields or indexes change.
const char* const FixtureDir = "/tmp/qor_bench_tables_v1";

// Named for the row-id form: a fixture built by an earlier version is not reused.
QString fixtureFile() { return QString::fromLatin1(FixtureDir) + QStringLiteral("/qorcaixa-ids.sqlite"); }

using qor::bench::check;

void buildFixture()
{
    if (QFile::exists(fixtureFile()))
        return;
    QDir().mkpath(QString::fromLatin1(FixtureDir));
    const QString building = QString::fromLatin1(FixtureDir) + QStringLiteral("/building");
    QDir(building).removeRecursively();
    QDir().mkpath(building);
    {
        auto db = Database::createIn(building);
        db->createTable(*Catalog::find(QStringLiteral("MovCaixa")));
        sqlite3* h = db->handle();
        check(sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr), h);
        sqlite3_stmt* st = nullptr;
        check(sqlite3_prepare_v2(h,
                                 "INSERT INTO MovCaixa (NumSessao,DataMov,HoraMov,Valor,FormaPag,NPedido,SinalQuitacao,"
                                 "TipoMov,EntradaSaida,NumParcela,NumDocumento,Laboratorio,ValorOriginal,Desconto) "
                                 "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                                 -1, &st, nullptr),
              h);
        const char* forms[] = {"Dinheiro", "Cheque", "Cartão Débito", "Cartão Crédito"};
        const QDate start(2020, 1, 1);
        for (int i = 0; i < Sessions * RowsPerSession; ++i) {
            const int session = i / RowsPerSession + 1;
            const QByteArray date = start.addDays(session / 10).toString(Qt::ISODate).toLatin1();
            const QByteArray time = QTime(8, 0).addSecs(i % RowsPerSession * 60).toString("hh:mm:ss.zzz").toLatin1();
            const QByteArray order = QStringLiteral("%1.%2").arg(i / 1000000 + 1, 2, 10, QLatin1Char('0'))
                                         .arg(i % 1000000, 6, 10, QLatin1Char('0')).toLatin1();
            sqlite3_bind_int(st, 1, session);
            sqlite3_bind_text(st, 2, date.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, time.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 4, i % 500 + 0.5);
            sqlite3_bind_text(st, 5, forms[i % 4], -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 6, order.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 7, i % 2 ? "Sinal" : "Quitação", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 8, "Venda", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 9, "Entrada", -1, SQLITE_STATIC);
            sqlite3_bind_int(st, 10, 1);
            sqlite3_bind_int(st, 11, i);
            sqlite3_bind_text(st, 12, "LOJA1", -1, SQLITE_STATIC);
            sqlite3_bind_double(st, 13, i % 500 + 0.5);
            sqlite3_bind_double(st, 14, 0.0);
            check(sqlite3_step(st), h);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        check(sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr), h);
        check(sqlite3_exec(h, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr), h);
    }
    Database::releaseIdle();
    QFile::rename(building + QStringLiteral("/qorcaixa.sqlite"), fixtureFile());
    QDir(building).removeRecursively();
}

qor::bench::FixtureSite& site()
{
    static qor::bench::FixtureSite s(fixtureFile());
    return s;
}

// Plain sqlite3 with the same settings as the engine.
struct Raw {
    sqlite3* db = nullptr;
    Raw()
    {
        sqlite3_open_v2(site().file().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(db, 5000);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    }
    ~Raw() { sqlite3_close_v2(db); }
};

// Reads every column of the current row into Qt values, as a Qt program
// handing the row to its screens and reports would.
double readRow(sqlite3_stmt* st)
{
    double sum = 0;
    for (int c = 0; c < sqlite3_column_count(st); ++c) {
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_TEXT:
            sum += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                     sqlite3_column_bytes(st, c)).size();
            break;
        case SQLITE_NULL:
            break;
        default:
            sum += sqlite3_column_double(st, c);
        }
    }
    return sum;
}

double rawSelectOne(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    double v = sqlite3_step(st) == SQLITE_ROW ? readRow(st) : 0;
    sqlite3_finalize(st);
    return v;
}

const char* const RawFirst = "SELECT rowid,* FROM MovCaixa ORDER BY NumSessao, rowid LIMIT 1";
const char* const RawLast = "SELECT rowid,* FROM MovCaixa ORDER BY NumSessao DESC, rowid DESC LIMIT 1";

double readTableRow(Table& t)
{
    double sum = 0;
    for (const FieldDef& f : t.fields()) {
        const QVariant v = t.value(f.name);
        switch (v.typeId()) {
        case QMetaType::QString:
            sum += v.toString().size();
            break;
        case QMetaType::Double:
            sum += v.toDouble();
            break;
        case QMetaType::Int:
            sum += v.toInt();
            break;
        case QMetaType::QDate:
            sum += double(v.toDate().toJulianDay());
            break;
        case QMetaType::QTime:
            sum += v.toTime().msecsSinceStartOfDay();
            break;
        default:
            break;
        }
    }
    return sum;
}

void openEngine(benchmark::State& state)
{
    Table t(QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa"));
    for (auto _ : state) {
        t.open();
        benchmark::DoNotOptimize(readTableRow(t));
        t.close();
    }
}

void openSqlite(benchmark::State& state)
{
    Raw raw;
    for (auto _ : state)
        benchmark::DoNotOptimize(rawSelectOne(raw.db, RawFirst));
}

void lastEngine(benchmark::State& state)
{
    Table t(QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa"));
    t.open();
    for (auto _ : state) {
        t.last();
        benchmark::DoNotOptimize(readTableRow(t));
    }
}

void lastSqlite(benchmark::State& state)
{
    Raw raw;
    for (auto _ : state)
        benchmark::DoNotOptimize(rawSelectOne(raw.db, RawLast));
}

void appendEngine(benchmark::State& state)
{
    Table t(QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa"));
    t.open();
    static int n = 0;
    for (auto _ : state) {
        t.append();
        t.setValue(QStringLiteral("NumSessao"), Sessions);
        t.setValue(QStringLiteral("DataMov"), QDate(2026, 12, 9));
        t.setValue(QStringLiteral("HoraMov"), QTime(1, 12));
        t.setValue(QStringLiteral("Valor"), 10.5);
        t.setValue(QStringLiteral("FormaPag"), QStringLiteral("Dinheiro"));
        t.setValue(QStringLiteral("NPedido"), QStringLiteral("E.%1").arg(++n));
        t.setValue(QStringLiteral("SinalQuitacao"), QStringLiteral("Sinal"));
        t.setValue(QStringLiteral("TipoMov"), QStringLiteral("Venda"));
        t.post();
    }
}

void appendSqlite(benchmark::State& state)
{
    Raw raw;
    static int n = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw.db,
                           "INSERT INTO MovCaixa (NumSessao,DataMov,HoraMov,Valor,FormaPag,NPedido,SinalQuitacao,TipoMov) "
                           "VALUES (?,?,?,?,?,?,?,?)",
                           -1, &st, nullptr);
        const QByteArray order = QStringLiteral("R.%1").arg(++n).toUtf8();
        sqlite3_bind_int(st, 1, Sessions);
        sqlite3_bind_text(st, 2, "2026-12-09", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 3, "01:12:00.000", -1, SQLITE_STATIC);
        sqlite3_bind_double(st, 4, 10.5);
        sqlite3_bind_text(st, 5, "Dinheiro", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 6, order.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 7, "Sinal", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 8, "Venda", -1, SQLITE_STATIC);
        check(sqlite3_step(st), raw.db);
        sqlite3_finalize(st);
    }
}

void walkEngine(benchmark::State& state)
{
    Table t(QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa"));
    t.open();
    t.setFiltered(true);
    int session = 1;
    for (auto _ : state) {
        session = session % (Sessions - 1) + 1;
        t.setFilter(QStringLiteral("NumSessao = %1").arg(session));
        double sum = 0;
        for (t.first(); !t.eof(); t.next())
            sum += readTableRow(t);
        benchmark::DoNotOptimize(sum);
    }
}

void walkSqlite(benchmark::State& state)
{
    Raw raw;
    int session = 1;
    for (auto _ : state) {
        session = session % (Sessions - 1) + 1;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw.db, "SELECT rowid,* FROM MovCaixa WHERE NumSessao = ? ORDER BY NumSessao, rowid", -1, &st,
                           nullptr);
        sqlite3_bind_int(st, 1, session);
        double sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            sum += readRow(st);
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
    }
}

void deleteEngine(benchmark::State& state)
{
    Table t(QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa"));
    t.open();
    for (auto _ : state)
        t.remove(); // the current row; the table moves on to the next one
}

void deleteSqlite(benchmark::State& state)
{
    Raw raw;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(raw.db, "DELETE FROM MovCaixa WHERE rowid = (SELECT rowid FROM MovCaixa ORDER BY NumSessao, rowid LIMIT 1)",
                           -1, &st, nullptr);
        check(sqlite3_step(st), raw.db);
        sqlite3_finalize(st);
    }
}

void purgeEngine(benchmark::State& state)
{
    Query q(QStringLiteral("QORFDADOS"));
    for (auto _ : state) {
        q.setSql(QStringLiteral("Delete from movcaixa where npedido is null"));
        q.execSql();
    }
}

void purgeSqlite(benchmark::State& state)
{
    Raw raw;
    for (auto _ : state)
        check(sqlite3_exec(raw.db, "Delete from movcaixa where npedido is null", nullptr, nullptr, nullptr), raw.db);
}

// Prints, after the usual table, engine time / sqlite time per operation.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the operation.
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration ? !medians_.count(r.run_name.function_name)
                                                : r.aggregate_name == "median") {
                times_[r.run_name.function_name] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
                if (r.run_type == Run::RT_Aggregate)
                    medians_.insert(r.run_name.function_name);
            }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        // Wall time counts the disk syncs of a post; CPU time is steadier on a busy machine.
        std::printf("\n%-8s %12s %12s %7s %12s %12s %7s\n", "", "engine", "sqlite3", "ratio", "engine CPU",
                    "sqlite3 CPU", "ratio");
        for (const char* op : {"open", "last", "append", "walk", "delete", "purge"}) {
            const auto e = times_.find(std::string(op) + "/engine");
            const auto s = times_.find(std::string(op) + "/sqlite");
            if (e == times_.end() || s == times_.end())
                continue;
            std::printf("%-8s %9.1f us %9.1f us %7.2f %9.1f us %9.1f us %7.2f\n", op, e->second.first / 1000.0,
                        s->second.first / 1000.0, e->second.first / s->second.first, e->second.second / 1000.0,
                        s->second.second / 1000.0, e->second.second / s->second.second);
        }
    }

private:
    std::map<std::string, std::pair<double, double>> times_;
    std::set<std::string> medians_;
};

} // namespace

int main(int argc, char** argv)
{
    buildFixture();
    site();
    // QOR_BENCH_ITERATIONS=n runs each benchmark exactly n times, for counting
    // instructions (valgrind --tool=callgrind) on a machine too busy to time.
    const int fixed = qEnvironmentVariableIntValue("QOR_BENCH_ITERATIONS");
    const std::pair<const char*, void (*)(benchmark::State&)> all[] = {
        {"open/engine", openEngine},     {"open/sqlite", openSqlite},     {"last/engine", lastEngine},
        {"last/sqlite", lastSqlite},     {"append/engine", appendEngine}, {"append/sqlite", appendSqlite},
        {"walk/engine", walkEngine},     {"walk/sqlite", walkSqlite},     {"delete/engine", deleteEngine},
        {"delete/sqlite", deleteSqlite}, {"purge/engine", purgeEngine},   {"purge/sqlite", purgeSqlite}};
    for (const auto& [name, fn] : all) {
        auto* b = benchmark::RegisterBenchmark(name, fn);
        if (fixed > 0)
            b->Iterations(fixed);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
