#include "app/widgets/AmountField.h"
#include "app/widgets/DBComboBox.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/DBGrid.h"
#include "app/widgets/DBNavigator.h"
#include "app/widgets/FieldFormat.h"
#include "app/widgets/QtMessageBoxes.h"
#include "data/base/Error.h"
#include "data/local/Table.h"
#include "tests/support/OperatorInput.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace qor;
using data::DataSetState;
using data::FieldKind;
using widgets::DataSource;

Q_DECLARE_METATYPE(data::FieldKind)

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// One table on a fresh suite root, bound to a data source.
struct Bound {
    explicit Bound(const QString& table) : t(kDados, table), ds(table, &t, boxes) {}
    test::TempSuite suite;
    test::ScriptedMessageBoxes boxes;
    data::Table t;
    DataSource ds;
};

// Controls on one active window, so the focus moves as the operator moves it.
struct Host : QWidget {
    template <typename... W>
    explicit Host(W*... controls)
    {
        auto* layout = new QVBoxLayout(this);
        (layout->addWidget(controls), ...);
        show();
        activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(this));
    }
};

} // namespace

class TstWidgets : public QObject {
    Q_OBJECT
private slots:
    void displayFormat_data();
    void displayFormat();
    void parseText_data();
    void parseText();
    void editMaskNotation_data();
    void editMaskNotation();
    void maskedTextHasBlanksAsSpaces();
    void qtBoxesLookAndLineBreaks_data();
    void qtBoxesLookAndLineBreaks();
    void editWritesBackAndPutsRowIntoEditing();
    void amountFieldTakesWhatItShows_data();
    void amountFieldTakesWhatItShows();
    void editFollowsPositionAndState();
    void invalidTypedTextStopsThePost();
    void readOnlyAndTabStop();
    void comboBoxWritesChoice();
    void gridReadsBlocksWhereItLooksAndFollows();
    void gridMovesTheDataSet();
    void navigatorDeleteAsksFirst();
};

void TstWidgets::displayFormat_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::newRow("amount") << "###,##0.00" << FieldKind::Float << QVariant(1234.5) << "1.234,50" << "1234,50";
    QTest::newRow("amount millions") << "###,##0.00" << FieldKind::Float << QVariant(-1234567.891) << "-1.234.567,89"
                                     << "-1234567,89";
    QTest::newRow("float") << "R$ ###,##0.00" << FieldKind::Float << QVariant(90.0) << "R$ 90,00" << "90,00";
    QTest::newRow("float grouped") << "R$ ###,##0.00" << FieldKind::Float << QVariant(1234.5) << "R$ 1.234,50"
                                   << "1234,50";
    QTest::newRow("value") << "##0.00" << FieldKind::Float << QVariant(1234.5) << "1234,50" << "1234,50";
    QTest::newRow("small") << "##0.00" << FieldKind::Float << QVariant(0.5) << "0,50" << "0,50";
    QTest::newRow("null") << "###,##0.00" << FieldKind::Float << QVariant() << "" << "";
    QTest::newRow("counter") << "######0" << FieldKind::Integer << QVariant(12345) << "12345" << "12345";
    QTest::newRow("date") << "dd/mm/yy" << FieldKind::Date << QVariant(QDate(2010, 3, 5)) << "05/03/10" << "05/03/10";
    QTest::newRow("long date") << "dd/mm/yyyy" << FieldKind::Date << QVariant(QDate(2010, 3, 5)) << "05/03/2010"
                               << "05/03/2010";
    QTest::newRow("time") << "hh:nn" << FieldKind::Time << QVariant(QTime(9, 7, 30)) << "09:07" << "09:07";
    QTest::newRow("time mm") << "hh:mm" << FieldKind::Time << QVariant(QTime(23, 59)) << "23:59" << "23:59";
    QTest::newRow("no format") << "" << FieldKind::Float << QVariant(2.5) << "2,5" << "2,5";
}

void TstWidgets::displayFormat()
{
    QFETCH(QString, pattern);
    QFETCH(FieldKind, kind);
    QFETCH(QVariant, value);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    const widgets::DisplayFormat format(pattern);
    QCOMPARE(format.display(value, kind), shown);
    QCOMPARE(format.edit(value, kind), typed);
}

void TstWidgets::parseText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("grouped") << "1.234,50" << FieldKind::Float << true << QVariant(1234.5);
    QTest::newRow("currency") << "R$ 1.234,50" << FieldKind::Float << true << QVariant(1234.5);
    QTest::newRow("plain") << "90" << FieldKind::Float << true << QVariant(90.0);
    QTest::newRow("letters") << "12a" << FieldKind::Float << false << QVariant();
    QTest::newRow("blank") << "   " << FieldKind::Float << true << QVariant();
    QTest::newRow("integer") << "7" << FieldKind::Integer << true << QVariant(7);
    QTest::newRow("date") << "05/03/2010" << FieldKind::Date << true << QVariant(QDate(2010, 3, 5));
    QTest::newRow("date blanks") << " 5/ 3/2010" << FieldKind::Date << true << QVariant(QDate(2010, 3, 5));
    QTest::newRow("two-digit year") << "05/03/49" << FieldKind::Date << true << QVariant(QDate(2049, 3, 5));
    QTest::newRow("last century") << "05/03/50" << FieldKind::Date << true << QVariant(QDate(1950, 3, 5));
    QTest::newRow("no such day") << "31/02/2026" << FieldKind::Date << false << QVariant();
    QTest::newRow("half date") << "05/03/    " << FieldKind::Date << false << QVariant();
    QTest::newRow("time") << "09:07" << FieldKind::Time << true << QVariant(QTime(9, 7));
    QTest::newRow("no such time") << "25:00" << FieldKind::Time << false << QVariant();
}

void TstWidgets::parseText()
{
    QFETCH(QString, text);
    QFETCH(FieldKind, kind);
    QFETCH(bool, ok);
    QFETCH(QVariant, value);
    QVariant out;
    QCOMPARE(widgets::parseFieldText(text, kind, &out), ok);
    if (ok)
        QCOMPARE(out, value);
}

void TstWidgets::editMaskNotation_data()
{
    QTest::addColumn<QString>("suite");
    QTest::addColumn<QString>("qt");
    QTest::newRow("order") << "AA.######" << "NN.######;_";
    QTest::newRow("date") << "!99/99/0000;1;_" << "00/00/9999;_";
    QTest::newRow("letters") << ">LL-l;0;*" << ">AA-a;*";
    QTest::newRow("escaped") << "\\N-0" << "\\N-9;_";
}

void TstWidgets::editMaskNotation()
{
    QFETCH(QString, suite);
    QFETCH(QString, qt);
    QCOMPARE(widgets::EditMask(suite).qtMask(), qt);
}

void TstWidgets::maskedTextHasBlanksAsSpaces()
{
    auto* pedido = new widgets::DBEdit("DBEdit19");
    auto* data = new widgets::DBEdit("DBEdit47");
    Host host(pedido, data);
    pedido->setEditMask("AA.######");
    pedido->setFocus();
    QCOMPARE(pedido->fieldText(), QString()); // nothing typed
    QTest::keyClicks(pedido, "01123");
    QCOMPARE(pedido->fieldText(), QStringLiteral("01.123   "));

    data->setEditMask("!99/99/0000;1;_");
    data->setFocus(Qt::TabFocusReason); // as the operator tabs in
    QTest::keyClicks(data, "0503");
    QCOMPARE(data->fieldText(), QStringLiteral("05/03/    "));
}

void TstWidgets::qtBoxesLookAndLineBreaks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("yesNo");
    QTest::addColumn<int>("icon");
    QTest::newRow("plain") << int(app::BoxKind::Plain) << "QOR Caixa" << false << int(QMessageBox::NoIcon);
    QTest::newRow("confirmation") << int(app::BoxKind::Confirmation) << "QOR Caixa" << true << int(QMessageBox::Question);
    QTest::newRow("error") << int(app::BoxKind::ErrorDialog) << "QOR Caixa" << false << int(QMessageBox::Critical);
    QTest::newRow("native ok") << int(app::BoxKind::Native) << "Atenção!!!" << false << int(QMessageBox::Critical);
    QTest::newRow("native yes/no") << int(app::BoxKind::Native) << "Atenção!" << true << int(QMessageBox::Critical);
}

void TstWidgets::qtBoxesLookAndLineBreaks()
{
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(bool, yesNo);
    QFETCH(int, icon);
    QString seenTitle, seenText;
    int seenIcon = -1;
    QMessageBox::StandardButtons seenButtons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        seenButtons = box->standardButtons();
        box->button(yesNo ? QMessageBox::Yes : QMessageBox::Ok)->click();
    });
    app::QtMessageBoxes boxes;
    const app::BoxAnswer answer = boxes.show({app::BoxKind(kind), title, "Primeira.\rSegunda.\r\nTerceira.",
                                              yesNo ? app::BoxButtons::YesNo : app::BoxButtons::Ok});
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenText, QStringLiteral("Primeira.\nSegunda.\nTerceira."));
    QCOMPARE(seenIcon, icon);
    QCOMPARE(seenButtons, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(answer, yesNo ? app::BoxAnswer::Yes : app::BoxAnswer::Ok);
}

void TstWidgets::editWritesBackAndPutsRowIntoEditing()
{
    Bound b("MovCaixa");
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"Valor", 10.0}, {"Historico", "velho"}});
    b.t.open();
    auto* valorEdit = new widgets::DBEdit("DBEdit18");
    auto* historicoEdit = new widgets::DBEdit("DBEdit20");
    Host host(valorEdit, historicoEdit);
    widgets::DBEdit& valor = *valorEdit;
    widgets::DBEdit& historico = *historicoEdit;
    valor.setDisplayFormat("###,##0.00");
    valor.bind(&b.ds, "Valor");
    historico.bind(&b.ds, "Historico");
    QCOMPARE(valor.text(), QStringLiteral("10,00"));

    valor.setFocus();
    valor.selectAll();
    QTest::keyClicks(&valor, "1234,5");
    QCOMPARE(b.t.state(), DataSetState::Edit);
    QCOMPARE(b.t.asFloat("Valor"), 1234.5);
    QCOMPARE(valor.text(), QStringLiteral("1234,5")); // typing is not disturbed

    historico.setFocus(); // leaving shows the display format
    QCOMPARE(valor.text(), QStringLiteral("1.234,50"));
    QTest::keyClicks(&historico, "!");
    QCOMPARE(b.t.asString("Historico"), QStringLiteral("velho!"));
    b.ds.post();
    QCOMPARE(test::column(kDados, "MovCaixa", "Valor"), QVariantList{1234.5});
    QCOMPARE(test::column(kDados, "MovCaixa", "Historico"), QVariantList{"velho!"});
}

void TstWidgets::amountFieldTakesWhatItShows_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("typed");   // the text while the field has the focus
    QTest::addColumn<QVariant>("stored"); // null: nothing stored
    QTest::addColumn<QString>("shown");   // once left
    QTest::addColumn<int>("beeps");
    const QVariant none;
    QTest::newRow("point as the decimal comma") << QStringList{"12.50"} << "12,50" << QVariant(12.5) << "12,50" << 0;
    QTest::newRow("comma") << QStringList{"12,50"} << "12,50" << QVariant(12.5) << "12,50" << 0;
    QTest::newRow("one decimal") << QStringList{"30,5"} << "30,5" << QVariant(30.5) << "30,50" << 0;
    QTest::newRow("decimals only") << QStringList{",5"} << ",5" << QVariant(0.5) << "0,50" << 0;
    QTest::newRow("negative") << QStringList{"-3"} << "-3" << QVariant(-3.0) << "-3,00" << 0;
    QTest::newRow("keypad point") << QStringList{"12", "<kp.>", "5"} << "12,5" << QVariant(12.5) << "12,50" << 0;
    QTest::newRow("keypad comma") << QStringList{"12", "<kp,>", "5"} << "12,5" << QVariant(12.5) << "12,50" << 0;
    QTest::newRow("letters") << QStringList{"abc"} << "" << none << "" << 3;
    QTest::newRow("text after the amount") << QStringList{"30,00troco"} << "30,00" << QVariant(30.0) << "30,00" << 5;
    QTest::newRow("third decimal") << QStringList{"0,001"} << "0,00" << QVariant(0.0) << "0,00" << 1;
    QTest::newRow("second point") << QStringList{"12.5."} << "12,5" << QVariant(12.5) << "12,50" << 1;
    QTest::newRow("second comma") << QStringList{"1,2,"} << "1,2" << QVariant(1.2) << "1,20" << 1;
    QTest::newRow("keypad after the comma") << QStringList{"1,5", "<kp.>"} << "1,5" << QVariant(1.5) << "1,50" << 1;
    QTest::newRow("sign not in front") << QStringList{"3-"} << "3" << QVariant(3.0) << "3,00" << 1;
    QTest::newRow("fourteenth digit") << QStringList{"12345678901234"} << "1234567890123" << QVariant(1234567890123.0)
                                      << "1234567890123,00" << 1;
    // A paste is shown as typed amounts are, or refused whole.
    QTest::newRow("pasted thousands") << QStringList{"<paste>1.234,50"} << "1234,50" << QVariant(1234.5) << "1234,50" << 0;
    QTest::newRow("pasted shown float") << QStringList{"<paste>R$ 1.234,50"} << "1234,50" << QVariant(1234.5)
                                        << "1234,50" << 0;
    QTest::newRow("pasted point") << QStringList{"<paste>12.50"} << "12,50" << QVariant(12.5) << "12,50" << 0;
    QTest::newRow("pasted letters") << QStringList{"<paste>abc"} << "" << none << "" << 1;
    QTest::newRow("pasted three decimals") << QStringList{"<paste>1.234"} << "" << none << "" << 1;
    QTest::newRow("pasted text after the amount") << QStringList{"7", "<paste>30,00troco"} << "7" << QVariant(7.0)
                                                  << "7,00" << 1;
}

void TstWidgets::amountFieldTakesWhatItShows()
{
    QFETCH(QStringList, input);
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    QFETCH(int, beeps);

    Bound b("MovCaixa");
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}});
    b.t.open();
    auto* valor = new widgets::DBEdit("DBEdit18");
    auto* historico = new widgets::DBEdit("DBEdit20");
    Host host(valor, historico);
    valor->setDisplayFormat("##0.00");
    valor->bind(&b.ds, "Valor");
    historico->bind(&b.ds, "Historico");
    widgets::AmountField* amount = widgets::AmountField::of(valor);
    QVERIFY(amount);
    QVERIFY(!widgets::AmountField::of(historico));
    int beeped = 0;
    amount->beep = [&beeped] { ++beeped; };

    valor->setFocus();
    test::operate(valor, input);
    QCOMPARE(valor->text(), typed);
    historico->setFocus();
    QCOMPARE(valor->text(), shown);
    QCOMPARE(beeped, beeps);
    if (stored.isNull()) {
        QVERIFY(b.t.isNull("Valor"));
    } else {
        QCOMPARE(b.t.asFloat("Valor"), stored.toDouble());
        b.ds.post();
        QCOMPARE(test::column(kDados, "MovCaixa", "Valor"), QVariantList{stored});
    }
}

void TstWidgets::editFollowsPositionAndState()
{
    Bound b("TabCaixa");
    test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BETO"}}});
    widgets::DBEdit caixa("DBEdit");
    caixa.bind(&b.ds, "Caixa");
    QCOMPARE(caixa.text(), QString()); // closed
    b.t.open();
    QCOMPARE(caixa.text(), QStringLiteral("ANA"));
    b.t.next();
    QCOMPARE(caixa.text(), QStringLiteral("BETO"));
    b.t.edit();
    b.t.setValue("Caixa", "CARLA");
    QCOMPARE(caixa.text(), QStringLiteral("CARLA"));
    b.t.cancel();
    QCOMPARE(caixa.text(), QStringLiteral("BETO"));
    b.t.close();
    QCOMPARE(caixa.text(), QString());
}

void TstWidgets::invalidTypedTextStopsThePost()
{
    Bound b("Periodo");
    test::insertRow(kDados, "Periodo", {{"DataInicial", QDate(2026, 12, 1)}});
    b.t.open();
    widgets::DBEdit inicial("DBEdit47");
    inicial.setEditMask("!99/99/0000;1;_");
    inicial.bind(&b.ds, "DataInicial");
    inicial.show();
    inicial.setFocus();
    QCOMPARE(inicial.text(), QStringLiteral("01/12/2026"));
    inicial.setCursorPosition(0);
    QTest::keyClicks(&inicial, "31/02");
    QVERIFY(inicial.hasInvalidText());
    try {
        b.ds.post();
        QFAIL("an impossible date was stored");
    } catch (const Error& e) {
        QCOMPARE(e.kind(), kind::InvalidValue);
    }
    QCOMPARE(b.t.state(), DataSetState::Edit);
    QCOMPARE(test::column(kDados, "Periodo", "DataInicial"), QVariantList{QDate(2026, 12, 1)});
}

void TstWidgets::readOnlyAndTabStop()
{
    Bound b("SessaoCx");
    test::insertRow(kDados, "SessaoCx", {{"NumSessao", 3}});
    b.t.open();
    widgets::DBEdit sessao("DBEdit1");
    sessao.bind(&b.ds, "NumSessao");
    sessao.setDataReadOnly(true);
    sessao.setTabStop(false);
    sessao.show();
    sessao.setFocus();
    QTest::keyClicks(&sessao, "9");
    QCOMPARE(sessao.text(), QStringLiteral("3"));
    QCOMPARE(b.t.state(), DataSetState::Browse);
    QCOMPARE(sessao.focusPolicy(), Qt::ClickFocus);
}

void TstWidgets::comboBoxWritesChoice()
{
    Bound b("MovCaixa");
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"FormaPag", "Dinheiro"}, {"SinalQuitacao", "Quitação"}});
    b.t.open();
    widgets::DBComboBox forma("DBComboBox4", widgets::DBComboBox::Style::List);
    forma.addItems({"Dinheiro", "Cheque", "Vale"});
    forma.bind(&b.ds, "FormaPag");
    QCOMPARE(forma.currentText(), QStringLiteral("Dinheiro"));
    emit forma.activated(2); // the operator chooses "Vale"
    QCOMPARE(b.t.state(), DataSetState::Edit);
    QCOMPARE(b.t.asString("FormaPag"), QStringLiteral("Vale"));

    widgets::DBComboBox sq("DBComboBox2", widgets::DBComboBox::Style::Editable);
    sq.addItems({"Sinal", "Quitação"});
    sq.bind(&b.ds, "SinalQuitacao");
    sq.show();
    sq.setFocus();
    QCOMPARE(sq.currentText(), QStringLiteral("Quitação"));
    sq.lineEdit()->selectAll();
    QTest::keyClicks(&sq, "Sinal");
    QCOMPARE(b.t.asString("SinalQuitacao"), QStringLiteral("Sinal"));
}

void TstWidgets::gridReadsBlocksWhereItLooksAndFollows()
{
    Bound b("SessaoCx");
    QList<test::Row> rows;
    for (int i = 1; i <= 250; ++i)
        rows << test::Row{{"NumSessao", i}, {"Troco", i * 1.5}};
    test::insertRows(kDados, "SessaoCx", rows);
    widgets::DBGrid grid("DBGrid2");
    grid.addColumn("NumSessao", "Sessões", Qt::AlignCenter);
    grid.addColumn("Troco", "Troco", Qt::AlignRight | Qt::AlignVCenter, "R$ ###,##0.00");
    grid.bind(&b.ds);
    b.t.open();
    auto* model = grid.dataModel();
    QCOMPARE(model->rowCount(), 250); // a line for every row, read when shown
    QCOMPARE(model->rowsRead(), widgets::DataSetModel::kBatch);
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Sessões"));
    QCOMPARE(model->data(model->index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("R$ 3,00"));
    QCOMPARE(b.t.asInteger("NumSessao"), 1); // reading left the row where it was
    QCOMPARE(grid.currentIndex().row(), 0);

    b.t.last(); // the grid follows, reading the last block only
    QCOMPARE(grid.currentIndex().row(), 249);
    QCOMPARE(b.t.asInteger("NumSessao"), 250);
    QCOMPARE(model->rowsRead(), 150);
    QCOMPARE(model->data(model->index(249, 0), Qt::DisplayRole).toString(), QStringLiteral("250"));
    QCOMPARE(model->data(model->index(150, 0), Qt::DisplayRole).toString(), QStringLiteral("151"));
    QCOMPARE(model->rowsRead(), 250);
    QCOMPARE(b.t.asInteger("NumSessao"), 250);
}

void TstWidgets::gridMovesTheDataSet()
{
    Bound b("TabCaixa");
    test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BETO"}}, {{"Caixa", "CARLA"}}});
    widgets::DBGrid grid("DBGrid1");
    grid.addColumn("Caixa", "Caixa");
    grid.bind(&b.ds);
    b.t.open();
    grid.setCurrentIndex(grid.dataModel()->index(2, 0));
    QCOMPARE(b.t.asString("Caixa"), QStringLiteral("CARLA"));

    // An edit in the grid goes into the row; moving away stores it.
    QVERIFY(grid.dataModel()->setData(grid.dataModel()->index(2, 0), "CARLOS", Qt::EditRole));
    QCOMPARE(b.t.state(), DataSetState::Edit);
    grid.setCurrentIndex(grid.dataModel()->index(0, 0));
    QCOMPARE(b.t.asString("Caixa"), QStringLiteral("ANA"));
    QCOMPARE(test::column(kDados, "TabCaixa", "Caixa"), (QVariantList{"ANA", "BETO", "CARLOS"}));

    b.t.remove(); // deleting elsewhere: the grid drops the row
    QCOMPARE(grid.dataModel()->rowCount(), 2);
    QCOMPARE(grid.dataModel()->data(grid.dataModel()->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("BETO"));

    grid.setDataReadOnly(true);
    QVERIFY(!(grid.dataModel()->flags(grid.dataModel()->index(0, 0)) & Qt::ItemIsEditable));
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Delete);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(test::countRows(kDados, "TabCaixa"), 2);

    // Rows another program stores or deletes show at the next move, as the filter lets them.
    b.t.setFilter("Caixa <> 'ZECA'");
    b.t.setFiltered(true);
    test::RawDatabase other(kDados);
    QVERIFY(other.exec("INSERT INTO TabCaixa (Caixa) VALUES ('DORA'), ('ZECA')"));
    b.t.next();
    QCOMPARE(grid.dataModel()->rowCount(), 3);
    QCOMPARE(grid.dataModel()->data(grid.dataModel()->index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("DORA"));
    QVERIFY(other.exec("DELETE FROM TabCaixa WHERE Caixa = 'BETO'"));
    b.t.first();
    QCOMPARE(grid.dataModel()->rowCount(), 2);
    QCOMPARE(grid.dataModel()->data(grid.dataModel()->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("CARLOS"));
}

void TstWidgets::navigatorDeleteAsksFirst()
{
    Bound b("TabCaixa");
    test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BETO"}}});
    using B = widgets::DBNavigator::Button;
    widgets::DBNavigator nav("dbnvgr1", {B::Prior, B::Next, B::Insert, B::Delete, B::Edit, B::Post, B::Cancel});
    nav.bind(&b.ds);
    b.t.open();
    QVERIFY(!nav.button(B::First));
    QVERIFY(!nav.button(B::Post)->isEnabled());

    b.boxes.script(app::BoxAnswer::No);
    nav.button(B::Delete)->click();
    QCOMPARE(b.boxes.lastText(), widgets::DBNavigator::kConfirmDelete);
    QCOMPARE(b.boxes.shown().last().kind, app::BoxKind::Confirmation);
    QCOMPARE(test::countRows(kDados, "TabCaixa"), 2);

    b.boxes.script(app::BoxAnswer::Yes);
    nav.button(B::Delete)->click();
    QCOMPARE(test::column(kDados, "TabCaixa", "Caixa"), QVariantList{"BETO"});

    nav.button(B::Insert)->click();
    QCOMPARE(b.t.state(), DataSetState::Insert);
    QVERIFY(nav.button(B::Post)->isEnabled());
    b.t.setValue("Caixa", "DORA");
    nav.button(B::Post)->click();
    QCOMPARE(test::column(kDados, "TabCaixa", "Caixa"), (QVariantList{"BETO", "DORA"}));
}

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
