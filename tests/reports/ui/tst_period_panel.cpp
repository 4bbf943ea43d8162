#include "app/state/MessageBoxes.h"
#include "data/local/CashTables.h"
#include "reports/ui/PainelPeriodo.h"
#include "tests/reports/ui/RelatoriosFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace qor;
using reports::PainelPeriodo;
using test::Mov;
using test::RelatoriosFixture;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

void lojas(const QStringList& nomes)
{
    QList<test::Row> rows;
    for (const QString& n : nomes)
        rows << test::Row{{"Laboratorio", n}};
    test::insertRows(kDados, "TabLab", rows);
}

QString texto(RelatoriosFixture& f, const QString& campo) { return f.find<QLineEdit>(campo)->displayText(); }

QStringList pedidos(data::DataSet& ds)
{
    QStringList out;
    for (ds.first(); !ds.eof(); ds.next())
        out << ds.asString("NPedido");
    return out;
}

double soma(data::DataSet& ds, const QString& campo)
{
    double total = 0;
    for (ds.first(); !ds.eof(); ds.next())
        total += ds.asFloat(campo);
    return total;
}

} // namespace

class TestPeriodPanel : public QObject {
    Q_OBJECT
private slots:
    void opensOverTheReportPanelWithItsFields()
    {
        RelatoriosFixture f;
        lojas({"CENTRO", "SHOPPING"});
        test::insertRow(kDados, "Periodo", {{"DataInicial", QDate(2010, 1, 1)}, {"DataFinal", QDate(2010, 1, 31)}});
        f.abreRelatorios();
        f.click("btn12");

        auto* painel = f.find<PainelPeriodo>("PainelPeriodo");
        QVERIFY(painel->isVisible());
        QCOMPARE(painel->geometry(), QRect(141, 45, 300, 196));
        QCOMPARE(painel->Tag(), 2);
        QWidget* porCima = f.form().clientArea()->childAt(painel->geometry().center());
        QVERIFY(porCima == painel || painel->isAncestorOf(porCima));
        QCOMPARE(f.tables.Periodo.state(), data::DataSetState::Edit);
        QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("DBEdit47"));
        QCOMPARE(texto(f, "DBEdit47"), QStringLiteral("01/01/2010"));
        QCOMPARE(texto(f, "DBEdit48"), QStringLiteral("31/01/2010"));

        // The store list: every store, editable, starting without a choice.
        auto* lista = f.find<QComboBox>("DBLaboratorio");
        QVERIFY(lista->isEnabled());
        QVERIFY(lista->isEditable());
        QCOMPARE(lista->count(), 2);
        QCOMPARE(lista->currentText(), QString());

        // Enter moves on along the tab order and types nothing.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("DBEdit48"));
        QCOMPARE(texto(f, "DBEdit47"), QStringLiteral("01/01/2010"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), lista);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("BitBtn11"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("BitBtn12"));
    }

    // A period of one day takes that day's sales, and only those.
    void oneDayPeriod()
    {
        RelatoriosFixture f;
        test::insereSessao(1, QDate(2010, 3, 4), QDate(2010, 3, 6));
        test::insereMovimentos({{1, QDate(2010, 3, 4), "01.000001", 10.0},
                                {1, QDate(2010, 3, 5), "01.000002", 20.0},
                                {1, QDate(2010, 3, 5), "01.000003", 30.0, "Venda", "Cheque"},
                                {1, QDate(2010, 3, 6), "01.000004", 40.0}});
        f.abreRelatorios();
        f.relatorioDoPeriodo("btn12", "05032010", "05032010");

        QCOMPARE(f.saida.documents.size(), 1);
        const QString t = f.ultimoTexto();
        QVERIFY2(t.contains(QStringLiteral("Período: 05/03/2010 a 05/03/2010")), qPrintable(t));
        QVERIFY2(t.contains("01.000002") && t.contains("01.000003"), qPrintable(t));
        QVERIFY2(!t.contains("01.000001") && !t.contains("01.000004"), qPrintable(t));
        QVERIFY2(t.contains(QStringLiteral("Total do período\t50,00")), qPrintable(t));
        QVERIFY(!f.find<QWidget>("PainelPeriodo")->isVisible());
        QVERIFY(!f.tables.Periodo.active());
        QCOMPARE(test::column(kDados, "Periodo", "DataInicial"), QVariantList{QDate(2010, 3, 5)});
    }

    // Sales reports take every sale and nothing else; outflow reports every
    // outflow, whatever its movement type.
    void salesAndOutflows_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QStringList>("pedidos"); // detail reports
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("campo");
        QTest::newRow("type 2") << "btn12" << "qryDetalhaPeriodo" << QStringList{"01.000001", "01.000002"} << 110.0 << "Valor";
        QTest::newRow("type 3") << "btn13" << "qryDetalhaPeriodo" << QStringList{"01.000001", "01.000002"} << 110.0 << "Valor";
        QTest::newRow("type 4") << "btn8" << "qryDetalhaPeriodoGrupo" << QStringList{} << 110.0 << "Total";
        QTest::newRow("type 5") << "btn9" << "qryDetalhaPeriodoGrupoL" << QStringList{} << 110.0 << "Total";
        QTest::newRow("type 6") << "btn15" << "qry_ResumoSaidas" << QStringList{} << 36.0 << "Valor";
        QTest::newRow("type 7") << "btn16" << "qry_DetalhaSaidas" << QStringList{"01.000002", "S_1"} << 36.0 << "Valor";
    }
    void salesAndOutflows()
    {
        RelatoriosFixture f;
        QFETCH(QString, botao);
        QFETCH(QString, consulta);
        QFETCH(QStringList, pedidos);
        QFETCH(double, total);
        QFETCH(QString, campo);

        test::insereSessao(1, QDate(2010, 3, 1), QDate(2010, 3, 1));
        test::insereMovimentos({{1, QDate(2010, 3, 1), "01.000001", 100.0, "Venda", "Cartão"},
                                {1, QDate(2010, 3, 1), "01.000002", 10.0, "Venda", "Dinheiro", "CENTRO", "Saida"},
                                {1, QDate(2010, 3, 1), "S_1", 26.0, "Sangria"},
                                {1, QDate(2010, 3, 1), "R1", 50.0, "Ressuprimento"}});
        f.abreRelatorios();
        f.relatorioDoPeriodo(botao, "01032010", "31032010");

        // The report closed its query; run again, it gives the rows the report read.
        auto* query = f.DM.findChild<data::Query*>(consulta);
        query->open();
        if (!pedidos.isEmpty()) {
            QStringList lidos = ::pedidos(*query);
            lidos.sort();
            QCOMPARE(lidos, pedidos);
        }
        QCOMPARE(soma(*query, campo), total);
        QCOMPARE(f.saida.documents.size(), 1);
    }

    // The store filter of the sales summary by store: none, one store
    // whatever its case, a store whose name holds a quote.
    void storeFilter_data()
    {
        QTest::addColumn<QString>("loja");
        QTest::addColumn<QStringList>("vistas");
        QTest::newRow("none") << "" << QStringList{"CENTRO", "D'ANGELO", "SHOPPING"};
        QTest::newRow("lower case") << "shopping" << QStringList{"SHOPPING"};
        QTest::newRow("with a quote") << "D'Angelo" << QStringList{"D'ANGELO"};
        QTest::newRow("not in the list") << "OUTRA" << QStringList{};
    }
    void storeFilter()
    {
        RelatoriosFixture f;
        QFETCH(QString, loja);
        QFETCH(QStringList, vistas);

        lojas({"CENTRO", "SHOPPING", "D'ANGELO"});
        test::insereSessao(1, QDate(2010, 3, 1), QDate(2010, 3, 1));
        test::insereMovimentos({{1, QDate(2010, 3, 1), "01.000001", 10.0, "Venda", "Dinheiro", "CENTRO"},
                                {1, QDate(2010, 3, 1), "01.000002", 20.0, "Venda", "Dinheiro", "SHOPPING"},
                                {1, QDate(2010, 3, 1), "01.000003", 30.0, "Venda", "Cheque", "D'ANGELO"}});
        f.abreRelatorios();
        f.relatorioDoPeriodo("btn9", "01032010", "31032010", loja);

        QStringList lidas;
        data::Query& q = f.DM.qryDetalhaPeriodoGrupoL;
        q.open(); // closed by the report's end: run again
        for (q.first(); !q.eof(); q.next())
            lidas << q.asString("Laboratorio");
        QCOMPARE(lidas, vistas);
        const QString t = f.ultimoTexto();
        for (const char* l : {"CENTRO", "SHOPPING", "D'ANGELO"})
            QVERIFY2(t.contains(l) == vistas.contains(l), qPrintable(t));
        QVERIFY(f.boxes.shown().isEmpty());
    }

    // "Cancelar" keeps the typed dates in editing: reopening shows them,
    // and the next "Montar Relatório" saves them.
    void cancelKeepsTheTypedDates()
    {
        RelatoriosFixture f;
        test::insertRow(kDados, "Periodo", {{"DataInicial", QDate(2010, 1, 1)}, {"DataFinal", QDate(2010, 1, 31)}});
        lojas({"CENTRO", "SHOPPING"});
        f.abreRelatorios();
        f.click("btn8");
        f.digita("DBEdit47", "05032010");
        f.digita("DBEdit48", "31032010");
        f.find<QComboBox>("DBLaboratorio")->setCurrentIndex(1);
        f.click("BitBtn12");
        QVERIFY(!f.find<QWidget>("PainelPeriodo")->isVisible());
        QVERIFY(f.saida.documents.isEmpty());
        QCOMPARE(test::column(kDados, "Periodo", "DataInicial"), QVariantList{QDate(2010, 1, 1)});

        f.click("btn15");
        QCOMPARE(texto(f, "DBEdit47"), QStringLiteral("05/03/2010"));
        QCOMPARE(texto(f, "DBEdit48"), QStringLiteral("31/03/2010"));
        QCOMPARE(f.find<QComboBox>("DBLaboratorio")->currentText(), QStringLiteral("SHOPPING"));
        f.click("BitBtn11");
        QCOMPARE(f.saida.documents.size(), 1);
        QCOMPARE(f.saida.documents.first().reportName, QStringLiteral("rpt_ResumoSaidas"));
        QCOMPARE(test::column(kDados, "Periodo", "DataInicial"), QVariantList{QDate(2010, 3, 5)});
        QCOMPARE(test::column(kDados, "Periodo", "DataFinal"), QVariantList{QDate(2010, 3, 31)});
    }

    // A date that can't be saved: the message, Periodo closed, the panel
    // stays (empty until reopened), no report.
    void periodThatCannotBeSaved()
    {
        RelatoriosFixture f;
        f.abreRelatorios();
        f.click("btn12");
        f.digita("DBEdit47", "31022010");
        f.digita("DBEdit48", "31032010");
        f.boxes.script(app::BoxAnswer::Ok);
        f.click("BitBtn11");
        QCOMPARE(f.boxes.texts(), QStringList{PainelPeriodo::kMsgPeriodoNaoSalvo});
        QVERIFY(f.find<QWidget>("PainelPeriodo")->isVisible());
        QVERIFY(!f.tables.Periodo.active());
        QCOMPARE(texto(f, "DBEdit48"), QStringLiteral("__/__/____"));
        QCOMPARE(test::countRows(kDados, "Periodo"), 0);
        QVERIFY(f.saida.documents.isEmpty());
    }

    // No store table: the list is disabled and type 5 runs unfiltered.
    void emptyStoreTable()
    {
        RelatoriosFixture f;
        test::insereSessao(1, QDate(2010, 3, 1), QDate(2010, 3, 1));
        test::insereMovimentos({{1, QDate(2010, 3, 1), "01.000001", 10.0, "Venda", "Dinheiro", "CENTRO"},
                                {1, QDate(2010, 3, 1), "01.000002", 20.0, "Venda", "Dinheiro", "SHOPPING"}});
        f.abreRelatorios();
        f.click("btn9");
        QVERIFY(!f.find<QComboBox>("DBLaboratorio")->isEnabled());
        f.digita("DBEdit47", "01032010");
        f.digita("DBEdit48", "31032010");
        f.click("BitBtn11");
        QCOMPARE(f.DM.qryDetalhaPeriodoGrupoL.sqlLines().first(),
                 QStringLiteral("Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where "));
        f.DM.qryDetalhaPeriodoGrupoL.open(); // closed by the report's end: run again
        QCOMPARE(f.DM.qryDetalhaPeriodoGrupoL.recordCount(), 2);
    }
};

QTEST_MAIN(TestPeriodPanel)
#include "tst_period_panel.moc"
