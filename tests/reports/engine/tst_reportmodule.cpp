#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/local/Query.h"
#include "data/local/Table.h"
#include "reports/engine/HeadlessReport.h"
#include "reports/engine/ReportModule.h"
#include "reports/engine/ReportOutput.h"
#include "tests/reports/fixtures/CashReportData.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace qor;
using namespace qor::reports;

namespace {

QByteArray oneReport(const QString& heading)
{
    return QStringLiteral(R"(<reportProject>
  <report name="rpt_resumoFP">
    <title height="1"><text>%1</text></title>
    <data connection="rvdsqryResumoFP">
      <detail height="0.6"><field name="formapag" width="8"/><field name="Valor" format="##,##0.00" x="8" width="4" align="right"/></detail>
      <summary height="0.6"><text width="8">Total</text><sum field="Valor" format="##,##0.00" x="8" width="4" align="right"/></summary>
    </data>
  </report>
</reportProject>)")
        .arg(heading)
        .toUtf8();
}

struct Module {
    test::TempSuite suite;
    FixedClock clock{QDateTime(QDate(2026, 12, 1), QTime(18, 30))};
    TRM rm{clock};
    RecordingOutput recorded;
    test::CashReportData data;
    Module()
    {
        data.registerIn(rm.connections);
        rm.rvstm1.output = &recorded;
        data.resumoFP.setRows({{"Dinheiro", 1234.5}, {"Cheque", 100.0}});
    }
    void writeProject(const QByteArray& xml) const { suite.writeFile("rpt/rptCaixa.rav", xml); }
};

} // namespace

class TestReportModule : public QObject {
    Q_OBJECT
private slots:
    void settingsOfTheReportSystem()
    {
        FixedClock clock(QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
        TRM rm(clock);
        QVERIFY(!rm.rvstm1.showSetupDialog);
        QCOMPARE(rm.rvstm1.statusTitle, QStringLiteral("Estatus do Relatório"));
        QCOMPARE(ReportSystem::statusText(rm.rvstm1.statusGenerating, 3), QStringLiteral("Aguarde - gerando pág. 3"));
        QCOMPARE(ReportSystem::statusText(rm.rvstm1.statusPrinting, 12), QStringLiteral("Imprimindo pág. 12"));
        QCOMPARE(rm.rvstm1.previewTitle, QStringLiteral("Report Preview"));
        QCOMPARE(rm.rvstm1.jobTitle, QStringLiteral("ReportPrinter Report"));
        QCOMPARE(rm.rvpdf1.fileDialogFilter(), QStringLiteral("Adobe Acrobat (PDF) (*.pdf)"));
        QCOMPARE(TRM::connectionTable().size(), 15); // the data module's, the heading and the three of cash control
    }

    void missingProjectNamesThePath()
    {
        Module m;
        try {
            m.rm.rvpj1.ExecuteReport("rpt_resumoFP");
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::ReportProject);
            QVERIFY2(e.text().contains(m.suite.path("rpt/rptCaixa.rav")), qPrintable(e.text()));
        }
        QVERIFY(m.recorded.documents.isEmpty());
        QCOMPARE(m.data.resumoFP.openCount(), 0);
    }

    void unknownReportGivesNothing()
    {
        Module m;
        m.writeProject(oneReport("Resumo"));
        m.rm.rvpj1.Close();
        QVERIFY(!m.rm.rvpj1.ExecuteReport("rpt_naoexiste"));
        QVERIFY(m.recorded.documents.isEmpty());
        QCOMPARE(m.data.resumoFP.openCount(), 0);
    }

    void closeMakesTheNextReportReadTheFileAgain()
    {
        Module m;
        m.writeProject(oneReport("Primeira versão"));
        m.rm.rvpj1.Close();
        QVERIFY(m.rm.rvpj1.ExecuteReport("rpt_resumoFP"));
        m.writeProject(oneReport("Segunda versão"));
        m.rm.rvpj1.Close();
        QVERIFY(!m.rm.rvpj1.loaded());
        QVERIFY(m.rm.rvpj1.ExecuteReport("RPT_RESUMOFP"));
        QCOMPARE(m.recorded.documents.size(), 2);
        QCOMPARE(m.recorded.documents.at(0).text(),
                 QStringLiteral("Primeira versão\nDinheiro\t1.234,50\nCheque\t100,00\nTotal\t1.334,50"));
        QVERIFY(m.recorded.documents.at(1).text().startsWith(QStringLiteral("Segunda versão\n")));
        QVERIFY(!m.data.resumoFP.active()); // opened by each report, closed again
        QCOMPARE(m.data.resumoFP.openCount(), 2);
    }

    // The same promises over the local tables: a closed query is run and
    // closed again; an open, filtered table gets back its row and filter.
    void localTablesAreRestored()
    {
        Module m;
        test::insertRows("QORFDADOS", "MovCaixa",
                         {{{"NumSessao", 7}, {"Valor", 10.0}, {"FormaPag", "Dinheiro"}, {"NPedido", "01.000001"}},
                          {{"NumSessao", 8}, {"Valor", 20.0}, {"FormaPag", "Cheque"}, {"NPedido", "01.000002"}},
                          {{"NumSessao", 8}, {"Valor", 30.5}, {"FormaPag", "Dinheiro"}, {"NPedido", "01.000003"}},
                          {{"NumSessao", 8}, {"Valor", 40.0}, {"FormaPag", "Vale"}, {"NPedido", "01.000004"}}});
        data::Query resumo("QORFDADOS");
        resumo.setSql("select formapag,sum(valor) as Valor from movcaixa where numsessao = '8' group by formapag");
        data::Table mov("QORFDADOS", "MovCaixa");
        mov.open();
        mov.setFilter("NumSessao = 8");
        mov.setFiltered(true);
        mov.first();
        mov.next();
        const QVariant row = mov.bookmark();
        m.rm.connections.add("rvdsqryResumoFP", &resumo);
        m.rm.connections.add("rvdsMovCaixa", &mov);
        m.writeProject(R"(<reportProject><report name="r">
            <data connection="rvdsqryResumoFP"><detail height="0.6"><field name="formapag" width="8"/><field name="Valor" format="##,##0.00" x="8" width="4" align="right"/></detail></data>
            <data connection="rvdsMovCaixa"><detail height="0.6"><field name="NPedido"/></detail></data>
          </report></reportProject>)");
        m.rm.rvpj1.Close();
        QVERIFY(m.rm.rvpj1.ExecuteReport("r"));
        QCOMPARE(m.recorded.documents.at(0).text(),
                 QStringLiteral("Cheque\t20,00\nDinheiro\t30,50\nVale\t40,00\n01.000002\n01.000003\n01.000004"));
        QVERIFY(!resumo.active());
        QVERIFY(mov.active());
        QCOMPARE(mov.bookmark(), row);
        QCOMPARE(mov.asString("NPedido"), QStringLiteral("01.000003"));
        QCOMPARE(mov.filter(), QStringLiteral("NumSessao = 8"));
        QVERIFY(mov.filtered());
    }

    void headlessPdfHasTheTextAndLeavesTheDestination()
    {
        Module m;
        m.writeProject(oneReport("Resumo por Forma de Pagamento"));
        const QString pdf = m.suite.path("resumo.pdf");
        QVERIFY(renderReportToPdf(m.rm, "rpt_resumoFP", pdf));
        QCOMPARE(m.rm.rvstm1.output, &m.recorded);
        QVERIFY(m.recorded.documents.isEmpty());
        QVERIFY(QFile(pdf).size() > 0);
        QVERIFY(!renderReportToPdf(m.rm, "rpt_outro", m.suite.path("outro.pdf")));
        QVERIFY(!QFile::exists(m.suite.path("outro.pdf")));

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext not installed");
        QProcess p;
        p.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(p.waitForFinished());
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains("Resumo por Forma de Pagamento"), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("Dinheiro\\s+1.234,50")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("Total\\s+1.334,50")), qPrintable(text));
    }
};

QTEST_MAIN(TestReportModule)
#include "tst_reportmodule.moc"
