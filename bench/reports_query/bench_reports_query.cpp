// The detailed period sales report's query (rpt_PeriodoDetalhado, period
// type 2) over a year of a 1,000,000-row MovCaixa (800,000 sales), built and
// opened as the period panel does it, next to the same statement run with
// plain sqlite3:
// - BM_PeriodoDetalhado: opened and walked to the end; the table engine
//   turns every column of every row into a value as it fetches it.
// - BM_PlainSqlite: the same statement stepped to the end, every column
//   read (numbers as numbers, text and dates as QString). The goal is a
//   ratio of at most 1.2 between these two.
// - BM_PeriodoDetalhado_ReadByName: walked and every field read by name
//   through the dataset, as the report layout reads it (the by-name access
//   and the date and time conversions on top of the query).
// The rows are seeded once through the table engine into a suite root under
// /tmp and reused while their count is right.

#include "data/local/Database.h"
#include "data/local/SetUpTables.h"
#include "data/local/Table.h"
#include "data/orderdb/TDM.h"
#include "reports/commands/PreparaRelatorios.h"
#include "tests/support/Rows.h"

#include <QDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace qor;

namespace {

constexpr int kRows = 1000000;
constexpr int kPerSession = 2000;

const QString kRoot = QStringLiteral("/tmp/qor-bench-reports-query");
const QDate kJan1(2026, 1, 1);

const QStringList kFormas = {"Dinheiro", "Debito", "Cheque", QString::fromUtf8("Cheque pré."), "Credito",
                             "Dep. conta", "Vale", "Boleto"};
const QStringList kLojas = {"CENTRO", "SHOPPING", "BAIRRO"};

void seedIfNeeded()
{
    qputenv("QUELVORA_ROOT", kRoot.toLocal8Bit());
    data::setUpTables();
    if (test::countRows("QORFDADOS", "MovCaixa") == kRows)
        return;
    QDir(kRoot).removeRecursively();
    data::Database::releaseIdle();
    data::setUpTables();

    // A year of sessions, the movements spread evenly over its days; one in
    // five is a withdrawal.
    QList<test::Row> rows;
    rows.reserve(kPerSession);
    for (int i = 0; i < kRows; ++i) {
        const bool venda = i % 5 != 0;
        rows << test::Row{{"NumSessao", 1 + i / kPerSession},
                          {"DataMov", kJan1.addDays(i * 365LL / kRows)},
                          {"HoraMov", QTime(8, 0).addSecs((i % kPerSession) * 17)},
                          {"Valor", 1.0 + (i % 997) * 0.37},
                          {"FormaPag", kFormas.at(i % kFormas.size())},
                          {"Historico", venda ? QString() : QStringLiteral("Troco do caixa")},
                          {"NPedido", venda ? QStringLiteral("%1.%2").arg(i % 90 + 10).arg(i, 6, 10, QLatin1Char('0'))
                                            : QStringLiteral("S_%1").arg(i)},
                          {"SinalQuitacao", venda ? (i % 2 ? QStringLiteral("Sinal") : QString::fromUtf8("Quitação"))
                                                  : QStringLiteral("S_%1").arg(i)},
                          {"TipoMov", venda ? "Venda" : "Sangria"},
                          {"EntradaSaida", venda ? "Entrada" : "Saida"},
                          {"NumParcela", 1},
                          {"Laboratorio", kLojas.at(i % kLojas.size())},
                          {"ValorOriginal", 1.0 + (i % 997) * 0.37},
                          {"Desconto", 0.0}};
        if (rows.size() == kPerSession) {
            test::insertRows("QORFDADOS", "MovCaixa", rows);
            rows.clear();
        }
    }
    test::insertRow("QORFDADOS", "Periodo", {{"DataInicial", kJan1}, {"DataFinal", QDate(2026, 12, 31)}});
}

const char* const kSameSelect = "Select * From MovCaixa where (DataMov Between '2026-01-01' and '2026-12-31') and "
                                "(TipoMov = 'Venda') order by FormaPag,NumSessao,DataMov,HoraMov;";

void periodoDetalhado(benchmark::State& st, bool readFields)
{
    seedIfNeeded();
    orderdb::TDM DM;
    data::Table periodo("QORFDADOS", "Periodo");
    data::Query& q = DM.qryDetalhaPeriodo;
    int64_t rows = 0;
    for (auto _ : st) {
        reports::MontaRelatorio_SQL(DM, periodo, 2, QString());
        const QList<data::FieldDef>& fields = q.fields();
        for (q.first(); !q.eof(); q.next()) {
            if (readFields)
                for (const data::FieldDef& f : fields)
                    benchmark::DoNotOptimize(q.value(f.name));
            ++rows;
        }
        q.close();
    }
    st.counters["rows"] = benchmark::Counter(double(rows) / double(st.iterations()));
}

// The same statement, its dates written as SQLite stores them.
void BM_PlainSqlite(benchmark::State& st)
{
    seedIfNeeded();
    const QByteArray path = (kRoot + QStringLiteral("/dados/") + QLatin1String(data::Database::FileName)).toLocal8Bit();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    int64_t rows = 0;
    for (auto _ : st) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSameSelect, -1, &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    benchmark::DoNotOptimize(sqlite3_column_int64(stmt, c));
                    break;
                case SQLITE_FLOAT:
                    benchmark::DoNotOptimize(sqlite3_column_double(stmt, c));
                    break;
                case SQLITE_TEXT:
                    benchmark::DoNotOptimize(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)), sqlite3_column_bytes(stmt, c)));
                    break;
                default:
                    break;
                }
            }
            ++rows;
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    st.counters["rows"] = benchmark::Counter(double(rows) / double(st.iterations()));
}

void BM_PeriodoDetalhado(benchmark::State& st) { periodoDetalhado(st, false); }
void BM_PeriodoDetalhado_ReadByName(benchmark::State& st) { periodoDetalhado(st, true); }

} // namespace

BENCHMARK(BM_PeriodoDetalhado)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeriodoDetalhado_ReadByName)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
