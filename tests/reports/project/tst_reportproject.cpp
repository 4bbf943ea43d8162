#include "data/base/Clock.h"
#include "reports/engine/ProjectReader.h"
#include "reports/engine/ReportModule.h"
#include "reports/engine/ReportOutput.h"
#include "reports/project/ReportProjectInstall.h"
#include "tests/reports/fixtures/CashReportData.h"
#include "tests/reports/fixtures/PdfWords.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;
using namespace qor::reports;
using test::Movement;

namespace {

const QDate kDay(2026, 12, 1);
const QDate kDayBefore(2026, 11, 30);

test::Session session7()
{
    return {7, kDay, QTime(8, 0), kDay, QTime(18, 10), "MARIA", 100.0};
}

Movement sale(int session, QDate day, QTime at, double value, const QString& form, const QString& order,
              const QString& kind, const QString& store, double original, double discount = 0)
{
    Movement m;
    m.session = session;
    m.date = day;
    m.time = at;
    m.value = value;
    m.form = form;
    m.order = order;
    m.depositKind = kind;
    m.store = store;
    m.originalValue = original;
    m.discount = discount;
    return m;
}

Movement cashMove(int session, QDate day, QTime at, double value, const QString& form, const QString& number,
                  const QString& type, const QString& direction, const QString& history)
{
    Movement m;
    m.session = session;
    m.date = day;
    m.time = at;
    m.value = value;
    m.form = form;
    m.order = m.depositKind = number;
    m.type = type;
    m.direction = direction;
    m.history = history;
    return m;
}

QList<Movement> movements()
{
    Movement card = sale(7, kDay, QTime(10, 20), 1234.5, "Cartão Crédito", "01.000124", "Sinal", "CENTRO", 1234.5);
    card.instalments = 3;
    card.document = 5567;
    Movement less = sale(7, kDay, QTime(11, 0), 80.0, "Dinheiro", "02.000200", "Quitação", "SHOPPING", 80.0);
    less.history = "Cliente pagou menos";
    return {sale(7, kDay, QTime(9, 15), 150.0, "Dinheiro", "01.000123", "Quitação", "CENTRO", 160.0, 10.0),
            card,
            less,
            cashMove(7, kDay, QTime(12, 0), 200.0, "Dinheiro", "S_5", "Sangria", "Saida", "Depósito no banco"),
            cashMove(7, kDay, QTime(13, 0), 50.0, "Dinheiro", "R3", "Ressuprimento", "Entrada", ""),
            sale(6, kDayBefore, QTime(15, 30), 300.0, "Cheque", "01.000099", "Quitação", "CENTRO", 300.0),
            cashMove(6, kDayBefore, QTime(16, 0), 20.0, "Vale", "S_4", "Sangria", "Saida", "Vale funcionário")};
}

enum class Load { Session, SessionSales, Period, PeriodByStore };

struct Run {
    test::TempSuite suite;
    FixedClock clock{QDateTime(kDay, QTime(18, 30))};
    TRM rm{clock};
    RecordingOutput recorded;
    test::CashReportData data;
    Run()
    {
        installReportProject();
        data.registerIn(rm.connections);
        rm.rvstm1.output = &recorded;
    }
    void load(Load how, const QList<Movement>& rows)
    {
        if (how == Load::Session || how == Load::SessionSales)
            data.loadSession(session7(), rows, how == Load::SessionSales);
        else
            data.loadPeriod(kDayBefore, kDay, rows, how == Load::PeriodByStore);
    }
    Document report(const QString& name)
    {
        rm.rvpj1.Close();
        if (!rm.rvpj1.ExecuteReport(name))
            return {};
        Document doc = recorded.documents.takeLast();
        const QString dir = qEnvironmentVariable("QOR_REPORT_PDF_DIR"); // to look at the layouts
        if (!dir.isEmpty())
            rm.rvpdf1.write(doc, QDir(dir).filePath(QStringLiteral("%1-%2.pdf").arg(QTest::currentTestFunction(), name)));
        return doc;
    }
};

const QString kSession7 = QStringLiteral("Sessão: 7\tOperador: MARIA\tAbertura: 01/12/2026 08:00\tFechamento: 01/12/2026 18:10");

const QStringList kReports = {"rpt_resumo",           "rpt_resumoFP",          "rpt_SessaoDetalhada",
                              "rpt_SessaoDetalhada_VOriginal", "rpt_PeriodoDetalhado", "rpt_PeriodoDetalhadoLoja",
                              "rpt_ResumoVendas",     "rpt_ResumoVendas_Loja", "rpt_ResumoSaidas",
                              "rpt_DetalhaSaidas", "rpt_ParcialCaixa", "rpt_Conciliacao", "rpt_SinaisEmAberto"};

// 50 characters each: what a manager reads to understand a difference.
const QString kLongHistory = QStringLiteral("Diferença de R$ 10,00 autorizada pela gerente Ana.");
const QString kLongOutflow = QStringLiteral("Sangria para depósito bancário do turno da manhã..");

enum class Case { LongHistory, EmptySession, ThreePageGroup, StoreFilter };

// The words of `phrase`, in order, among the page's words (other words of
// the line may come between, as the columns of a wrapped row do).
bool showsInOrder(const QList<test::PdfWord>& words, const QString& phrase)
{
    qsizetype at = 0;
    for (const QString& wanted : phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        while (at < words.size() && words.at(at).text != wanted)
            ++at;
        if (at++ >= words.size())
            return false;
    }
    return true;
}

void loadCase(Run& run, Case c)
{
    switch (c) {
    case Case::LongHistory: {
        QList<Movement> rows = movements();
        Movement less = sale(7, kDay, QTime(14, 0), 90.0, "Dinheiro", "02.000201", "Quitação", "SHOPPING", 100.0, 10.0);
        less.history = kLongHistory;
        rows << less << cashMove(7, kDay, QTime(15, 0), 300.0, "Dinheiro", "S_6", "Sangria", "Saida", kLongOutflow);
        run.data.loadSession(session7(), rows);
        run.data.loadPeriod(kDayBefore, kDay, rows);
        break;
    }
    case Case::EmptySession:
        run.data.loadSession({9, kDay, QTime(7, 45), {}, {}, "JOÃO DA SILVA", 50.0}, {});
        break;
    case Case::ThreePageGroup: {
        QList<Movement> rows;
        for (int i = 0; i < 150; ++i) {
            rows << sale(7, kDay, QTime(8, 0).addSecs(i * 60), 10.0, "Dinheiro", "01.000500", "Sinal", "CENTRO", 10.0);
            rows << cashMove(7, kDay, QTime(8, 0).addSecs(i * 60), 5.0, "Dinheiro", "S_9", "Sangria", "Saida", "");
        }
        run.data.loadPeriod(kDayBefore, kDay, rows);
        break;
    }
    case Case::StoreFilter: {
        QList<Movement> shopping;
        for (const Movement& m : movements())
            if (m.store == QLatin1String("SHOPPING"))
                shopping << m;
        run.data.loadPeriod(kDayBefore, kDay, shopping);
        run.data.setStoreFilter("SHOPPING");
        break;
    }
    }
}

} // namespace

Q_DECLARE_METATYPE(Load)
Q_DECLARE_METATYPE(Case)

class TestReportProject : public QObject {
    Q_OBJECT
private slots:
    void installedProjectHoldsEveryReport()
    {
        test::TempSuite suite;
        const QString path = installReportProject();
        QCOMPARE(path, suite.path("rpt/rptCaixa.rav"));
        const ProjectDef project = readProjectFile(path);
        QCOMPARE(project.reports.size(), kReports.size());
        for (const QString& name : kReports)
            QVERIFY2(project.find(name), qPrintable(name));
    }

    void reportsShowTheirData_data()
    {
        QTest::addColumn<Load>("load");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("rpt_resumo") << Load::Session
                          << QStringList{"Resumo do Caixa\tLoja padrão: FARMA-TESTE", kSession7, "Troco inicial: 100,00",
                                         "Forma de pagamento\tEntradas\tSaídas\tSaldo Final",
                                         "Dinheiro\t280,00\t200,00\t180,00", "Cheque\t0,00\t0,00\t0,00",
                                         "Cheque Pré\t0,00\t0,00\t0,00",
                                         "Cartão Crédito\t1.234,50\t0,00\t1.234,50", "Cartão Débito\t0,00\t0,00\t0,00",
                                         "Dep. Conta\t0,00\t0,00\t0,00",
                                         "Boleto\t0,00\t0,00\t0,00", "Vale\t0,00\t0,00\t0,00",
                                         "Total\t1.514,50\t200,00\t1.414,50", "Operador\tConferido por"};
        QTest::newRow("rpt_resumoFP") << Load::Session
                          << QStringList{"Resumo por Forma de Pagamento\tLoja padrão: FARMA-TESTE", kSession7, "Forma de pagamento\tValor",
                                         "Cartão Crédito\t1.234,50", "Dinheiro\t480,00", "Total\t1.714,50"};
        QTest::newRow("rpt_SessaoDetalhada") << Load::Session
                          << QStringList{"Movimento Detalhado da Sessão\tLoja padrão: FARMA-TESTE", kSession7, "Troco inicial: 100,00",
                                         "Data\tHora\tTipo\tE/S\tPedido / Nº\tSinal/Quit.\tForma de pagamento\tParc.\tDocumento\tLoja\tHistórico\tValor",
                                         "01/12/26\t09:15\tVenda\tEntrada\t01.000123\tQuitação\tDinheiro\tCENTRO\t150,00",
                                         "01/12/26\t10:20\tVenda\tEntrada\t01.000124\tSinal\tCartão Crédito\t3\t5567\tCENTRO\t1.234,50",
                                         "01/12/26\t12:00\tSangria\tSaida\tS_5\tS_5\tDinheiro\tDepósito no banco\t200,00",
                                         "Totais por tipo de movimento", "Ressuprimento\t50,00", "Sangria\t200,00",
                                         "Venda\t1.464,50"};
        QTest::newRow("rpt_SessaoDetalhada_VOriginal") << Load::SessionSales
                          << QStringList{"Vendas Detalhadas da Sessão - Com Valor Original\tLoja padrão: FARMA-TESTE", kSession7,
                                         "01/12/26\t09:15\t01.000123\tQuitação\tDinheiro\tCENTRO\t160,00\t10,00\t150,00",
                                         "Total das vendas\t1.474,50\t10,00\t1.464,50",
                                         "Totais da sessão por tipo de movimento",
                                         "Tipo\tValor original\tDesconto\tValor final", "Sangria\t0,00\t0,00\t200,00",
                                         "Venda\t1.474,50\t10,00\t1.464,50"};
        QTest::newRow("rpt_PeriodoDetalhado") << Load::Period
                          << QStringList{"Vendas do Período - Detalhado\tLoja padrão: FARMA-TESTE", "Período: 30/11/2026 a 01/12/2026",
                                         "Forma de pagamento: Cartão Crédito",
                                         "7\t01/12/26\t10:20\t01.000124\tSinal\tCENTRO\t3\t1.234,50",
                                         "Total Cartão Crédito\t1.234,50", "Total Cheque\t300,00",
                                         "Total Dinheiro\t230,00", "Total do período\t1.764,50"};
        QTest::newRow("rpt_PeriodoDetalhadoLoja") << Load::PeriodByStore
                          << QStringList{"Vendas do Período por Loja - Detalhado\tLoja padrão: FARMA-TESTE",
                                         "Período: 30/11/2026 a 01/12/2026", "Loja: CENTRO",
                                         "Forma de pagamento: Cheque", "6\t30/11/26\t15:30\t01.000099\tQuitação\t300,00",
                                         "Total da loja CENTRO\t1.684,50", "Loja: SHOPPING",
                                         "7\t01/12/26\t11:00\t02.000200\tQuitação\tCliente pagou menos\t80,00",
                                         "Total da loja SHOPPING\t80,00", "Total do período\t1.764,50"};
        QTest::newRow("rpt_ResumoVendas") << Load::Period
                          << QStringList{"Resumo das Vendas do Período\tLoja padrão: FARMA-TESTE", "Período: 30/11/2026 a 01/12/2026",
                                         "Cartão Crédito\t1.234,50", "Cheque\t300,00", "Dinheiro\t230,00",
                                         "Total do período\t1.764,50"};
        QTest::newRow("rpt_ResumoVendas_Loja") << Load::Period
                          << QStringList{"Resumo das Vendas do Período por Loja\tLoja padrão: FARMA-TESTE",
                                         "Período: 30/11/2026 a 01/12/2026\tFiltro de loja: todas",
                                         "Loja: CENTRO", "Cartão Crédito\t1.234,50", "Total da loja CENTRO\t1.684,50",
                                         "Loja: SHOPPING", "Dinheiro\t80,00", "Total da loja SHOPPING\t80,00",
                                         "Total do período\t1.764,50"};
        QTest::newRow("rpt_ResumoSaidas") << Load::Period
                          << QStringList{"Resumo das Saídas do Período\tLoja padrão: FARMA-TESTE", "Período: 30/11/2026 a 01/12/2026", "Dinheiro\t200,00", "Vale\t20,00",
                                         "Total das saídas\t220,00"};
        QTest::newRow("rpt_DetalhaSaidas") << Load::Period
                          << QStringList{"Saídas do Período - Detalhado\tLoja padrão: FARMA-TESTE", "Período: 30/11/2026 a 01/12/2026", "Sessão 6",
                                         "30/11/26\t16:00\tSangria\tS_4\tVale\tVale funcionário\t20,00",
                                         "Total da sessão 6\t20,00", "Sessão 7", "Total da sessão 7\t200,00",
                                         "Total das saídas do período\t220,00"};
    }
    void reportsShowTheirData()
    {
        const QString report = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(Load, load);
        QFETCH(QStringList, lines);
        Run run;
        run.load(load, movements());
        const Document doc = run.report(report);
        QCOMPARE(doc.reportName, report);
        QCOMPARE(doc.pages.size(), 1);
        const QStringList shown = doc.text().split('\n');
        qsizetype at = 0;
        for (const QString& line : lines) { // in this order
            const qsizetype found = shown.indexOf(line, at);
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("missing \"%1\" in:\n%2").arg(line, doc.text())));
            at = found + 1;
        }
        QCOMPARE(shown.last().split('\t').first(), QStringLiteral("Impresso em 01/12/2026 às 18:30"));
        QVERIFY(shown.last().endsWith(QStringLiteral("Página 1 de 1")));
    }

    void sessionWithoutMovements()
    {
        Run run;
        run.load(Load::Session, {});
        const QString summary = run.report("rpt_resumo").text();
        QVERIFY(summary.contains(QStringLiteral("Sessão: 7\tOperador: MARIA")));
        QVERIFY(summary.contains(QStringLiteral("Dinheiro\t0,00\t0,00\t100,00")));
        QVERIFY(run.report("rpt_SessaoDetalhada").text().contains(QStringLiteral("Nenhum movimento nesta sessão.")));
        QVERIFY(run.report("rpt_resumoFP").text().contains(QStringLiteral("Nenhum movimento nesta sessão.\nTotal\t0,00")));
    }

    // The PDF itself, as a reader gets it: every text of the page model is
    // drawn whole inside its box, each sheet says whose it is, and a group
    // going on over pages says so on each.
    void pdfShowsEveryCharacterAndIdentification_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<Case>("situation");
        QTest::addColumn<QStringList>("phrases");   // in the PDF, each in order
        QTest::addColumn<QString>("onLaterPages"); // on every page after the first
        const QString store = "Loja padrão: FARMA-TESTE";
        const QString session7 = "Sessão: 7 Operador: MARIA Abertura: 01/12/2026 08:00 Fechamento: 01/12/2026 18:10";
        const QString session9 = "Sessão: 9 Operador: JOÃO DA SILVA Abertura: 01/12/2026 07:45 Fechamento:";
        const QString period = "Período: 30/11/2026 a 01/12/2026";
        for (const char* name : {"rpt_SessaoDetalhada", "rpt_SessaoDetalhada_VOriginal"})
            QTest::addRow("%s history", name) << name << Case::LongHistory << QStringList{store, session7, kLongHistory}
                                            << QString();
        for (const char* name : {"rpt_PeriodoDetalhado", "rpt_PeriodoDetalhadoLoja"})
            QTest::addRow("%s history", name) << name << Case::LongHistory << QStringList{store, period, kLongHistory}
                                            << QString();
        QTest::newRow("rpt_DetalhaSaidas history") << "rpt_DetalhaSaidas" << Case::LongHistory
                                                   << QStringList{store, period, kLongOutflow} << QString();
        for (const char* name : {"rpt_resumo", "rpt_resumoFP", "rpt_SessaoDetalhada", "rpt_SessaoDetalhada_VOriginal"})
            QTest::addRow("%s empty session", name) << name << Case::EmptySession << QStringList{store, session9}
                                                  << QString();
        QTest::newRow("rpt_PeriodoDetalhado 3 pages")
            << "rpt_PeriodoDetalhado" << Case::ThreePageGroup << QStringList{store, period, "Total Dinheiro 1.500,00"}
            << "Forma de pagamento: Dinheiro (continuação)";
        QTest::newRow("rpt_PeriodoDetalhadoLoja 3 pages")
            << "rpt_PeriodoDetalhadoLoja" << Case::ThreePageGroup << QStringList{store, period}
            << "Loja: CENTRO (continuação) Forma de pagamento: Dinheiro (continuação)";
        QTest::newRow("rpt_DetalhaSaidas 3 pages") << "rpt_DetalhaSaidas" << Case::ThreePageGroup
                                                   << QStringList{store, period} << "Sessão 7 (continuação)";
        QTest::newRow("rpt_ResumoVendas_Loja filter")
            << "rpt_ResumoVendas_Loja" << Case::StoreFilter
            << QStringList{store, period, "Filtro de loja: SHOPPING", "Total da loja SHOPPING 80,00"} << QString();
        for (const char* name : {"rpt_ResumoVendas", "rpt_ResumoSaidas"})
            QTest::addRow("%s", name) << name << Case::LongHistory << QStringList{store, period} << QString();
    }
    void pdfShowsEveryCharacterAndIdentification()
    {
        QFETCH(QString, report);
        QFETCH(Case, situation);
        QFETCH(QStringList, phrases);
        QFETCH(QString, onLaterPages);
        Run run;
        loadCase(run, situation);
        const Document doc = run.report(report);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        run.rm.rvpdf1.write(doc, pdf);
        const QList<QList<test::PdfWord>> pages = test::pdfWords(pdf);
        const QString missing = test::missingFromPdf(doc, pages);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
        QList<test::PdfWord> all;
        for (const auto& page : pages)
            all += page;
        for (const QString& phrase : phrases)
            QVERIFY2(showsInOrder(all, phrase), qPrintable(phrase + "\n---\n" + test::pageWords(all)));
        if (onLaterPages.isEmpty())
            return;
        QVERIFY(pages.size() >= 3);
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QVERIFY2(showsInOrder(pages.at(p), phrases.first()), qPrintable(test::pageWords(pages.at(p))));
            QCOMPARE(showsInOrder(pages.at(p), onLaterPages), p > 0);
        }
    }

    void longPeriodBreaksIntoPages()
    {
        Run run;
        QList<Movement> rows;
        for (int i = 0; i < 120; ++i) {
            rows << sale(7, kDay, QTime(8, 0).addSecs(i * 60), 10.0, i < 70 ? "Dinheiro" : "Cheque", "01.000500",
                         "Sinal", "CENTRO", 10.0);
        }
        run.load(Load::Period, rows);
        const Document doc = run.report("rpt_PeriodoDetalhado");
        QCOMPARE(doc.pages.size(), 3);
        for (int p = 0; p < doc.pages.size(); ++p) {
            const QString page = doc.pageText(p);
            QVERIFY(page.contains(QStringLiteral("Sessão\tData\tHora\tPedido\tSinal/Quit.\tLoja\tParc.\tHistórico\tValor")));
            QVERIFY(page.endsWith(QStringLiteral("Página %1 de 3").arg(p + 1)));
        }
        const QString all = doc.text();
        QVERIFY(all.contains(QStringLiteral("Total Cheque\t500,00")));
        QVERIFY(all.contains(QStringLiteral("Total Dinheiro\t700,00")));
        QVERIFY(all.contains(QStringLiteral("Total do período\t1.200,00")));
    }
};

QTEST_MAIN(TestReportProject)
#include "tst_reportproject.moc"
