// Layout of the detailed period report (rpt_PeriodoDetalhado) over 10,000
// sales into pages; goal: under 2 s. Over the in-memory dataset (the engine
// alone) and over the local query that feeds it in the program.
// Its PDF (about 200 pages); goal: written in 0.4 s, next to plain Qt
// drawing every text into its box. And how soon the first page is there for
// the preview while the rest is still being laid out.
#include "data/local/Query.h"
#include "reports/engine/DataConnections.h"
#include "reports/engine/LayoutEngine.h"
#include "reports/engine/PdfOutput.h"
#include "reports/engine/ProjectReader.h"
#include "reports/project/ReportProjectInstall.h"
#include "tests/reports/fixtures/CashReportData.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace qor;

namespace {

constexpr int kRows = 10000;
const QStringList kForms = {"Dinheiro", "Cheque", "Cartão Crédito", "Cartão Débito", "Vale", "Boleto"};
const QDate kFrom(2026, 1, 1);

QList<test::Movement> sales()
{
    QList<test::Movement> rows;
    for (int i = 0; i < kRows; ++i) {
        test::Movement m;
        m.session = 1 + i / 40;
        m.date = kFrom.addDays(i / 40);
        m.time = QTime(8, 0).addSecs(60 * (i % 40));
        m.value = 10.0 + i % 250;
        m.form = kForms.at(i % kForms.size());
        m.order = QStringLiteral("01.%1").arg(100000 + i);
        m.depositKind = i % 3 ? "Quitação" : "Sinal";
        m.store = i % 2 ? "CENTRO" : "SHOPPING";
        m.history = i % 7 ? QString() : QStringLiteral("Cliente pagou menos");
        rows << m;
    }
    return rows;
}

const reports::ReportDef& periodReport()
{
    static const reports::ProjectDef project = reports::parseProject(reports::builtInReportProject(), "rptCaixa.rav");
    return *project.find("rpt_PeriodoDetalhado");
}

// The year of sales in memory, registered as the report's connections.
struct PeriodSales {
    test::CashReportData data;
    reports::DataConnections connections;

    PeriodSales()
    {
        data.loadPeriod(kFrom, kFrom.addDays(365), sales());
        data.registerIn(connections);
    }
    reports::Document layout() const
    {
        return reports::layoutReport(periodReport(), connections, QDateTime::currentDateTime());
    }
};

void BM_LayoutPeriodDetail_Memory(benchmark::State& state)
{
    const PeriodSales period;
    int pages = 0;
    for (auto _ : state) {
        const reports::Document doc = period.layout();
        pages = int(doc.pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LayoutPeriodDetail_Memory)->Unit(benchmark::kMillisecond);

void BM_LayoutPeriodDetail_LocalQuery(benchmark::State& state)
{
    test::TempSuite suite;
    QList<test::Row> rows;
    for (const auto& m : sales())
        rows << test::Row{{"NumSessao", m.session}, {"DataMov", m.date},        {"HoraMov", m.time},
                          {"Valor", m.value},       {"FormaPag", m.form},       {"Historico", m.history},
                          {"NPedido", m.order},     {"SinalQuitacao", m.depositKind}, {"TipoMov", m.type},
                          {"EntradaSaida", m.direction}, {"Laboratorio", m.store}};
    test::insertRows("QORFDADOS", "MovCaixa", rows);
    test::CashReportData data;
    data.loadPeriod(kFrom, kFrom.addDays(365), {});
    data::Query query("QORFDADOS");
    query.setSql("Select * From MovCaixa where (DataMov Between '01.01.26' and '31.12.26') and (TipoMov = 'Venda') "
                 "order by FormaPag,NumSessao,DataMov,HoraMov;");
    reports::DataConnections connections;
    data.registerIn(connections);
    connections.add("rvdsDetalhaPeriodo", &query); // closed: each run opens it, as the engine does in the program
    int pages = 0;
    for (auto _ : state) {
        const reports::Document doc = reports::layoutReport(periodReport(), connections, QDateTime::currentDateTime());
        pages = int(doc.pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LayoutPeriodDetail_LocalQuery)->Unit(benchmark::kMillisecond);

void BM_WritePdfPeriodDetail(benchmark::State& state)
{
    const PeriodSales period;
    const reports::Document doc = period.layout();
    QTemporaryDir dir;
    const reports::PdfOutput pdf;
    for (auto _ : state)
        pdf.write(doc, dir.filePath("periodo.pdf"));
    state.counters["pages"] = double(doc.pages.size());
}
BENCHMARK(BM_WritePdfPeriodDetail)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same pages drawn the plain Qt way: each text laid out into its box by
// QPainter::drawText, one text object per run.
void BM_WritePdfPeriodDetail_QtDrawText(benchmark::State& state)
{
    const PeriodSales period;
    const reports::Document doc = period.layout();
    QList<QFont> fonts;
    for (const auto& style : doc.fonts) {
        QFont font(style.family);
        font.setPointSizeF(style.size);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        fonts << font;
    }
    QTemporaryDir dir;
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath("qt.pdf"));
        writer.setResolution(300);
        writer.setPageLayout(doc.pageLayout());
        QPainter painter(&writer);
        const double dots = 300 / 25.4;
        for (int p = 0; p < doc.pages.size(); ++p) {
            if (p > 0)
                writer.newPage();
            for (const auto& box : doc.pages.at(p).boxes)
                painter.fillRect(QRectF(box.rect.topLeft() * dots, box.rect.size() * dots), box.fill);
            for (const auto& line : doc.pages.at(p).lines)
                painter.drawLine(QLineF(line.line.p1() * dots, line.line.p2() * dots));
            for (const auto& run : doc.pages.at(p).texts) {
                painter.setFont(fonts.at(run.font));
                painter.drawText(QRectF(run.rect.topLeft() * dots, run.rect.size() * dots),
                                 int(run.align | Qt::AlignVCenter | Qt::TextSingleLine), run.text);
            }
        }
    }
    state.counters["pages"] = double(doc.pages.size());
}
BENCHMARK(BM_WritePdfPeriodDetail_QtDrawText)->Unit(benchmark::kMillisecond)->Iterations(3);

// Layout and PDF together, as the headless command renders the report.
void BM_RenderPdfPeriodDetail(benchmark::State& state)
{
    const PeriodSales period;
    QTemporaryDir dir;
    const reports::PdfOutput pdf;
    int pages = 0;
    for (auto _ : state) {
        const reports::Document doc = period.layout();
        pdf.write(doc, dir.filePath("periodo.pdf"));
        pages = int(doc.pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_RenderPdfPeriodDetail)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first page handed to the preview, against the whole layout.
void BM_FirstPagePeriodDetail(benchmark::State& state)
{
    const PeriodSales period;
    double firstMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        bool first = true;
        reports::layoutReport(periodReport(), period.connections, QDateTime::currentDateTime(), nullptr,
                              [&](const reports::Document&, int) {
                                  if (std::exchange(first, false))
                                      firstMs = double(clock.nsecsElapsed()) / 1e6;
                              });
    }
    state.counters["first_page_ms"] = firstMs;
}
BENCHMARK(BM_FirstPagePeriodDetail)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the PDF writer
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
