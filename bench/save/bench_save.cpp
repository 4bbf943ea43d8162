// A sale saved end to end: the movement row as the lookup leaves it, stored
// with its entry mark, then the save's one local unit (movement,
// settlement row, due write-back, end of the mark), the order fetched and
// written back on Firebird, the due record closed, and the export into 20
// folders, with the folders empty and with 10,000 files already in each.
#include "cash/export/ExportaXml.h"
#include "cash/movement/MovimentoEmEntrada.h"
#include "cash/save/SalvaMovimento.h"
#include "data/base/Clock.h"
#include "data/base/Text.h"
#include "data/local/CashTables.h"
#include "data/local/Transaction.h"
#include "data/orderdb/SqlCommand.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/Rows.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

using namespace qor;

namespace {

constexpr int kFolders = 20;
constexpr int kFirstOrder = 100000;
constexpr int kOrders = 400; // one fresh order per saved sale

struct Site {
    test::TempSuite suite;
    test::TempOrderDb db;
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(10, 30))};
    app::AppState state;
    app::ActivityLog activity{state, clock};
    test::ScriptedMessageBoxes boxes;
    orderdb::TDM dm;
    data::CashTables t;
    cash::SalvaMovimento save{state, {t.MovCaixa, t.SessaoCx, t.Quitacao, t.TabelaDB}, dm, activity, boxes};
    int next = kFirstOrder;

    explicit Site(int filesPerFolder)
    {
        db.connect(dm.SQLConnection1);
        boxes.answerAllOk();
        state.QdeDestinos = kFolders;
        for (int i = 0; i < kFolders; ++i) {
            state.ListaDestinos[i] = QString::number(i + 1).rightJustified(2, '0');
            const QString folder = cash::sendFolder(state.ListaDestinos[i]);
            QDir().mkpath(folder);
            for (int n = 1; n <= filesPerFolder; ++n)
                QFile(folder + QStringLiteral("/Quitacao%1.xml").arg(n)).open(QIODevice::WriteOnly);
        }
        state.ArquivoLog = suite.path("LOG261210_1030.txt");
        text::writeLines(state.ArquivoLog, {});
        test::insertRow("QORFDADOS", "SessaoCx", {{"NumSessao", 1}, {"DataAbertura", clock.today()}});
        orderdb::SqlCommand fill(dm.SQLConnection1);
        for (int n = kFirstOrder; n < kFirstOrder + kOrders; ++n) {
            fill.setCommandText(QStringLiteral("insert into PEDIDOS (ESTACAO, NPEDIDO, TIPOPEDIDO, PRECOFINAL, "
                                               "SINAL, VALORRESTANTE) values ('01', ?, 'Pedido', 100, 0, 100)"));
            fill.addBindValue(n);
            fill.execute();
        }
    }

    // The movement row as the panel leaves it after the lookup, then the save.
    bool saveOneSale()
    {
        const QString pedido = QStringLiteral("01.%1").arg(next++);
        t.SessaoCx.open();
        t.SessaoCx.last();
        t.Quitacao.open();
        t.MovCaixa.open();
        t.MovCaixa.append();
        t.MovCaixa.setValue("NumSessao", 1);
        t.MovCaixa.setValue("DataMov", clock.today());
        t.MovCaixa.setValue("TipoMov", "Venda");
        t.MovCaixa.setValue("EntradaSaida", "Entrada");
        t.MovCaixa.setValue("FormaPag", "Dinheiro");
        t.MovCaixa.setValue("SinalQuitacao", QString::fromUtf8("Quitação"));
        t.MovCaixa.setValue("NPedido", pedido);
        t.MovCaixa.setValue("Valor", 100.0);
        {
            // The row and its mark, stored together as when the panel opens.
            data::Transaction unit(t.MovCaixa.location());
            t.MovCaixa.post();
            cash::marcaEmEntrada(t.MovCaixa);
            unit.commit();
        }
        t.MovCaixa.edit();
        state.PrecoFinalRetido = 100.0;
        state.ValorDigitadoRetido = 100.0;
        const cash::SaveResult r = save.BitBtn5Click({pedido, QString::fromUtf8("Quitação"), "100,00", "Dinheiro"});
        return r.outcome == cash::SaveOutcome::Saved && r.exported.copied && r.exported.files.size() == kFolders;
    }
};

void saveSale(benchmark::State& st)
{
    Site site(int(st.range(0)));
    for (auto _ : st) {
        if (!site.saveOneSale()) {
            st.SkipWithError("the sale was not saved and exported");
            break;
        }
    }
}

} // namespace

BENCHMARK(saveSale)->Arg(0)->Arg(10000)->Iterations(100)->Unit(benchmark::kMillisecond)->Repetitions(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
