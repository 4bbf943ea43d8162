// The settlement export into 20 destination folders: with (nearly) empty
// folders, and with 10,000 earlier files (Quitacao1 … Quitacao10000) in each.

#include "cash/export/ExportaXml.h"
#include "data/local/SetUpTables.h"
#include "data/local/Table.h"
#include "tests/support/Rows.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

using namespace qor;

namespace {

constexpr int kDestinos = 20;

// Fixtures live under /tmp and are kept between runs: this disk discards
// blocks on every unlink, so creating and removing 200,000 files each run
// would take minutes. A run removes only what the previous run added.
struct Suite {
    explicit Suite(int earlierFiles) : root(QStringLiteral("/tmp/qor-bench-export-%1").arg(earlierFiles))
    {
        qputenv("QUELVORA_ROOT", root.toLocal8Bit());
        data::setUpTables();
        for (int i = 0; i < kDestinos; ++i) {
            const QString code = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            state.ListaDestinos[i] = code;
            const QString folder = cash::sendFolder(code);
            QDir().mkpath(folder);
            int present = 0;
            for (const QString& name : QDir(folder).entryList({"Quitacao*.xml"}, QDir::Files)) {
                if (name.mid(8).chopped(4).toInt() > earlierFiles)
                    QFile::remove(folder + QLatin1Char('/') + name); // an earlier run's
                else
                    ++present;
            }
            for (int n = present + 1; n <= earlierFiles; ++n) {
                QFile f(folder + QStringLiteral("/Quitacao%1.xml").arg(n));
                if (f.open(QIODevice::WriteOnly))
                    f.write("<x/>");
            }
        }
        state.QdeDestinos = kDestinos;
        if (test::countRows("QORFDADOS", "Quitacao") > 0)
            return;
        QList<test::Row> rows;
        for (int n = 1; n <= 50; ++n)
            rows << test::Row{{"Estacao", "01"}, {"NPedido", QString::number(n)}, {"SinalQuitacao", "Q"},
                              {"Valor", 90.5}, {"DataMov", QDate(2026, 12, 9)}, {"HoraMov", QTime(14, 5)},
                              {"FormaPag", QString::fromUtf8("Cartão Crédito")}, {"Laboratorio", "LOJA1"},
                              {"ValorOriginal", 100.0}, {"Desconto", 9.5}};
        test::insertRows("QORFDADOS", "Quitacao", rows);
    }

    QString root;
    app::AppState state;
    data::Table tabelaDB{"QORFDADOS", QString()};
};

// The files of one run pile up (a few dozen per folder, beside 0 or 10,000).
void run(benchmark::State& st, int earlierFiles)
{
    Suite suite(earlierFiles);
    const cash::RecordKey key = {{"Estacao", "01"}, {"NPedido", "37"}, {"SinalQuitacao", "Q"}};
    for (auto _ : st) {
        const cash::ExportResult r = cash::Exporta_XML(suite.state, suite.tabelaDB, "Quitacao", "Quitacao", key);
        if (!r.copied || r.files.size() != kDestinos)
            st.SkipWithError("export failed");
    }
}

void BM_Export20Folders(benchmark::State& st) { run(st, 0); }
void BM_Export20FoldersWith10000Files(benchmark::State& st) { run(st, 10000); }

} // namespace

BENCHMARK(BM_Export20Folders)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export20FoldersWith10000Files)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
