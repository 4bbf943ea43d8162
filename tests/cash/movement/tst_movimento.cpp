// The movement panel without the order database: opening a movement and its
// checks, numbering, layout, keys, instalments, cancel, hygiene, save hand-over.
#include "app/window/TForm1.h"
#include "cash/movement/HigieneMovCaixa.h"
#include "cash/movement/Movimento.h"
#include "cash/movement/MovimentoEmEntrada.h"
#include "data/base/Error.h"
#include "tests/cash/movement/MovimentoFixture.h"
#include "tests/support/OperatorInput.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qor;
using app::BoxAnswer;
using app::TForm1;
using cash::PainelMovCaixa;
using test::MovimentoFixture;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// Two rows that break "PedSiQui", stored meanwhile by a program that lost the index.
void quebraIndice()
{
    test::RawDatabase raw(kDados);
    QVERIFY(raw.exec("DROP INDEX MovCaixa_PedSiQui"));
    QVERIFY(raw.exec("INSERT INTO MovCaixa (NumSessao, NPedido, SinalQuitacao) VALUES (5, '01.77', 'Sinal')"));
    QVERIFY(raw.exec("INSERT INTO MovCaixa (NumSessao, NPedido, SinalQuitacao) VALUES (5, '01.77', 'Sinal')"));
}

QVariantList contadores()
{
    return {test::column(kDados, "CTCaixa", "CTSangria").value(0), test::column(kDados, "CTCaixa", "CTRessuprimento").value(0)};
}

} // namespace

class TstMovimento : public QObject {
    Q_OBJECT
private slots:
    void saleRowStoredBeforeThePanelShows();
    void withdrawalAndReplenishmentNumbersAndGaps();
    void checksInTheirOrder_data();
    void checksInTheirOrder();
    void saleRowThatCannotBeStoredEndsTheProgram();
    void layoutPerType_data();
    void layoutPerType();
    void orderNumberKeys();
    void paymentFormIgnoresTypedCharacters();
    void instalmentSubPanel();
    void withdrawalNeverOpensTheSubPanel();
    void wrongSinalQuitacaoText();
    void withdrawalBeforeAnyLookupAsksNoHistory();
    void cancelLeavesNoRow_data();
    void cancelLeavesNoRow();
    void leavingThePanelPurgesRowsWithoutOrder();
    void unfinishedEntryRemovedAtTheNextStart();
    void orphanRemovedAtActivationKeptAtClosing();
    void limparTabelas_data();
    void limparTabelas();
    void amountIsStoredAsShown_data();
    void amountIsStoredAsShown();
    void saveGetsTheFieldsAndThePanelCloses_data();
    void saveGetsTheFieldsAndThePanelCloses();
};

void TstMovimento::saleRowStoredBeforeThePanelShows()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Venda");

    QVERIFY(m.f.boxes.shown().isEmpty());
    QVERIFY(m.painel->isVisible());
    QCOMPARE(m.find<QLabel>("lblTituloMov")->text(), QStringLiteral("Venda"));
    QCOMPARE(m.painel->geometry(), QRect(1, 1, 583, 351));
    QVERIFY(!m.painel->alinhadoAoCliente());
    QCOMPARE(m.focado(), m.find("DBComboBox2"));
    QCOMPARE(m.log, (QStringList{QString(77, '-'), "- Entrou na tela de Quitacao (Venda)."}));

    // Stored already, and the panel goes on editing it.
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 1);
    QCOMPARE(m.mov().state(), data::DataSetState::Edit);
    const data::Table& mov = m.mov();
    QCOMPARE(mov.asInteger("NumSessao"), 7);
    QCOMPARE(mov.asDate("DataMov"), QDate(2026, 12, 10));
    QCOMPARE(mov.asTime("HoraMov"), QTime(10, 0));
    QCOMPARE(mov.asString("TipoMov"), QStringLiteral("Venda"));
    QCOMPARE(mov.asString("EntradaSaida"), QStringLiteral("Entrada"));
    QCOMPARE(mov.asString("FormaPag"), QStringLiteral("Dinheiro"));
    QCOMPARE(mov.asString("SinalQuitacao"), QStringLiteral("Quitação"));
    QVERIFY(mov.isNull("NPedido"));
    QCOMPARE(mov.asString("Laboratorio"), QStringLiteral("LOJA1"));
    QCOMPARE(test::column(kDados, "MovCaixa", "SinalQuitacao"), QVariantList{QStringLiteral("Quitação")});

    // The panel shows the session, its operator, date and time.
    QCOMPARE(m.find<QLineEdit>("DBEdit10")->text(), QStringLiteral("7"));
    QCOMPARE(m.find<QLineEdit>("DBEdit15")->text(), QStringLiteral("MARIA"));
    QCOMPARE(m.find<QLineEdit>("DBEdit16")->text(), QStringLiteral("10/12/26"));
    QCOMPARE(m.find<QLineEdit>("DBEdit17")->text(), QStringLiteral("10:00"));
    QCOMPARE(m.find<QComboBox>("DBComboBox4")->currentText(), QStringLiteral("Dinheiro"));
    QCOMPARE(m.find<QComboBox>("DBLab")->currentText(), QStringLiteral("LOJA1"));
    QVERIFY(m.f.tables.SessaoCx.active());
    QVERIFY(m.f.tables.Quitacao.active());
}

void TstMovimento::withdrawalAndReplenishmentNumbersAndGaps()
{
    MovimentoFixture m;
    m.start();
    QCOMPARE(contadores(), (QVariantList{0, 0}));

    m.trigger("act_Sangria");
    QCOMPARE(m.find<QLabel>("lblTituloMov")->text(), QStringLiteral("Sangria"));
    const data::Table& mov = m.mov();
    QCOMPARE(mov.asString("NPedido"), QStringLiteral("S_1"));
    QCOMPARE(mov.asString("SinalQuitacao"), QStringLiteral("S_1"));
    QCOMPARE(mov.asString("TipoMov"), QStringLiteral("Sangria"));
    QCOMPARE(mov.asString("EntradaSaida"), QStringLiteral("Saida"));
    QCOMPARE(mov.asString("FormaPag"), QStringLiteral("Dinheiro"));
    QCOMPARE(mov.asInteger("NumSessao"), 7);
    QVERIFY(mov.isNull("Laboratorio"));
    // Raised as soon as the row is stored, and the counters table is closed.
    QCOMPARE(contadores(), (QVariantList{1, 0}));
    QVERIFY(!m.f.tables.CTCaixa.active());
    QVERIFY(m.log.isEmpty());
    QCOMPARE(m.focado(), m.find("DBEdit18"));

    // A cancelled withdrawal keeps its number used up.
    m.find<QPushButton>("BitBtn4")->click();
    m.trigger("act_Sangria");
    QCOMPARE(m.mov().asString("NPedido"), QStringLiteral("S_2"));
    m.find<QPushButton>("BitBtn4")->click();

    m.trigger("act_Ressuprimento");
    QCOMPARE(m.find<QLabel>("lblTituloMov")->text(), QStringLiteral("Ressuprimento"));
    QCOMPARE(m.mov().asString("NPedido"), QStringLiteral("R1"));
    QCOMPARE(m.mov().asString("SinalQuitacao"), QStringLiteral("R1"));
    QCOMPARE(m.mov().asString("EntradaSaida"), QStringLiteral("Entrada"));
    QCOMPARE(contadores(), (QVariantList{2, 1}));
    QVERIFY(m.f.boxes.shown().isEmpty());
}

void TstMovimento::checksInTheirOrder_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("identified");
    QTest::addColumn<bool>("tillOpen");
    QTest::addColumn<bool>("brokenIndex");
    QTest::addColumn<QString>("expected"); // "indice", "detalhado" or the message
    const QString fechado = PainelMovCaixa::kMsgCaixaFechado;
    const QString login = TForm1::kMsgIdentificacao;
    QTest::newRow("venda sem identificação") << "act_Venda" << false << true << true << login;
    QTest::newRow("sangria sem identificação") << "act_Sangria" << false << false << true << login;
    // A sale tests the till before the index; the other two the index first.
    QTest::newRow("venda fechado, índice quebrado") << "act_Venda" << true << false << true << fechado;
    QTest::newRow("venda fechado") << "act_Venda" << true << false << false << fechado;
    QTest::newRow("venda índice quebrado") << "act_Venda" << true << true << true << "indice";
    QTest::newRow("sangria fechado, índice quebrado") << "act_Sangria" << true << false << true << "detalhado";
    QTest::newRow("sangria fechado") << "act_Sangria" << true << false << false << fechado;
    QTest::newRow("sangria índice quebrado") << "act_Sangria" << true << true << true << "detalhado";
    QTest::newRow("ressuprimento fechado, índice quebrado") << "act_Ressuprimento" << true << false << true << "indice";
    QTest::newRow("ressuprimento fechado") << "act_Ressuprimento" << true << false << false << fechado;
    QTest::newRow("ressuprimento índice quebrado") << "act_Ressuprimento" << true << true << true << "indice";
}

void TstMovimento::checksInTheirOrder()
{
    QFETCH(QString, command);
    QFETCH(bool, identified);
    QFETCH(bool, tillOpen);
    QFETCH(bool, brokenIndex);
    QFETCH(QString, expected);

    MovimentoFixture m(tillOpen);
    if (identified)
        m.start();
    else
        m.f.start();
    if (brokenIndex)
        quebraIndice();
    const int linhas = test::countRows(kDados, "MovCaixa");
    m.f.boxes.answerAllOk();
    m.trigger(command);

    QCOMPARE(m.f.boxes.shown().size(), 1);
    const QString indice = cash::mensagemDoIndice();
    if (expected == "indice") {
        QCOMPARE(m.f.boxes.lastText(), indice);
    } else if (expected == "detalhado") {
        const QString prefixo = indice + "\rClasse: " + kind::IndexUnusable + "\rErro: ";
        QVERIFY2(m.f.boxes.lastText().startsWith(prefixo), qPrintable(m.f.boxes.lastText()));
        QVERIFY(m.f.boxes.lastText().size() > prefixo.size());
    } else {
        QCOMPARE(m.f.boxes.lastText(), expected);
    }
    QCOMPARE(m.f.boxes.shown().first().kind, app::BoxKind::Plain);
    QVERIFY(m.painel->isHidden());
    QCOMPARE(test::countRows(kDados, "MovCaixa"), linhas);
    QCOMPARE(contadores(), (QVariantList{0, 0}));
    for (data::Table* t : {&m.f.tables.MovCaixa, &m.f.tables.CTCaixa, &m.f.tables.SessaoCx, &m.f.tables.Quitacao})
        QVERIFY2(!t->active(), qPrintable(t->tableName()));
    QCOMPARE(m.f.tables.MovCaixa.indexName(), QString());
}

void TstMovimento::saleRowThatCannotBeStoredEndsTheProgram()
{
    MovimentoFixture m;
    m.start();
    // A sale abandoned by a program that stopped with its panel open.
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 7}, {"SinalQuitacao", QStringLiteral("Quitação")}});
    m.f.boxes.answerAllOk();
    m.trigger("act_Venda");

    QCOMPARE(m.encerramentos, QList<int>{0});
    QCOMPARE(m.f.boxes.shown().size(), 1);
    const QString texto = m.f.boxes.lastText();
    const QString inicio = "Erro na tabela MOVCAIXA.\r"
                           "1) Se houver um registro em MOVCAIXA com o campo NPEDIDO ou \r"
                           "   SINALQUITACAO em branco, favor excluí-lo\r"
                           "   ou\r"
                           "2) Tente recuperar os índices de MovCaixa.db\r"
                           "O caixa será finalizado.\r"
                           "\r"
                           "Classe: " + kind::KeyViolation + "\rErro: ";
    QVERIFY2(texto.startsWith(inicio), qPrintable(texto));
    QVERIFY(!texto.mid(inicio.size()).isEmpty());
    QVERIFY(m.painel->isHidden());
    QVERIFY(m.log.isEmpty());
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 1);
}

void TstMovimento::layoutPerType_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("frameHeight");
    QTest::addColumn<QPoint>("valor");
    QTest::addColumn<QPoint>("forma");
    QTest::addColumn<QPoint>("historico");
    QTest::addColumn<QPoint>("cancelar");
    QTest::addColumn<QPoint>("salvar");
    QTest::addColumn<bool>("venda");
    QTest::newRow("venda") << "act_Venda" << 215 << QPoint(21, 157) << QPoint(176, 157) << QPoint(21, 216)
                           << QPoint(21, 251) << QPoint(294, 251) << true;
    QTest::newRow("sangria") << "act_Sangria" << 177 << QPoint(21, 109) << QPoint(176, 109) << QPoint(21, 168)
                             << QPoint(21, 211) << QPoint(294, 211) << false;
    QTest::newRow("ressuprimento") << "act_Ressuprimento" << 177 << QPoint(21, 109) << QPoint(176, 109)
                                   << QPoint(21, 168) << QPoint(21, 211) << QPoint(294, 211) << false;
}

void TstMovimento::layoutPerType()
{
    QFETCH(QString, command);
    QFETCH(int, frameHeight);
    QFETCH(QPoint, valor);
    QFETCH(QPoint, forma);
    QFETCH(QPoint, historico);
    QFETCH(QPoint, cancelar);
    QFETCH(QPoint, salvar);
    QFETCH(bool, venda);

    MovimentoFixture m;
    m.start();
    // The other type first: the layout of one must not leak into the next.
    m.trigger(venda ? "act_Sangria" : "act_Venda");
    m.find<QPushButton>("BitBtn4")->click();
    m.trigger(command);

    QCOMPARE(m.find("bvl4")->height(), frameHeight);
    QCOMPARE(m.find("DBEdit18")->pos(), valor);
    QCOMPARE(m.find("DBComboBox4")->pos(), forma);
    QCOMPARE(m.find("DBEdit20")->pos(), historico);
    QCOMPARE(m.find("BitBtn4")->pos(), cancelar);
    QCOMPARE(m.find("BitBtn5")->pos(), salvar);
    QCOMPARE(m.find<QPushButton>("BitBtn4")->text(), QStringLiteral("Cancelar Movimento"));
    QCOMPARE(m.find<QPushButton>("BitBtn5")->text(), QStringLiteral("OK - Salvar Movimento"));
    for (const char* name : {"DBComboBox2", "DBEdit19", "DBLab", "lblSinalQuitacao", "lblPedido", "lblLoja"})
        QCOMPARE(m.find(name)->isVisible(), venda);
    if (venda) {
        QCOMPARE(m.find("DBComboBox2")->pos(), QPoint(21, 102));
        QCOMPARE(m.find("DBEdit19")->pos(), QPoint(225, 102));
        QCOMPARE(m.find("DBLab")->pos(), QPoint(421, 102));
        QCOMPARE(m.painel->geometry(), QRect(1, 1, 583, 351));
    } else {
        // Fills the client area below the toolbar.
        QVERIFY(m.painel->alinhadoAoCliente());
        QCOMPARE(m.painel->geometry().top(), TForm1::kToolbarHeight);
        QCOMPARE(m.painel->width(), m.f.form().clientArea()->width());
    }
    for (const char* hidden : {"PainelNumDocum", "PainelPrecos"})
        QVERIFY(m.find(hidden)->isHidden());

    // Tab walks the entry fields in their order, skipping what the type hides.
    const QStringList ordem = venda ? QStringList{"DBComboBox2", "DBEdit19", "DBEdit18", "DBComboBox4", "DBEdit20",
                                                  "DBLab", "BitBtn5", "BitBtn4"}
                                    : QStringList{"DBEdit18", "DBComboBox4", "DBEdit20", "BitBtn5", "BitBtn4"};
    QCOMPARE(m.focado()->objectName(), ordem.first());
    m.f.boxes.answerAllOk();
    for (qsizetype i = 1; i < ordem.size(); ++i) {
        QTest::keyClick(m.focado(), Qt::Key_Tab);
        QCOMPARE(m.focado()->objectName(), ordem.at(i));
    }
}

void TstMovimento::orderNumberKeys()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Venda");
    m.foca("DBEdit19");
    auto* pedido = m.find<QLineEdit>("DBEdit19");
    pedido->home(false);

    QTest::keyClicks(pedido, "a1");
    QCOMPARE(m.beeps, 0);
    QTest::keyClick(pedido, '.');   // the mask supplies the point itself
    QTest::keyClick(pedido, '-');
    QTest::keyClick(pedido, ' ');
    QCOMPARE(m.beeps, 3);
    QTest::keyClicks(pedido, "12b"); // a letter where the mask wants a digit: the mask refuses it
    QCOMPARE(m.beeps, 3);
    QTest::keyClick(pedido, Qt::Key_Backspace);
    QTest::keyClicks(pedido, "3");
    QCOMPARE(m.beeps, 3);
    QCOMPARE(m.mov().asString("NPedido"), QStringLiteral("A1.13"));

    QTest::keyClick(pedido, Qt::Key_Return); // the lookup fails without a word: no order database
    QCOMPARE(m.beeps, 3);
    QCOMPARE(m.focado(), m.find("DBEdit18"));
    QVERIFY(m.f.boxes.shown().isEmpty());
    QCOMPARE(m.mov().asString("NPedido"), QStringLiteral("A1.13"));

    // Text that came in otherwise (pasted) is upper-cased by Enter.
    m.foca("DBEdit19");
    pedido->setText("bc.45");
    QTest::keyClick(pedido, Qt::Key_Return);
    QCOMPARE(m.mov().asString("NPedido"), QStringLiteral("BC.45"));
    QCOMPARE(m.focado(), m.find("DBEdit18"));
}

void TstMovimento::paymentFormIgnoresTypedCharacters()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Sangria");
    m.foca("DBComboBox4");
    auto* forma = m.find<QComboBox>("DBComboBox4");
    QTest::keyClicks(forma, "Ch");
    QCOMPARE(forma->currentText(), QStringLiteral("Dinheiro"));
    QTest::keyClick(forma, Qt::Key_Down); // the list selects
    QCOMPARE(forma->currentText(), QStringLiteral("Cheque"));
    QCOMPARE(m.mov().asString("FormaPag"), QStringLiteral("Cheque"));
    QTest::keyClick(forma, Qt::Key_Return);
    QCOMPARE(m.focado(), m.find("DBEdit20"));

    // Entered with no form shown, it starts from Dinheiro.
    m.mov().setValue("FormaPag", QVariant());
    QCOMPARE(forma->currentText(), QString());
    m.foca("DBComboBox4");
    QCOMPARE(forma->currentText(), QStringLiteral("Dinheiro"));
    QCOMPARE(m.mov().asString("FormaPag"), QStringLiteral("Dinheiro"));
}

void TstMovimento::instalmentSubPanel()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Venda");
    auto* forma = m.find<QComboBox>("DBComboBox4");
    auto* sub = m.find("PainelNumDocum");

    // Dinheiro never asks for instalments.
    m.foca("DBComboBox4");
    QTest::keyClick(forma, Qt::Key_Return);
    QCOMPARE(m.focado(), m.find("DBEdit20"));
    QVERIFY(sub->isHidden());

    m.foca("DBComboBox4");
    QTest::keyClick(forma, Qt::Key_Down);
    QTest::keyClick(forma, Qt::Key_Return);
    QVERIFY(sub->isVisible());
    QCOMPARE(sub->geometry(), QRect(13, 299, 561, 48));
    QCOMPARE(m.focado(), m.find("DBEdit21"));
    for (const char* name : {"DBEdit10", "DBEdit15", "DBEdit16", "DBEdit17", "DBEdit18", "DBEdit19", "DBEdit20",
                             "DBComboBox2", "DBComboBox4", "BitBtn4", "BitBtn5"})
        QVERIFY2(!m.find(name)->isEnabled(), name);
    QVERIFY(m.find("DBLab")->isEnabled());

    QTest::keyClicks(m.focado(), "3");
    m.enter("DBEdit21");
    QCOMPARE(m.focado(), m.find("DBEdit46"));
    QVERIFY(!m.find("BitBtn5")->isEnabled());
    QTest::keyClicks(m.focado(), "123456");
    m.enter("DBEdit46");
    QVERIFY(sub->isHidden());
    QCOMPARE(m.focado(), m.find("BitBtn5"));
    for (const char* name : {"DBEdit18", "DBComboBox4", "BitBtn4", "BitBtn5"})
        QVERIFY2(m.find(name)->isEnabled(), name);
    QCOMPARE(m.mov().asInteger("NumParcela"), 3);
    QCOMPARE(m.mov().asInteger("NumDocumento"), 123456);
    QVERIFY(m.f.boxes.shown().isEmpty());
}

void TstMovimento::withdrawalNeverOpensTheSubPanel()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Ressuprimento");
    m.foca("DBComboBox4");
    QTest::keyClick(m.focado(), Qt::Key_Down);
    QTest::keyClick(m.focado(), Qt::Key_Return);
    QCOMPARE(m.find<QComboBox>("DBComboBox4")->currentText(), QStringLiteral("Cheque"));
    QVERIFY(m.find("PainelNumDocum")->isHidden());
    QCOMPARE(m.focado(), m.find("DBEdit20"));
    QVERIFY(m.find("BitBtn5")->isEnabled());
}

void TstMovimento::wrongSinalQuitacaoText()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Venda");
    m.digita("DBComboBox2", "sinal"); // exact spelling only
    m.f.boxes.script(BoxAnswer::Ok);
    m.enter("DBComboBox2");
    QCOMPARE(m.f.boxes.texts(), QStringList{"Valor Incorreto, favor corrigir."});
    QCOMPARE(m.focado(), m.find("DBComboBox2"));

    m.digita("DBComboBox2", "Sinal");
    m.enter("DBComboBox2");
    QCOMPARE(m.f.boxes.shown().size(), 1);
    QCOMPARE(m.focado(), m.find("DBEdit19"));
    QCOMPARE(m.mov().asString("SinalQuitacao"), QStringLiteral("Sinal"));
}

void TstMovimento::withdrawalBeforeAnyLookupAsksNoHistory()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Sangria");
    m.digita("DBEdit18", "50,00");
    m.enter("DBEdit18");
    QVERIFY(m.f.boxes.shown().isEmpty());
    QCOMPARE(m.focado(), m.find("DBComboBox4"));
    QCOMPARE(m.f.state.ValorDigitadoRetido, 50.0);
    QVERIFY(!m.f.state.HistoricoPedido);
    // With no order looked up the final price held is this movement's amount.
    QCOMPARE(m.f.state.PrecoFinalRetido, 50.0);
}

void TstMovimento::cancelLeavesNoRow_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("venda") << "act_Venda";
    QTest::newRow("sangria") << "act_Sangria";
    QTest::newRow("ressuprimento") << "act_Ressuprimento";
}

void TstMovimento::cancelLeavesNoRow()
{
    QFETCH(QString, command);
    MovimentoFixture m;
    // Movements stored before: the cancel must take only its own row.
    test::insertRows(kDados, "MovCaixa",
                     {{{"NumSessao", 7}, {"NPedido", "01.1001"}, {"SinalQuitacao", "Sinal"}, {"Valor", 10.0}},
                      {{"NumSessao", 8}, {"NPedido", "S_9"}, {"SinalQuitacao", "S_9"}, {"Valor", 5.0}}});
    m.start();
    m.trigger(command);
    QCOMPARE(test::countRows(kDados, "MovEmEntrada"), 1);
    m.digita("DBEdit18", "12,50");
    m.digita("DBEdit20", "desistiu");
    m.foca("BitBtn4");
    m.find<QPushButton>("BitBtn4")->click();

    QVERIFY(m.painel->isHidden());
    QCOMPARE(test::countRows(kDados, "MovEmEntrada"), 0);
    QVERIFY(m.f.boxes.shown().isEmpty());
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), (QVariantList{"01.1001", "S_9"}));
    for (data::Table* t : {&m.f.tables.MovCaixa, &m.f.tables.SessaoCx, &m.f.tables.Quitacao})
        QVERIFY2(!t->active(), qPrintable(t->tableName()));
}

// The program ends with a withdrawal under entry (already carrying its
// number, so no purge of rows without an order takes it): the next start
// removes it, and only it, with a log line.
void TstMovimento::unfinishedEntryRemovedAtTheNextStart()
{
    MovimentoFixture m;
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 7}, {"NPedido", "S_9"}, {"SinalQuitacao", "S_9"}, {"Valor", 5.0}});
    m.start();
    m.trigger("act_Sangria");
    m.digita("DBEdit18", "20,00");
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), (QVariantList{"S_9", "S_1"}));

    QCOMPARE(cash::descartaMovimentosInacabados(),
             QStringList{QString::fromUtf8("- Movimento de caixa não concluído removido ao iniciar: Sangria  Pedido "
                                           "S_1  S_1    Valor: R$ 0,00 (10/12/26 10:00)")});
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"S_9"});
    QCOMPARE(test::countRows(kDados, "MovEmEntrada"), 0);
    QVERIFY(cash::descartaMovimentosInacabados().isEmpty());
}

void TstMovimento::leavingThePanelPurgesRowsWithoutOrder()
{
    MovimentoFixture m;
    m.start();
    m.trigger("act_Sangria");
    // Left by another station meanwhile: a row without an order reference.
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 7}, {"SinalQuitacao", "Sinal"}, {"Valor", 3.0}});
    QCOMPARE(test::countRows(kDados, "MovCaixa"), 2);
    m.digita("DBEdit18", "20,00");
    // The save stores the row and closes the tables before the panel hides.
    m.painel->salvaMovimento = [&m](const cash::PanelTexts&) {
        m.mov().post();
        m.mov().close();
        m.f.tables.SessaoCx.close();
    };
    m.foca("BitBtn5");
    m.find<QPushButton>("BitBtn5")->click();

    QVERIFY(m.painel->isHidden());
    QVERIFY(!m.f.tables.MovCaixa.active());
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"S_1"});
}

void TstMovimento::orphanRemovedAtActivationKeptAtClosing()
{
    {
        MovimentoFixture m;
        test::insertRow(kDados, "MovCaixa", {{"NumSessao", 7}, {"SinalQuitacao", QStringLiteral("Quitação")}});
        m.start();
        QCOMPARE(test::countRows(kDados, "MovCaixa"), 0);
        m.trigger("act_Venda"); // its row can be stored now
        QVERIFY(m.encerramentos.isEmpty());
        QVERIFY(m.painel->isVisible());

        // The program stops with the panel open: its row stays, with its payment kind.
        m.f.form().close();
        QCOMPARE(test::column(kDados, "MovCaixa", "SinalQuitacao"), QVariantList{QStringLiteral("Quitação")});
    }
}

void TstMovimento::limparTabelas_data()
{
    QTest::addColumn<bool>("identified");
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<QVariantList>("remaining");
    const QVariantList todas{"01.1", "01.2", "01.3"};
    QTest::newRow("sim") << true << false << int(BoxAnswer::Yes) << QVariantList{"01.1", "01.3"};
    QTest::newRow("não") << true << false << int(BoxAnswer::No) << todas;
    QTest::newRow("sem identificação") << false << false << -1 << todas;
    QTest::newRow("painel aberto") << true << true << -1 << todas;
}

void TstMovimento::limparTabelas()
{
    QFETCH(bool, identified);
    QFETCH(bool, panelOpen);
    QFETCH(int, answer);
    QFETCH(QVariantList, remaining);

    MovimentoFixture m;
    test::insertRows(kDados, "MovCaixa", {{{"NumSessao", 7}, {"NPedido", "01.1"}, {"Valor", 0.0}},
                                          {{"NumSessao", 7}, {"NPedido", "01.2"}},
                                          {{"NumSessao", 7}, {"NPedido", "01.3"}, {"Valor", 4.5}}});
    if (identified)
        m.start();
    else
        m.f.start();
    if (panelOpen)
        m.trigger("act_Sangria"); // its row has no amount yet
    if (answer >= 0)
        m.f.boxes.script(BoxAnswer(answer));
    else
        m.f.boxes.answerAllOk();
    m.trigger("OtimizarMovcaixa1");

    QCOMPARE(m.f.boxes.shown().size(), 1);
    const app::BoxRequest& box = m.f.boxes.shown().first();
    if (answer >= 0) {
        QCOMPARE(box.kind, app::BoxKind::Native);
        QCOMPARE(box.title, QStringLiteral("Atenção!"));
        QCOMPARE(box.buttons, app::BoxButtons::YesNo);
        QCOMPARE(box.text, QStringLiteral("Todos os registros que estiverem com o valor em branco serão excluídos.\r"
                                          "Confirma a exclusão desses registros?"));
    } else {
        QCOMPARE(box.text, identified ? TForm1::kMsgPaineisAbertos : TForm1::kMsgIdentificacao);
    }
    if (panelOpen) {
        remaining << "S_1";
        QCOMPARE(m.mov().state(), data::DataSetState::Edit);
    }
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), remaining);
}

void TstMovimento::amountIsStoredAsShown_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("valor"); // the amount field's text handed to the save
    QTest::addColumn<int>("beeps");
    QTest::newRow("point as the decimal comma") << QStringList{"12.50"} << 12.5 << "12,50" << 0;
    QTest::newRow("keypad decimal key") << QStringList{"30", "<kp.>", "5"} << 30.5 << "30,50" << 0;
    QTest::newRow("letters refused") << QStringList{"30,00troco"} << 30.0 << "30,00" << 5;
    QTest::newRow("third decimal refused") << QStringList{"0,001"} << 0.0 << "0,00" << 1;
    QTest::newRow("pasted thousands") << QStringList{"<paste>1.234,50"} << 1234.5 << "1234,50" << 0;
}

void TstMovimento::amountIsStoredAsShown()
{
    QFETCH(QStringList, input);
    QFETCH(double, stored);
    QFETCH(QString, valor);
    QFETCH(int, beeps);

    MovimentoFixture m;
    m.start();
    m.trigger("act_Ressuprimento");
    m.painel->salvaMovimento = [&m](const cash::PanelTexts& c) {
        m.salvos << c;
        m.mov().post();
        m.mov().close();
    };
    QCOMPARE(m.focado(), m.find("DBEdit18"));
    test::operate(m.focado(), input);
    m.enter("DBEdit18");
    m.foca("BitBtn5");
    QCOMPARE(m.find<QLineEdit>("DBEdit18")->text(), valor);
    m.find<QPushButton>("BitBtn5")->click();

    QCOMPARE(m.beeps, beeps);
    QCOMPARE(m.salvos.size(), 1);
    QCOMPARE(m.salvos.first().valor, valor);
    QCOMPARE(test::column(kDados, "MovCaixa", "Valor"), QVariantList{stored});
}

void TstMovimento::saveGetsTheFieldsAndThePanelCloses_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pedido");
    QTest::addColumn<QString>("sinalQuitacao");
    QTest::newRow("venda sem pedido") << "act_Venda" << "  .      " << QStringLiteral("Quitação");
    QTest::newRow("venda") << "act_Venda" << "01.1002  " << QStringLiteral("Quitação");
    QTest::newRow("sangria") << "act_Sangria" << "S_1" << "S_1";
    QTest::newRow("ressuprimento") << "act_Ressuprimento" << "R1" << "R1";
}

void TstMovimento::saveGetsTheFieldsAndThePanelCloses()
{
    QFETCH(QString, command);
    QFETCH(QString, pedido);
    QFETCH(QString, sinalQuitacao);

    MovimentoFixture m;
    m.start();
    m.trigger(command);
    if (pedido.startsWith("01"))
        m.digita("DBEdit19", "011002");
    m.digita("DBEdit18", "1234,5");
    m.foca("DBComboBox4");
    QTest::keyClick(m.focado(), Qt::Key_Down);
    m.foca("DBEdit20");
    if (command == "act_Venda") { // a cheque's instalment details come first
        QCOMPARE(m.focado(), m.find("DBEdit21"));
        m.enter("DBEdit21");
        m.enter("DBEdit46");
    }
    m.foca("BitBtn5");
    m.find<QPushButton>("BitBtn5")->click();

    QCOMPARE(m.salvos.size(), 1);
    const cash::PanelTexts& c = m.salvos.first();
    QCOMPARE(c.pedido, pedido);
    QCOMPARE(c.sinalQuitacao, sinalQuitacao);
    QCOMPARE(c.valor, QStringLiteral("1234,50"));
    QCOMPARE(c.formaPag, QStringLiteral("Cheque"));
    QVERIFY(m.painel->isHidden());
}

QTEST_MAIN(TstMovimento)
#include "tst_movimento.moc"
