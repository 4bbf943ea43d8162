#include "admin/core/SessaoCxBeforeDelete.h"
#include "admin/ui/PainelSessoes.h"
#include "admin/ui/PnlRelatorio.h"
#include "app/widgets/DBGrid.h"
#include "cash/session/GradeDeTotais.h"
#include "data/local/Table.h"
#include "tests/cash/fixture/CaixaFixture.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace qor;
using admin::PainelSessoes;
using app::BoxAnswer;
using test::CaixaFixture;
using test::Row;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");
const QDate kHoje(2026, 12, 10);

Row sessao(int numero, const QVariant& fechamento, double totalGeral = 0.0)
{
    return {{"NumSessao", numero}, {"DataAbertura", kHoje.addDays(-30)}, {"Operador", QStringLiteral("OP%1").arg(numero)},
            {"Troco", 10.0 * numero}, {"DataFechamento", fechamento}, {"TotalGeral", totalGeral},
            {"TotEntradaDin", 1.5 * numero}};
}

Row movimento(int sessao, int pedido)
{
    return {{"NumSessao", sessao}, {"NPedido", QStringLiteral("01.%1").arg(pedido, 6, 10, QLatin1Char('0'))},
            {"SinalQuitacao", "Sinal"}, {"Valor", 10.0}, {"EntradaSaida", "Entrada"}};
}

QVariantList pedidosDe(int numero)
{
    QVariantList out;
    data::Table t(kDados, "MovCaixa");
    t.open();
    for (t.first(); !t.eof(); t.next())
        if (t.asInteger("NumSessao") == numero)
            out << t.value("NPedido");
    return out;
}

QVariantList numerosDasSessoes() { return test::column(kDados, "SessaoCx", "NumSessao"); }

// Sessions 1..3 closed 10, 7 and 6 days ago with two movements each, and 4 open.
void semeiaSessoes()
{
    test::insertRows(kDados, "SessaoCx", {sessao(1, kHoje.addDays(-10)), sessao(2, kHoje.addDays(-7)),
                                          sessao(3, kHoje.addDays(-6)), sessao(4, QVariant())});
    QList<Row> movs;
    for (int s = 1; s <= 4; ++s)
        movs << movimento(s, s * 10 + 1) << movimento(s, s * 10 + 2);
    test::insertRows(kDados, "MovCaixa", movs);
}

void abreNavegador(CaixaFixture& f)
{
    f.start();
    f.identify();
    f.trigger("act_Sessoes_relatorios");
}

// Sessions 1 to 10,000, all closed, as years of a busy till leave them.
void semeiaDezMilSessoes()
{
    test::insertRow(kDados, "SessaoCx", sessao(1, kHoje.addDays(-30)));
    test::RawDatabase raw(kDados);
    QVERIFY2(raw.exec("INSERT INTO SessaoCx (NumSessao, Operador, DataFechamento) "
                      "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
                      "SELECT i, 'OP' || i, '2026-11-01' FROM n"),
             qPrintable(raw.error()));
}

// Selects the grid's row `row` as the operator would, with a click.
void seleciona(CaixaFixture& f, int row)
{
    auto* grid = f.find<widgets::DBGrid>("DBGrid2");
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class TstSessionBrowser : public QObject {
    Q_OBJECT
private slots:
    void browserShowsTheSelectedSession();
    void gridNeverDeletesByKeyboard();
    void deletion_data();
    void deletion();
    void deletionLeavesMovCaixaClosedUnfilteredAndOthersIntact();
    void emptyTableGivesTheOpenRefusalWithoutNumber();
    void failureInTheCascadeLeavesEverything();
    void cascadeRunsForAnyDeletionOfASessionRow();
    void reportPanelCoversTheBrowser();
    void voltarClosesTheTable();
    void keysReachTheFarEndAtOnce_data();
    void keysReachTheFarEndAtOnce();
    void scrollBarReachesTheMiddleAtOnce();
};

void TstSessionBrowser::browserShowsTheSelectedSession()
{
    CaixaFixture f;
    semeiaSessoes();
    abreNavegador(f);
    auto* p = f.form().painel("PainelSessoes");
    QVERIFY(p->isVisible());
    QVERIFY(p->alinhadoAoCliente());
    QVERIFY(f.tables.SessaoCx.active());
    auto* grid = f.find<widgets::DBGrid>("DBGrid2");
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->model()->columnCount(), 1);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Sessões"));
    QCOMPARE(grid->model()->data(grid->model()->index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    seleciona(f, 2);
    QCOMPARE(f.tables.SessaoCx.asInteger("NumSessao"), 3);
    QCOMPARE(f.texto("dbedtCaixa"), QStringLiteral("OP3"));
    QCOMPARE(f.texto("dbedtTroco"), QStringLiteral("R$ 30,00"));
    QCOMPARE(f.texto("edtSessaoTotEntradaDin"), QStringLiteral("4,50"));

    // Nine lines, every other one shaded from "Dinheiro" on; no cell takes Tab.
    const QStringList saldos = {"TotalDinheiro", "TotalCheque", "TotChePre", "TotalCartao", "TotalDebito",
                                "TotalDepC",     "TotBol",      "TotalVale", "TotalGeral"};
    for (int i = 0; i < saldos.size(); ++i) {
        auto* e = p->findChild<QLineEdit*>("edtSessao" + saldos.at(i));
        QVERIFY2(e && e->isReadOnly() && !(e->focusPolicy() & Qt::TabFocus), qPrintable(saldos.at(i)));
        QCOMPARE(e->palette().color(QPalette::Base) == cash::corDeLegendaInativa(), i % 2 == 0);
    }
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSessionBrowser::gridNeverDeletesByKeyboard()
{
    CaixaFixture f;
    semeiaSessoes();
    abreNavegador(f);
    auto* grid = f.find<widgets::DBGrid>("DBGrid2");
    for (auto key : {Qt::Key_Delete, Qt::Key_Backspace})
        QTest::keyClick(grid, key);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClicks(grid, "9");
    QCOMPARE(numerosDasSessoes(), (QVariantList{1, 2, 3, 4}));
    QCOMPARE(f.tables.SessaoCx.state(), data::DataSetState::Browse);
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSessionBrowser::deletion_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("refusal"); // "" = deleted
    QTest::newRow("closed 10 days ago") << 0 << "";
    QTest::newRow("closed exactly 7 days ago") << 1 << "";
    QTest::newRow("closed 6 days ago") << 2 << PainelSessoes::msgSessaoRecente("3");
    QTest::newRow("open") << 3 << PainelSessoes::msgSessaoAberta("4");
}

void TstSessionBrowser::deletion()
{
    QFETCH(int, row);
    QFETCH(QString, refusal);
    CaixaFixture f;
    semeiaSessoes();
    abreNavegador(f);
    seleciona(f, row);
    const int numero = row + 1;
    if (!refusal.isEmpty())
        f.boxes.script(BoxAnswer::Ok);
    f.click("btn1");
    if (refusal.isEmpty()) {
        QVERIFY(f.boxes.shown().isEmpty()); // no confirmation question
        QVERIFY(!numerosDasSessoes().contains(numero));
        QVERIFY(pedidosDe(numero).isEmpty());
        QCOMPARE(test::countRows(kDados, "MovCaixa"), 6);
        // The grid shows the next remaining session.
        QCOMPARE(f.tables.SessaoCx.asInteger("NumSessao"), numero + 1);
        QCOMPARE(f.texto("dbedtCaixa"), QStringLiteral("OP%1").arg(numero + 1));
        QCOMPARE(f.find<widgets::DBGrid>("DBGrid2")->model()->rowCount(), 3);
    } else {
        QCOMPARE(f.boxes.texts(), QStringList{refusal});
        QCOMPARE(numerosDasSessoes(), (QVariantList{1, 2, 3, 4}));
        QCOMPARE(test::countRows(kDados, "MovCaixa"), 8);
    }
}

void TstSessionBrowser::deletionLeavesMovCaixaClosedUnfilteredAndOthersIntact()
{
    CaixaFixture f;
    semeiaSessoes();
    test::insertRow(kDados, "SessaoCx", sessao(5, kHoje.addDays(-9))); // no movements
    abreNavegador(f);
    seleciona(f, 4);
    f.click("btn1");
    seleciona(f, 0);
    f.click("btn1");
    QVERIFY(f.boxes.shown().isEmpty());
    QCOMPARE(numerosDasSessoes(), (QVariantList{2, 3, 4}));
    data::Table& mov = f.tables.MovCaixa;
    QVERIFY(!mov.active());
    QVERIFY(!mov.filtered());
    QCOMPARE(mov.filter(), QString());
    QCOMPARE(pedidosDe(2), (QVariantList{"01.000021", "01.000022"}));
    QCOMPARE(pedidosDe(3), (QVariantList{"01.000031", "01.000032"}));
    QCOMPARE(pedidosDe(4), (QVariantList{"01.000041", "01.000042"}));
}

void TstSessionBrowser::emptyTableGivesTheOpenRefusalWithoutNumber()
{
    CaixaFixture f;
    abreNavegador(f);
    f.boxes.script(BoxAnswer::Ok);
    f.click("btn1");
    QCOMPARE(f.boxes.texts(), QStringList{"A sessão de caixa nº  está aberta e não pode ser excluída."});
}

void TstSessionBrowser::failureInTheCascadeLeavesEverything()
{
    CaixaFixture f;
    semeiaSessoes();
    abreNavegador(f);
    test::RawDatabase raw(kDados);
    // The second movement of session 1 cannot be deleted: the first one has gone by then.
    QVERIFY2(raw.exec("CREATE TRIGGER recusa BEFORE DELETE ON MovCaixa WHEN old.NPedido = '01.000012' "
                      "BEGIN SELECT RAISE(ABORT, 'registro bloqueado'); END"),
             qPrintable(raw.error()));
    seleciona(f, 0);
    f.boxes.script(BoxAnswer::Ok);
    f.click("btn1");
    QCOMPARE(f.boxes.texts(), QStringList{PainelSessoes::msgNaoExcluiu("1")});
    QCOMPARE(numerosDasSessoes(), (QVariantList{1, 2, 3, 4}));
    QCOMPARE(pedidosDe(1), (QVariantList{"01.000011", "01.000012"}));
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 8);
    QVERIFY(!f.tables.MovCaixa.active());
    QVERIFY(!f.tables.MovCaixa.filtered());
    QCOMPARE(f.tables.MovCaixa.filter(), QString());

    // So is a refused session row, after its movements went.
    QVERIFY(raw.exec("DROP TRIGGER recusa"));
    QVERIFY(raw.exec("CREATE TRIGGER recusa BEFORE DELETE ON SessaoCx BEGIN SELECT RAISE(ABORT, 'bloqueada'); END"));
    f.boxes.clear();
    f.boxes.script(BoxAnswer::Ok);
    f.click("btn1");
    QCOMPARE(f.boxes.texts(), QStringList{PainelSessoes::msgNaoExcluiu("1")});
    QCOMPARE(pedidosDe(1), (QVariantList{"01.000011", "01.000012"}));
    QCOMPARE(numerosDasSessoes(), (QVariantList{1, 2, 3, 4}));

    // And a later deletion goes through whole.
    QVERIFY(raw.exec("DROP TRIGGER recusa"));
    f.click("btn1");
    QCOMPARE(numerosDasSessoes(), (QVariantList{2, 3, 4}));
    QVERIFY(pedidosDe(1).isEmpty());
}

void TstSessionBrowser::cascadeRunsForAnyDeletionOfASessionRow()
{
    // Below the panels: a deletion through the table object alone.
    test::TempSuite suite;
    semeiaSessoes();
    data::Table sessoes(kDados, "SessaoCx");
    data::Table movimentos(kDados, "MovCaixa");
    admin::ligaSessaoCxBeforeDelete(sessoes, movimentos);
    movimentos.setFilter("NumSessao = 4"); // whatever it held before
    sessoes.open();
    sessoes.first();
    sessoes.next();
    sessoes.remove();
    QVERIFY(pedidosDe(2).isEmpty());
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 6);
    QVERIFY(!movimentos.active());
    QCOMPARE(movimentos.filter(), QString());
}

void TstSessionBrowser::reportPanelCoversTheBrowser()
{
    CaixaFixture f;
    semeiaSessoes();
    abreNavegador(f);
    auto* browser = qobject_cast<PainelSessoes*>(f.form().painel("PainelSessoes"));
    admin::PnlRelatorio* rel = browser->pnlRelatorio();
    QVERIFY(rel->isHidden());
    f.click("btn3");
    QVERIFY(rel->isVisible());
    QCOMPARE(rel->geometry(), browser->rect());
    QCOMPARE(rel->objectName(), QStringLiteral("pnlRelatorio"));
    QVERIFY(rel->isAncestorOf(QApplication::focusWidget()));

    // The covered controls are out of reach: Tab and Shift+Tab go round the
    // report panel only, and neither a key nor a click moves the grid.
    auto* grid = f.find<widgets::DBGrid>("DBGrid2");
    const int row = grid->dataModel()->currentRow();
    for (auto key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY2(rel->isAncestorOf(QApplication::focusWidget()),
                     qPrintable(QApplication::focusWidget()->objectName()));
        }
    }
    for (const char* covered : {"DBGrid2", "btn1", "btn3", "btn4"})
        QVERIFY2(!f.find(covered)->isEnabled(), covered);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(grid->dataModel()->currentRow(), row);

    f.click("btn2");
    QVERIFY(rel->isHidden());
    QVERIFY(browser->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.find("btn3")); // where the report panel was opened from
    for (const char* uncovered : {"DBGrid2", "btn1", "btn3", "btn4"})
        QVERIFY2(f.find(uncovered)->isEnabled(), uncovered);
}

void TstSessionBrowser::voltarClosesTheTable()
{
    CaixaFixture f;
    semeiaSessoes();
    abreNavegador(f);
    f.click("btn4");
    QVERIFY(f.form().painel("PainelSessoes")->isHidden());
    QVERIFY(!f.tables.SessaoCx.active());
    // Open again: all rows, focus on the grid.
    f.trigger("act_Sessoes_relatorios");
    QCOMPARE(f.find<widgets::DBGrid>("DBGrid2")->model()->rowCount(), 4);
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSessionBrowser::keysReachTheFarEndAtOnce_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("session");
    QTest::newRow("Ctrl+End") << QKeySequence("Ctrl+End") << 10000;
    QTest::newRow("End") << QKeySequence("End") << 10000;
    QTest::newRow("and back") << QKeySequence("Ctrl+End, Ctrl+Home") << 1;
    QTest::newRow("End, Up") << QKeySequence("End, Up") << 9999;
}

void TstSessionBrowser::keysReachTheFarEndAtOnce()
{
    QFETCH(QKeySequence, keys);
    QFETCH(int, session);
    CaixaFixture f;
    semeiaDezMilSessoes();
    abreNavegador(f);
    auto* grid = f.find<widgets::DBGrid>("DBGrid2");
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->model()->rowCount(), 10000);
    for (int i = 0; i < keys.count(); ++i)
        QTest::keyClick(grid, keys[i].key(), keys[i].keyboardModifiers());
    QCOMPARE(f.tables.SessaoCx.asInteger("NumSessao"), session);
    QCOMPARE(grid->currentIndex().row(), session - 1);
    QCOMPARE(f.texto("dbedtCaixa"), QStringLiteral("OP%1").arg(session));
    // The first and the last block, not the rows between.
    QVERIFY2(grid->dataModel()->rowsRead() <= 2 * widgets::DataSetModel::kBatch,
             qPrintable(QString::number(grid->dataModel()->rowsRead())));
}

void TstSessionBrowser::scrollBarReachesTheMiddleAtOnce()
{
    CaixaFixture f;
    semeiaDezMilSessoes();
    abreNavegador(f);
    auto* grid = f.find<widgets::DBGrid>("DBGrid2");
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setSliderDown(true); // dragged by its thumb
    bar->setSliderPosition(bar->maximum() / 2);
    bar->setSliderDown(false);
    grid->viewport()->repaint();
    const QModelIndex shown = grid->indexAt(grid->viewport()->rect().center());
    QVERIFY(shown.row() > 4000 && shown.row() < 6000);
    QCOMPARE(grid->model()->data(shown).toString(), QString::number(shown.row() + 1));
    // Page Down from a row shown there moves on by a page.
    seleciona(f, shown.row());
    QCOMPARE(f.tables.SessaoCx.asInteger("NumSessao"), shown.row() + 1);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QVERIFY(f.tables.SessaoCx.asInteger("NumSessao") > shown.row() + 2);
    QCOMPARE(grid->model()->data(grid->currentIndex()).toInt(), f.tables.SessaoCx.asInteger("NumSessao"));
    QVERIFY2(grid->dataModel()->rowsRead() <= 4 * widgets::DataSetModel::kBatch,
             qPrintable(QString::number(grid->dataModel()->rowsRead())));
}

QTEST_MAIN(TstSessionBrowser)
#include "tst_session_browser.moc"
