#include "data/base/Error.h"
#include "reports/engine/DataConnections.h"
#include "reports/engine/LayoutEngine.h"
#include "reports/engine/ProjectReader.h"
#include "reports/engine/ReportStatus.h"
#include "reports/engine/TextFit.h"
#include "tests/support/MemoryDataSet.h"

#include <QRegularExpression>
#include <QTest>

using namespace qor;
using namespace qor::reports;
using data::FieldDef;
using data::FieldKind;
using test::MemoryDataSet;

namespace {

const QDateTime kPrintedAt(QDate(2026, 12, 1), QTime(18, 30));

QList<FieldDef> movementFields()
{
    return {{"Laboratorio", FieldKind::Text, 10},
            {"FormaPag", FieldKind::Text, 30},
            {"DataMov", FieldKind::Date, 0},
            {"Valor", FieldKind::Float, 0}};
}

QVariantList movement(const QString& store, const QString& form, int day, double value)
{
    return {store, form, QDate(2010, 3, day), value};
}

// Bands of 1 cm on A4 with 1 cm margins: the body runs from 10 to 277 mm
// above a 1 cm footer, so a page holds 26 bands.
QByteArray groupedProject(const QString& extra = {})
{
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<reportProject>
  <report name="rpt_teste" caption="Teste">
    <page size="A4" left="1" top="1" right="1" bottom="1"/>
    <font family="DejaVu Sans" size="8"/>
    <title height="1" connection="periodo"><text bold="true">Vendas de {DataInicial|dd/mm/yyyy} a {DataFinal|dd/mm/yyyy}</text></title>
    <data connection="mov">
      <header height="1"><text width="5">Data</text><text x="5" width="5" align="right">Valor</text></header>
      <group field="FormaPag">
        <groupHeader height="1"><text>Forma: {FormaPag}</text></groupHeader>
        <groupFooter height="1"><text width="5">Total {FormaPag}</text><sum field="Valor" format="###,##0.00" x="5" width="5" align="right"/></groupFooter>
      </group>
      <detail height="1" %1><field name="DataMov" format="dd/mm/yy" width="5"/><field name="Valor" format="###,##0.00" x="5" width="5" align="right"/></detail>
      <noData height="1"><text>Nenhum movimento.</text></noData>
      <summary height="1"><text width="5">Total geral</text><sum field="Valor" format="###,##0.00" x="5" width="5" align="right"/></summary>
    </data>
    <pageFooter height="1"><dateTime format="dd/mm/yyyy hh:nn" width="6"/><pageNumber x="12" width="7" align="right">Página {page} de {pages}</pageNumber></pageFooter>
  </report>
</reportProject>)")
        .arg(extra)
        .toUtf8();
}

struct Fixture {
    MemoryDataSet mov{movementFields()};
    MemoryDataSet periodo{{{"DataInicial", FieldKind::Date, 0}, {"DataFinal", FieldKind::Date, 0}},
                          {{QDate(2010, 3, 1), QDate(2010, 3, 31)}}};
    DataConnections connections;
    Fixture()
    {
        connections.add("mov", &mov);
        connections.add("periodo", &periodo);
    }
    Document run(const QByteArray& xml, ReportStatus* status = nullptr)
    {
        const ProjectDef project = parseProject(xml, "teste.rav");
        return layoutReport(*project.find("rpt_teste"), connections, kPrintedAt, status);
    }
};

int detailLines(const QString& pageText)
{
    static const QRegularExpression date(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\t"), QRegularExpression::MultilineOption);
    return int(pageText.count(date));
}

struct PageRecorder final : ReportStatus {
    QList<int> pages;
    bool done = false;
    void generating(int page) override { pages << page; }
    void printing(int) override {}
    void finished() override { done = true; }
};

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void groupsSumsAndGrandTotal()
    {
        Fixture f;
        f.mov.setRows({movement("L1", "Cheque", 2, 100.0), movement("L1", "Cheque", 3, 50.25),
                       movement("L1", "Dinheiro", 2, 1000.0), movement("L1", "Dinheiro", 4, 234.5)});
        const Document doc = f.run(groupedProject());
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(doc.text(), QStringLiteral("Vendas de 01/03/2010 a 31/03/2010\n"
                                            "Data\tValor\n"
                                            "Forma: Cheque\n"
                                            "02/03/10\t100,00\n"
                                            "03/03/10\t50,25\n"
                                            "Total Cheque\t150,25\n"
                                            "Forma: Dinheiro\n"
                                            "02/03/10\t1.000,00\n"
                                            "04/03/10\t234,50\n"
                                            "Total Dinheiro\t1.234,50\n"
                                            "Total geral\t1.384,75\n"
                                            "01/12/2026 18:30\tPágina 1 de 1"));
    }

    void nestedGroupsCloseInnerFirst()
    {
        Fixture f;
        const QByteArray xml = QString::fromUtf8(groupedProject())
                                   .replace(QStringLiteral("<group field=\"FormaPag\">"),
                                            QStringLiteral("<group field=\"Laboratorio\"><groupHeader height=\"1\"><text>Loja {Laboratorio}</text></groupHeader>"
                                                           "<groupFooter height=\"1\"><text width=\"5\">Total loja {Laboratorio}</text>"
                                                           "<sum field=\"Valor\" format=\"###,##0.00\" x=\"5\" width=\"5\" align=\"right\"/></groupFooter></group>"
                                                           "<group field=\"FormaPag\">"))
                                   .toUtf8();
        f.mov.setRows({movement("L1", "Dinheiro", 2, 10.0), movement("L2", "Dinheiro", 2, 20.0),
                       movement("L2", "Vale", 3, 5.0)});
        const QString text = f.run(xml).text();
        QVERIFY2(text.contains(QStringLiteral("Loja L1\nForma: Dinheiro\n02/03/10\t10,00\nTotal Dinheiro\t10,00\n"
                                              "Total loja L1\t10,00\nLoja L2\nForma: Dinheiro\n02/03/10\t20,00\n"
                                              "Total Dinheiro\t20,00\nForma: Vale\n03/03/10\t5,00\nTotal Vale\t5,00\n"
                                              "Total loja L2\t25,00\nTotal geral\t35,00")),
                 qPrintable(text));
    }

    void pageBreaksRepeatHeadingAndCountPages()
    {
        Fixture f;
        PageRecorder status;
        for (int i = 0; i < 30; ++i)
            f.mov.addRow(movement("L1", "Dinheiro", 1 + i % 28, 10.0));
        const Document doc = f.run(groupedProject(), &status);
        QCOMPARE(doc.pages.size(), 2);
        const QString first = doc.pageText(0), second = doc.pageText(1);
        QCOMPARE(detailLines(first), 23); // title, heading and group header take three of 26 bands
        QCOMPARE(detailLines(second), 7);
        QVERIFY(second.startsWith(QStringLiteral("Data\tValor\n")));
        QVERIFY(!second.contains(QStringLiteral("Vendas de")));
        QVERIFY(first.endsWith(QStringLiteral("Página 1 de 2")));
        QVERIFY(second.contains(QStringLiteral("Total Dinheiro\t300,00\nTotal geral\t300,00\n")));
        QVERIFY(second.endsWith(QStringLiteral("Página 2 de 2")));
        QCOMPARE(status.pages, (QList<int>{1, 2}));
        QVERIFY(status.done);
    }

    void groupHeaderKeepsItsFirstRow()
    {
        Fixture f;
        // Cheque's 21 rows and footer end at 260 mm: Dinheiro's header would
        // fit there, its first row would not.
        for (int i = 0; i < 21; ++i)
            f.mov.addRow(movement("L1", "Cheque", 1, 1.0));
        f.mov.addRow(movement("L1", "Dinheiro", 2, 7.0));
        const Document doc = f.run(groupedProject());
        QCOMPARE(doc.pages.size(), 2);
        QVERIFY(doc.pageText(0).endsWith(QStringLiteral("Total Cheque\t21,00\n01/12/2026 18:30\tPágina 1 de 2")));
        QVERIFY(doc.pageText(1).startsWith(QStringLiteral("Data\tValor\nForma: Dinheiro\n02/03/10\t7,00\n")));
    }

    void emptyDataSetShowsNoDataAndZeroTotal()
    {
        Fixture f;
        const QString text = f.run(groupedProject()).text();
        QCOMPARE(text, QStringLiteral("Vendas de 01/03/2010 a 31/03/2010\nData\tValor\nNenhum movimento.\n"
                                      "Total geral\t0,00\n01/12/2026 18:30\tPágina 1 de 1"));
    }

    void stripesEverySecondRowOfAGroup()
    {
        Fixture f;
        f.mov.setRows({movement("L1", "Cheque", 1, 1.0), movement("L1", "Cheque", 1, 1.0),
                       movement("L1", "Cheque", 1, 1.0), movement("L1", "Dinheiro", 1, 1.0),
                       movement("L1", "Dinheiro", 1, 1.0)});
        const Document doc = f.run(groupedProject(QStringLiteral("stripe=\"#eeeeee\"")));
        QCOMPARE(doc.pages.at(0).boxes.size(), 2); // second row of each group
        QCOMPARE(doc.pages.at(0).boxes.at(0).fill, QColor("#eeeeee"));
    }

    void runsArePlacedOnPaperInMillimetres()
    {
        Fixture f;
        f.mov.setRows({movement("L1", "Cheque", 2, 100.0)});
        const Document doc = f.run(groupedProject());
        QCOMPARE(doc.paperSize, QSizeF(210, 297));
        const TextRun& value = doc.pages.at(0).texts.at(5); // after title, two headings, group header, date
        QCOMPARE(value.text, QStringLiteral("100,00"));
        QCOMPARE(value.rect, QRectF(60, 40, 50, 10));
        QCOMPARE(value.align, Qt::AlignRight);
        QCOMPARE(doc.fonts.at(doc.pages.at(0).texts.at(0).font).bold, true);
        QCOMPARE(doc.fonts.at(value.font).family, QStringLiteral("DejaVu Sans"));
    }

    // A report reads a closed dataset by opening it on its first row and
    // closing it again; an open one gets back its row, filter text and switch.
    void connectionsOpenAndRestore()
    {
        Fixture f;
        f.mov.setRows({movement("L1", "Cheque", 2, 1.0), movement("L1", "Cheque", 3, 2.0),
                       movement("L1", "Vale", 4, 3.0)});
        f.mov.open();
        f.mov.next();
        f.mov.next();
        f.mov.setFilter("NumSessao = 4");
        f.mov.setFiltered(true);
        const Document doc = f.run(groupedProject());
        QVERIFY(doc.text().contains(QStringLiteral("02/03/10\t1,00"))); // read from the first row
        QVERIFY(f.mov.active());
        QCOMPARE(f.mov.position(), 2);
        QCOMPARE(f.mov.filter(), QStringLiteral("NumSessao = 4"));
        QVERIFY(f.mov.filtered());

        QVERIFY(!f.periodo.active()); // was closed: opened for the title, closed again
        QCOMPARE(f.periodo.openCount(), 1);
    }

    void failedOpenRestoresWhatWasOpened()
    {
        Fixture f;
        f.mov.failOpen("Erro de SQL: coluna desconhecida");
        try {
            f.run(groupedProject());
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::SqlError);
        }
        QCOMPARE(f.periodo.openCount(), 1);
        QVERIFY(!f.periodo.active());
    }

    void unregisteredConnectionIsAnError()
    {
        MemoryDataSet mov(movementFields());
        DataConnections connections;
        connections.add("mov", &mov);
        const ProjectDef project = parseProject(groupedProject(), "teste.rav");
        try {
            layoutReport(*project.find("RPT_TESTE"), connections, kPrintedAt);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::ReportProject);
            QVERIFY(e.text().contains(QStringLiteral("periodo")));
        }
        QVERIFY(!mov.active());
    }

    // A text wider than its box: in a band that grows, its words go onto
    // more lines and the band is as tall as they need; in a page band, one
    // line in a smaller size. Nothing is left out.
    void longTextIsNeverCut_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<bool>("wraps");
        QTest::newRow("detail grows") << "detail" << true;
        QTest::newRow("fixed detail shrinks") << "detail grow=\"false\"" << false;
        QTest::newRow("page footer shrinks") << "pageFooter" << false;
    }
    void longTextIsNeverCut()
    {
        QFETCH(QString, band);
        QFETCH(bool, wraps);
        const QString history = QStringLiteral("Cliente pagou menos: diferença autorizada pela gerente");
        MemoryDataSet rows({{"Historico", FieldKind::Text, 50}}, {{history}, {"curto"}});
        DataConnections connections;
        connections.add("mov", &rows);
        const QString tag = band.section(' ', 0, 0);
        const QString item = QStringLiteral("<text x=\"2\" width=\"3\">%1</text>").arg(history);
        const QString xml = QStringLiteral("<reportProject><report name=\"r\"><page left=\"1\" top=\"1\" right=\"1\" bottom=\"1\"/>"
                                           "<font family=\"DejaVu Sans\" size=\"8\"/><data connection=\"mov\">"
                                           "<detail height=\"0.5\"><text x=\"6\" width=\"3\">{Historico}</text></detail></data>"
                                           "</report></reportProject>")
                                .replace(QStringLiteral("<detail height=\"0.5\">"),
                                         tag == QLatin1String("detail") ? QStringLiteral("<%1 height=\"0.5\">").arg(band)
                                                                       : QStringLiteral("<detail height=\"0.5\">"))
                                .replace(QStringLiteral("</data>"),
                                         tag == QLatin1String("pageFooter")
                                             ? QStringLiteral("</data><pageFooter height=\"0.5\">%1</pageFooter>").arg(item)
                                             : QStringLiteral("</data>"));
        const ProjectDef project = parseProject(xml.toUtf8(), "teste.rav");
        const Document doc = layoutReport(*project.find("r"), connections, kPrintedAt);
        const ReportDef& report = *project.find("r");
        const double boxLeft = 10 + (tag == QLatin1String("pageFooter") ? 20 : 60);
        QList<const TextRun*> runs;
        for (const TextRun& run : doc.pages.at(0).texts)
            if (run.rect.left() == boxLeft && run.text != QLatin1String("curto"))
                runs << &run;
        QStringList lines;
        for (const TextRun* run : runs) {
            lines << run->text;
            const TextFit fit(doc.fonts.at(run->font));
            QVERIFY2(fit.width(run->text) <= run->rect.width(), qPrintable(run->text));
        }
        QCOMPARE(lines.join(' '), history);
        QCOMPARE(runs.size() > 1, wraps);
        const double declared = report.blocks.first().detail->items.first().font.size;
        QCOMPARE(doc.fonts.at(runs.first()->font).size < declared, !wraps);
        if (tag != QLatin1String("detail"))
            return;
        // The next row starts below the last line of this one.
        const TextRun* next = nullptr;
        for (const TextRun& run : doc.pages.at(0).texts)
            if (run.text == QLatin1String("curto"))
                next = &run;
        QVERIFY(next);
        QVERIFY(next->rect.top() >= runs.last()->rect.top() + (wraps ? 2.5 : 4.9));
    }

    // A page that goes on with a group first says which group it is.
    void continuedGroupRepeatsItsLabel()
    {
        Fixture f;
        QList<QVariantList> rows;
        for (int i = 0; i < 60; ++i)
            rows << movement("L1", i < 50 ? "Dinheiro" : "Vale", 1 + i % 28, 1.0);
        f.mov.setRows(rows);
        const Document doc = f.run(groupedProject());
        QCOMPARE(doc.pages.size(), 3);
        QVERIFY(!doc.pageText(0).contains("continuação"));
        QVERIFY2(doc.pageText(1).startsWith("Data\tValor\nForma: Dinheiro (continuação)\n"), qPrintable(doc.pageText(1)));
        QVERIFY2(doc.pageText(2).startsWith("Data\tValor\nForma: Dinheiro (continuação)\n"), qPrintable(doc.pageText(2)));
        QCOMPARE(doc.text().count("Forma: Vale"), 1); // a group that starts on a page is not "continued"
    }

    // One band and one column set serve every report: the band takes each
    // report's page, font and caption; the columns give headings and fields.
    void sharedBandsAndColumnSets()
    {
        Fixture f;
        f.mov.setRows({movement("L1", "Cheque", 2, 100.0)});
        const QByteArray xml = R"(<reportProject>
  <band id="rodape" height="1" size="7"><line y1="0.1" y2="0.1"/><text align="center">{@caption} - {periodo.DataInicial|dd/mm/yy}</text></band>
  <columns id="cols"><column caption="Forma" field="FormaPag" x="0" width="4"/><column caption="Valor" field="Valor" format="###,##0.00" x="4" width="3" align="right"/></columns>
  <report name="retrato" caption="Retrato"><page left="1" top="1" right="1" bottom="1"/>
    <data connection="mov"><header height="1" columns="cols"/><detail height="1" columns="cols"/></data>
    <pageFooter ref="rodape"><text align="right">extra</text></pageFooter></report>
  <report name="paisagem" caption="Paisagem"><page orientation="landscape" left="1" top="1" right="1" bottom="1"/>
    <data connection="mov"><detail height="1" columns="cols"/></data><pageFooter ref="rodape" height="2"/></report>
</reportProject>)";
        const ProjectDef project = parseProject(xml, "teste.rav");
        const Document portrait = layoutReport(*project.find("retrato"), f.connections, kPrintedAt);
        const Document landscape = layoutReport(*project.find("paisagem"), f.connections, kPrintedAt);
        QCOMPARE(portrait.text(), QStringLiteral("Forma\tValor\nCheque\t100,00\nRetrato - 01/03/10\textra"));
        QCOMPARE(landscape.text(), QStringLiteral("Cheque\t100,00\nPaisagem - 01/03/10"));
        // The rule runs to each page's right margin; the footer keeps its own height where set.
        QCOMPARE(portrait.pages.at(0).lines.first().line.x2(), 200.0);
        QCOMPARE(landscape.pages.at(0).lines.first().line.x2(), 287.0);
        QCOMPARE(landscape.pages.at(0).lines.first().line.y1(), 210.0 - 10 - 20 + 1); // bottom margin, footer, rule
        const auto& footer = portrait.pages.at(0).texts;
        QCOMPARE(portrait.fonts.at(footer.at(footer.size() - 2).font).size, 7.0); // the shared band's own size
        QCOMPARE(portrait.fonts.at(footer.last().font).size, 9.0);               // the using report's font
    }

    // Each page is handed over as soon as it is complete, before the next one
    // is laid out, so a preview can show the first page at once.
    void pagesAreHandedOverOneByOne()
    {
        Fixture f;
        QList<QVariantList> rows;
        for (int i = 0; i < 60; ++i)
            rows << movement("L1", "Dinheiro", 1 + i % 28, 1.0);
        f.mov.setRows(rows);
        QList<std::pair<int, qsizetype>> seen; // page, pages laid out by then
        QString firstPage;
        const ProjectDef project = parseProject(groupedProject(), "teste.rav");
        const Document doc = layoutReport(*project.find("rpt_teste"), f.connections, kPrintedAt, nullptr,
                                          [&](const Document& partial, int page) {
                                              seen << std::pair(page, partial.pages.size());
                                              if (page == 0)
                                                  firstPage = partial.pageText(0);
                                          });
        QCOMPARE(seen, (QList<std::pair<int, qsizetype>>{{0, 1}, {1, 2}, {2, 3}}));
        QCOMPARE(firstPage.section('\n', 0, -2), doc.pageText(0).section('\n', 0, -2)); // all but the page count
        QVERIFY(firstPage.endsWith(QStringLiteral("Página 1 de ") + pageCountMark()));
    }

    void projectFaultsNameFileAndLine_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("says");
        const QByteArray head = "<reportProject>\n<report name=\"r\">\n";
        QTest::newRow("not xml") << QByteArray("<reportProject><report") << "linha 1";
        QTest::newRow("broken inside a block") << head + "<data connection=\"x\"><detail height=\"1\"><text>a</data>" << "linha 3: Opening and ending tag mismatch";
        QTest::newRow("wrong root") << QByteArray("<projeto/>") << "<reportProject>";
        QTest::newRow("unknown band") << head + "<rodape height=\"1\"/></report></reportProject>" << "linha 3: elemento inesperado <rodape>";
        QTest::newRow("data without detail") << head + "<data connection=\"x\"></data></report></reportProject>" << "<data> sem <detail>";
        QTest::newRow("sum in detail") << head + "<data connection=\"x\"><detail height=\"1\"><sum field=\"Valor\"/></detail></data></report></reportProject>" << "<sum> só cabe";
        QTest::newRow("bad number") << head + "<data connection=\"x\"><detail height=\"um\"/></data></report></reportProject>" << "número inválido em height=\"um\"";
        QTest::newRow("band taller than page") << head + "<data connection=\"x\"><detail height=\"40\"/></data></report></reportProject>" << "altura de banda inválida";
        QTest::newRow("field without connection") << head + "<title height=\"1\"><text>{NumSessao}</text></title></report></reportProject>" << "sem conexão de dados";
        QTest::newRow("unknown placeholder in page number") << head + "<pageFooter height=\"1\"><pageNumber>{total}</pageNumber></pageFooter></report></reportProject>" << "{page} e {pages}";
        QTest::newRow("shared band used before it is defined") << head + "<pageFooter ref=\"rodape\"/></report>\n<band id=\"rodape\" height=\"1\"/></reportProject>" << "linha 3: banda compartilhada não definida";
        QTest::newRow("fault inside a shared band names its line")
            << QByteArray("<reportProject>\n<band id=\"b\" height=\"1\">\n<text>ok</text>\n<circulo/>\n</band>\n<report name=\"r\"><pageFooter ref=\"b\"/></report></reportProject>") << "linha 4: elemento inesperado <circulo>";
        QTest::newRow("shared band without id") << QByteArray("<reportProject><band height=\"1\"/></reportProject>") << "sem id";
        QTest::newRow("repeated id") << QByteArray("<reportProject><columns id=\"c\"/><columns id=\"c\"/></reportProject>") << "id repetido: c";
        QTest::newRow("unknown column set") << head + "<data connection=\"x\"><detail height=\"1\" columns=\"c\"/></data></report></reportProject>" << "conjunto de colunas não definido";
        QTest::newRow("columns in a footer") << QByteArray("<reportProject><columns id=\"c\"><column field=\"A\" width=\"1\"/></columns>\n<report name=\"r\"><pageFooter height=\"1\" columns=\"c\"/></report></reportProject>") << "columns só cabe";
        QTest::newRow("column without width") << QByteArray("<reportProject><columns id=\"c\"><column field=\"A\"/></columns></reportProject>") << "pede field e width";
        QTest::newRow("repeated report") << QByteArray("<reportProject><report name=\"a\"/><report name=\"A\"/></reportProject>") << "relatório repetido: A";
    }
    void projectFaultsNameFileAndLine()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, says);
        try {
            parseProject(xml, "/suite/rpt/rptCaixa.rav");
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::ReportProject);
            QVERIFY2(e.text().startsWith(QStringLiteral("/suite/rpt/rptCaixa.rav, linha ")), qPrintable(e.text()));
            QVERIFY2(e.text().contains(says), qPrintable(e.text()));
        }
    }
};

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
