#include "tests/app/fixture/ComboItems.h"
#include "app/widgets/DBGrid.h"
#include "app/widgets/DBNavigator.h"
#include "data/local/Table.h"
#include "tests/cash/fixture/CaixaFixture.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace qor;
using app::BoxAnswer;
using test::CaixaFixture;
using widgets::DBNavigator;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

QVariantList operadores() { return test::column(kDados, "TabCaixa", "Caixa"); }

void abreLista(CaixaFixture& f)
{
    f.start();
    f.identify();
    f.trigger("act_Operadores");
}

// Types into the grid's current cell and leaves it, as the operator would.
void digitaNaGrade(CaixaFixture& f, const QString& text)
{
    auto* grid = f.find<widgets::DBGrid>("DBGrid1");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != grid);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
    QTest::keyClicks(editor, text);
}

} // namespace

using qor::test::items;

class TstOperators : public QObject {
    Q_OBJECT
private slots:
    void panelAsLaidOut();
    void opensWithTheFirstRowInEditing();
    void emptyTableStartsANewRow_data();
    void emptyTableStartsANewRow();
    void navigatorDeleteAsksFirst();
    void failedSaveOnVoltarIsSwallowed();
    void addedNameIsOfferedAfterARestart();
};

void TstOperators::panelAsLaidOut()
{
    CaixaFixture f;
    f.start();
    auto* p = f.form().painel("PainelOperadores");
    auto* title = p->findChild<QLabel*>("lblTitulo");
    QCOMPARE(title->text(), QStringLiteral("Operadores de Caixa"));
    QVERIFY(title->font().bold());
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(128, 0, 0));

    auto* nav = f.find<DBNavigator>("dbnvgr1");
    QStringList buttons;
    for (QToolButton* b : nav->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        buttons << b->objectName();
    QCOMPARE(buttons, (QStringList{"nbPrior", "nbNext", "nbInsert", "nbDelete", "nbEdit", "nbPost", "nbCancel"}));

    auto* grid = f.find<widgets::DBGrid>("DBGrid1");
    QCOMPARE(grid->model()->columnCount(), 1);
    QVERIFY(grid->editTriggers() != QAbstractItemView::NoEditTriggers);
    QCOMPARE(f.find<QPushButton>("Voltar")->text(), QStringLiteral("Voltar"));
    QVERIFY(f.find<QPushButton>("Voltar")->y() > grid->geometry().bottom());
}

void TstOperators::opensWithTheFirstRowInEditing()
{
    CaixaFixture f;
    test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BETO"}}});
    abreLista(f);
    QVERIFY(f.form().painel("PainelOperadores")->isVisible());
    data::Table& t = f.tables.TabCaixa;
    QCOMPARE(t.state(), data::DataSetState::Edit);
    QCOMPARE(t.asString("Caixa"), QStringLiteral("ANA"));
    QCOMPARE(QApplication::focusWidget(), f.find<widgets::DBGrid>("DBGrid1"));

    digitaNaGrade(f, "ANA PAULA");
    f.click("Voltar");
    QCOMPARE(operadores(), (QVariantList{"ANA PAULA", "BETO"}));
    QVERIFY(!t.active());
    QVERIFY(f.form().painel("PainelOperadores")->isHidden());
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstOperators::emptyTableStartsANewRow_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariantList>("stored");
    QTest::newRow("a name typed") << "CARLA" << QVariantList{"CARLA"};
    QTest::newRow("nothing typed, the table takes the empty row") << "" << QVariantList{QVariant()};
}

void TstOperators::emptyTableStartsANewRow()
{
    QFETCH(QString, typed);
    QFETCH(QVariantList, stored);
    CaixaFixture f;
    abreLista(f);
    QCOMPARE(f.tables.TabCaixa.state(), data::DataSetState::Insert);
    if (!typed.isEmpty())
        digitaNaGrade(f, typed);
    f.click("Voltar");
    QCOMPARE(operadores(), stored);
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstOperators::navigatorDeleteAsksFirst()
{
    CaixaFixture f;
    test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "BETO"}}});
    abreLista(f);
    auto* nav = f.find<DBNavigator>("dbnvgr1");
    f.boxes.script(BoxAnswer::No);
    QTest::mouseClick(nav->button(DBNavigator::Button::Delete), Qt::LeftButton);
    QCOMPARE(operadores(), (QVariantList{"ANA", "BETO"}));
    f.boxes.script(BoxAnswer::Yes);
    QTest::mouseClick(nav->button(DBNavigator::Button::Delete), Qt::LeftButton);
    QCOMPARE(operadores(), QVariantList{"BETO"});
    QCOMPARE(f.boxes.texts(), (QStringList{DBNavigator::kConfirmDelete, DBNavigator::kConfirmDelete}));
    QCOMPARE(f.boxes.shown().first().kind, app::BoxKind::Confirmation);
}

void TstOperators::failedSaveOnVoltarIsSwallowed()
{
    CaixaFixture f;
    test::insertRow(kDados, "TabCaixa", {{"Caixa", "ANA"}});
    test::RawDatabase raw(kDados);
    // A table that refuses empty and repeated names, as a keyed one would.
    QVERIFY2(raw.exec("CREATE TRIGGER recusa BEFORE INSERT ON TabCaixa WHEN new.Caixa IS NULL "
                      "OR new.Caixa IN (SELECT Caixa FROM TabCaixa) BEGIN SELECT RAISE(ABORT, 'recusado'); END"),
             qPrintable(raw.error()));
    abreLista(f);
    f.click("Voltar");
    QCOMPARE(operadores(), QVariantList{"ANA"});

    f.trigger("act_Operadores");
    QTest::mouseClick(f.find<DBNavigator>("dbnvgr1")->button(DBNavigator::Button::Insert), Qt::LeftButton);
    QCOMPARE(f.tables.TabCaixa.state(), data::DataSetState::Insert);
    f.click("Voltar"); // an empty new row, refused
    QCOMPARE(operadores(), QVariantList{"ANA"});
    f.trigger("act_Operadores");
    QTest::mouseClick(f.find<DBNavigator>("dbnvgr1")->button(DBNavigator::Button::Insert), Qt::LeftButton);
    digitaNaGrade(f, "ANA");
    f.click("Voltar"); // a repeated name, refused
    QCOMPARE(operadores(), QVariantList{"ANA"});
    QVERIFY(!f.tables.TabCaixa.active());
    QVERIFY(f.form().painel("PainelOperadores")->isHidden());
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstOperators::addedNameIsOfferedAfterARestart()
{
    CaixaFixture f;
    test::insertRow(kDados, "TabCaixa", {{"Caixa", "ANA"}});
    abreLista(f);
    QTest::mouseClick(f.find<DBNavigator>("dbnvgr1")->button(DBNavigator::Button::Insert), Qt::LeftButton);
    digitaNaGrade(f, "DORA");
    f.click("Voltar");
    QCOMPARE(operadores(), (QVariantList{"ANA", "DORA"}));
    QCOMPARE(items(f.find<QComboBox>("DBComboBox1")), QStringList{"ANA"});

    auto segunda = f.novaExecucao();
    QCOMPARE(items(segunda->findChild<QComboBox*>("DBComboBox1")), (QStringList{"ANA", "DORA"}));
}

QTEST_MAIN(TstOperators)
#include "tst_operators.moc"
