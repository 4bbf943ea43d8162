// Session totals on the last of ten sessions of 100,000 movements each
// (1,000,000 rows in MovCaixa), next to a hand-written GROUP BY over the same
// rows with plain sqlite3. The rows are seeded once through the table engine
// into a suite root under /tmp and reused while their count is right.

#include "cash/totals/TotalizaSessao.h"
#include "data/local/Database.h"
#include "data/local/SetUpTables.h"
#include "data/local/Table.h"
#include "tests/support/Rows.h"

#include <QDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace qor;

namespace {

constexpr int kSessions = 10;
constexpr int kPerSession = 100000;

const QString kRoot = QStringLiteral("/tmp/qor-bench-totals");

const QStringList kFormas = {"Dinheiro", "Debito", "Cheque", QString::fromUtf8("Cheque pré."), "Credito",
                             "Dep. conta", "Vale", "Boleto", QString::fromUtf8("Cartão")};

void seedIfNeeded()
{
    qputenv("QUELVORA_ROOT", kRoot.toLocal8Bit());
    data::setUpTables();
    if (test::countRows("QORFDADOS", "MovCaixa") == kSessions * kPerSession)
        return;
    QDir(kRoot).removeRecursively();
    data::Database::releaseIdle();
    data::setUpTables();

    QList<test::Row> sessions;
    for (int s = 1; s <= kSessions; ++s)
        sessions << test::Row{{"NumSessao", s}, {"DataAbertura", QDate(2026, 12, s)}, {"Troco", 100.0}};
    test::insertRows("QORFDADOS", "SessaoCx", sessions);
    test::insertRow("QORFDADOS", "CaixaCor", {{"SessaoCorrente", 0}});
    for (int s = 1; s <= kSessions; ++s) {
        QList<test::Row> rows;
        rows.reserve(kPerSession);
        for (int i = 0; i < kPerSession; ++i)
            rows << test::Row{{"NumSessao", s},
                              {"NPedido", QStringLiteral("%1.%2").arg(s, 2, 10, QLatin1Char('0')).arg(i, 6, 10, QLatin1Char('0'))},
                              {"SinalQuitacao", i % 2 ? "Sinal" : QString::fromUtf8("Quitação")},
                              {"TipoMov", i % 5 ? "Venda" : "Sangria"},
                              {"EntradaSaida", i % 5 ? "Entrada" : "Saida"},
                              {"FormaPag", kFormas.at(i % kFormas.size())},
                              {"Valor", 1.0 + (i % 997) * 0.37}};
        test::insertRows("QORFDADOS", "MovCaixa", rows);
    }
}

void BM_TotalizaSessao(benchmark::State& st)
{
    seedIfNeeded();
    data::Table sessaoCx("QORFDADOS", "SessaoCx");
    data::Table movCaixa("QORFDADOS", "MovCaixa");
    data::Table caixaCor("QORFDADOS", "CaixaCor");
    for (auto _ : st) {
        cash::TotalizaSessao(sessaoCx, movCaixa, caixaCor);
        sessaoCx.close();
    }
}

// The same sums straight from SQLite: one GROUP BY over the session's rows,
// classified afterwards per group exactly as the totals do.
void BM_PlainSqliteGroupBy(benchmark::State& st)
{
    seedIfNeeded();
    const QByteArray path = (kRoot + QStringLiteral("/dados/") + QLatin1String(data::Database::FileName)).toLocal8Bit();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT EntradaSaida, FormaPag, SUM(Valor) FROM MovCaixa WHERE NumSessao = ?"
                       " GROUP BY EntradaSaida, FormaPag",
                       -1, &stmt, nullptr);
    for (auto _ : st) {
        sqlite3_bind_int(stmt, 1, kSessions);
        double entradas = 0;
        double saidas = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const QString direcao = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            const QString forma = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
            cash::FormaTotal slot;
            benchmark::DoNotOptimize(cash::formaTotalDe(forma, &slot));
            (direcao == u"Entrada" ? entradas : saidas) += sqlite3_column_double(stmt, 2);
        }
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(entradas);
        benchmark::DoNotOptimize(saidas);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_TotalizaSessao)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSqliteGroupBy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
