// The settlement export into 20 destination folders: with empty folders, and
// with 10,000 earlier files (Quitacao1 … Quitacao10000) already in each.

#include "cash/export/ExportaXml.h"
#include "data/local/Table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace qor;

namespace {

constexpr int kDestinos = 20;

struct Suite {
    explicit Suite(int earlierFiles)
    {
        qputenv("QUELVORA_ROOT", dir.path().toLocal8Bit());
        QDir().mkpath(dir.filePath("dados"));
        for (int i = 0; i < kDestinos; ++i) {
            const QString code = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            state.ListaDestinos[i] = code;
            const QString folder = cash::sendFolder(code);
            QDir().mkpath(folder);
            for (int n = 1; n <= earlierFiles; ++n) {
                QFile f(folder + QStringLiteral("/Quitacao%1.xml").arg(n));
                if (f.open(QIODevice::WriteOnly))
                    f.write("<x/>");
            }
        }
        state.QdeDestinos = kDestinos;

        data::Table q("QORFDADOS", "Quitacao");
        q.open();
        for (int n = 1; n <= 50; ++n) {
            q.append();
            q.setValue("Estacao", "01");
            q.setValue("NPedido", QString::number(n));
            q.setValue("SinalQuitacao", "Q");
            q.setValue("Valor", 90.5);
            q.setValue("DataMov", QDate(2026, 12, 9));
            q.setValue("HoraMov", QTime(14, 5));
            q.setValue("FormaPag", QString::fromUtf8("Cartão Crédito"));
            q.setValue("Laboratorio", "LOJA1");
            q.setValue("ValorOriginal", 100.0);
            q.setValue("Desconto", 9.5);
            q.post();
        }
        q.close();
    }

    QTemporaryDir dir;
    app::AppState state;
    data::Table tabelaDB{"QORFDADOS", QString()};
};

void run(benchmark::State& st, int earlierFiles)
{
    Suite suite(earlierFiles);
    const cash::RecordKey key = {{"Estacao", "01"}, {"NPedido", "37"}, {"SinalQuitacao", "Q"}};
    for (auto _ : st) {
        const cash::ExportResult r = cash::Exporta_XML(suite.state, suite.tabelaDB, "Quitacao", "Quitacao", key);
        st.PauseTiming();
        if (!r.copied || r.files.size() != kDestinos)
            st.SkipWithError("export failed");
        for (const QString& f : r.files)
            QFile::remove(f);
        st.ResumeTiming();
    }
}

void BM_Export20Folders(benchmark::State& st) { run(st, 0); }
void BM_Export20FoldersWith10000Files(benchmark::State& st) { run(st, 10000); }

} // namespace

BENCHMARK(BM_Export20Folders)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export20FoldersWith10000Files)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
