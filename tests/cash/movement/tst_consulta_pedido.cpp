// The order lookup and the amount check against an order database made
// for each test (the demo orders of station 01).
#include "app/window/TForm1.h"
#include "cash/movement/ConsultaPedido.h"
#include "tests/cash/movement/MovimentoFixture.h"
#include "tests/support/OperatorInput.h"
#include "tests/support/Rows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qor;
using app::BoxAnswer;
using cash::PainelMovCaixa;
using test::MovimentoFixture;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

QStringList precos(const MovimentoFixture& m)
{
    QStringList out;
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit5", "Edit4", "Edit6"})
        out << m.find<QLineEdit>(name)->text();
    return out;
}

// A sale for order `numero` of station 01, paid as `tipo`: the payment kind,
// Enter, the order number, Enter (the lookup).
void vendaDoPedido(MovimentoFixture& m, const QString& tipo, const QString& numero)
{
    m.trigger("act_Venda");
    if (tipo == "Sinal")
        m.digita("DBComboBox2", tipo);
    m.enter("DBComboBox2");
    m.digita("DBEdit19", "01" + numero);
    m.enter("DBEdit19");
}

} // namespace

class TstConsultaPedido : public QObject {
    Q_OBJECT
private slots:
    void proposedAmount_data();
    void proposedAmount();
    void amountCheck_data();
    void amountCheck();
    void historyLeftMovesToThePaymentForm();
    void rejectedOrderThenANewOne_data();
    void rejectedOrderThenANewOne();
    void lookupThatFailsSaysNothing_data();
    void lookupThatFailsSaysNothing();
    void orderOfAnotherTypeClearsTheNumber();
    void withdrawalAfterALookup_data();
    void withdrawalAfterALookup();
};

void TstConsultaPedido::proposedAmount_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<double>("valor");
    QTest::addColumn<double>("valorOriginal");
    QTest::addColumn<QString>("loja");
    QTest::addColumn<QStringList>("caixas");
    QTest::newRow("sinal") << "Sinal" << "1002" << 30.0 << 70.0 << "LOJA1"
                           << QStringList{"100,00", "0,00", "0,00", "30,00", "70,00", "100,00"};
    QTest::newRow("quitação") << QStringLiteral("Quitação") << "1002" << 70.0 << 70.0 << "LOJA1"
                              << QStringList{"100,00", "0,00", "0,00", "30,00", "70,00", "100,00"};
    QTest::newRow("acima de mil") << QStringLiteral("Quitação") << "1005" << 1234.56 << 1234.56 << "LOJA2"
                                  << QStringList{"1.371,73", "10,00", "137,17", "0,00", "1.234,56", "1.234,56"};
}

void TstConsultaPedido::proposedAmount()
{
    QFETCH(QString, tipo);
    QFETCH(QString, numero);
    QFETCH(double, valor);
    QFETCH(double, valorOriginal);
    QFETCH(QString, loja);
    QFETCH(QStringList, caixas);

    MovimentoFixture m;
    m.comOrdens();
    m.start();
    vendaDoPedido(m, tipo, numero);

    QVERIFY(m.f.boxes.shown().isEmpty());
    QCOMPARE(m.focado(), m.find("DBEdit18"));
    QWidget* painelPrecos = m.find("PainelPrecos");
    QVERIFY(painelPrecos->isVisible());
    QCOMPARE(painelPrecos->geometry(), QRect(12, 296, 562, 51));
    QCOMPARE(precos(m), caixas);
    QCOMPARE(m.find<QComboBox>("DBLab")->currentText(), loja);
    QVERIFY(!m.dm.PEDIDOS.active());

    // Stored at the end of the lookup, and still being edited.
    QCOMPARE(m.mov().state(), data::DataSetState::Edit);
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"01." + numero});
    QCOMPARE(test::column(kDados, "MovCaixa", "Valor"), QVariantList{valor});
    QCOMPARE(test::column(kDados, "MovCaixa", "ValorOriginal"), QVariantList{valorOriginal});
    QCOMPARE(test::column(kDados, "MovCaixa", "Laboratorio"), QVariantList{loja});
    QCOMPARE(test::column(kDados, "MovCaixa", "SinalQuitacao"), QVariantList{tipo});

    const app::AppState& state = m.f.state;
    QVERIFY(state.PedidoConsultado);
    QCOMPARE(state.ValorRestanteConsultado, valorOriginal);
    QCOMPARE(state.PrecoFinalRetido, numero == "1005" ? 1234.56 : 100.0);
}

void TstConsultaPedido::amountCheck_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("historico");
    QTest::addColumn<QString>("digitado"); // "" keeps the proposed amount; "<paste>…" pastes
    QTest::addColumn<double>("retido");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    const QString diferente = PainelMovCaixa::kMsgValorDiferente;
    const QString quitacao = QStringLiteral("Quitação");
    QTest::newRow("quitação exata") << quitacao << "1002" << "" << "70,00" << 70.0 << "" << "DBComboBox4";
    QTest::newRow("um centavo a menos") << quitacao << "1002" << "" << "69,99" << 69.99 << diferente << "DBEdit20";
    QTest::newRow("com histórico") << quitacao << "1002" << "desconto" << "69,99" << 69.99 << "" << "DBComboBox4";
    // The deposit proposed differs from the remaining value: the history, without a word.
    QTest::newRow("sinal proposto") << "Sinal" << "1002" << "" << "" << 30.0 << "" << "DBEdit20";
    QTest::newRow("acima de mil igual") << quitacao << "1005" << "" << "<paste>1.234,56" << 1234.56 << "" << "DBComboBox4";
    QTest::newRow("acima de mil sem ponto") << quitacao << "1005" << "" << "1234,56" << 1234.56 << "" << "DBComboBox4";
    QTest::newRow("acima de mil diferente") << quitacao << "1006" << "" << "<paste>2.499,99" << 2499.99 << diferente
                                            << "DBEdit20";
    // A sign alone reads as no amount: the check is skipped.
    QTest::newRow("não é número") << quitacao << "1002" << "" << "-" << 0.0 << "" << "DBComboBox4";
}

void TstConsultaPedido::amountCheck()
{
    QFETCH(QString, tipo);
    QFETCH(QString, numero);
    QFETCH(QString, historico);
    QFETCH(QString, digitado);
    QFETCH(double, retido);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);

    MovimentoFixture m;
    m.comOrdens();
    m.start();
    vendaDoPedido(m, tipo, numero);
    QCOMPARE(m.focado(), m.find("DBEdit18"));
    if (!historico.isEmpty()) {
        m.digita("DBEdit20", historico);
        m.foca("DBEdit18");
    }
    if (!digitado.isEmpty()) {
        m.digita("DBEdit18", QString());
        test::operate(m.find("DBEdit18"), {digitado});
    }
    if (!mensagem.isEmpty())
        m.f.boxes.script(BoxAnswer::Ok);
    m.enter("DBEdit18");

    QCOMPARE(m.f.boxes.texts(), mensagem.isEmpty() ? QStringList{} : QStringList{mensagem});
    QCOMPARE(m.focado()->objectName(), foco);
    QCOMPARE(m.f.state.ValorDigitadoRetido, retido);
    const bool pediu = foco == "DBEdit20";
    QCOMPARE(m.f.state.HistoricoPedido, pediu);
    QCOMPARE(m.find("PainelPrecos")->isVisible(), !pediu);
}

void TstConsultaPedido::historyLeftMovesToThePaymentForm()
{
    MovimentoFixture m;
    m.comOrdens();
    m.start();
    vendaDoPedido(m, QStringLiteral("Quitação"), "1002");
    m.digita("DBEdit18", "69,99");
    m.f.boxes.script(BoxAnswer::Ok);
    m.enter("DBEdit18");
    QCOMPARE(m.focado(), m.find("DBEdit20"));

    QTest::keyClicks(m.focado(), "pagou menos");
    m.enter("DBEdit20");
    QCOMPARE(m.focado(), m.find("DBComboBox4"));
    QVERIFY(!m.f.state.HistoricoPedido);

    // Asked once: leaving the history field again just moves on.
    m.foca("DBEdit20");
    m.enter("DBEdit20");
    QCOMPARE(m.focado(), m.find("DBLab"));
    QCOMPARE(m.f.boxes.shown().size(), 1);
}

void TstConsultaPedido::rejectedOrderThenANewOne_data()
{
    QTest::addColumn<QString>("numero");
    QTest::newRow("orçamento") << "1003";
    QTest::newRow("cancelado") << "1004";
    QTest::newRow("inexistente") << "9999";
    QTest::newRow("outra estação") << "1002"; // station 02 has no order 1002
}

void TstConsultaPedido::rejectedOrderThenANewOne()
{
    QFETCH(QString, numero);
    MovimentoFixture m;
    m.comOrdens();
    m.start();
    m.trigger("act_Venda");
    m.enter("DBComboBox2");
    m.digita("DBEdit19", (QTest::currentDataTag() == QByteArray("outra estação") ? "02" : "01") + numero);
    m.f.boxes.script(BoxAnswer::Ok);
    m.enter("DBEdit19");

    QCOMPARE(m.f.boxes.texts(), QStringList{"Pedido não encontrado"});
    QCOMPARE(m.focado(), m.find("DBEdit18"));
    QVERIFY(m.find("PainelPrecos")->isHidden());
    QVERIFY(m.mov().isNull("Valor"));
    QVERIFY(m.mov().asString("NPedido").endsWith(numero));
    QVERIFY(!m.f.state.PedidoConsultado);
    QVERIFY(!m.dm.PEDIDOS.active());

    m.digita("DBEdit19", "011001");
    m.enter("DBEdit19");
    QCOMPARE(m.f.boxes.shown().size(), 1);
    QCOMPARE(precos(m), (QStringList{"150,00", "10,00", "15,00", "0,00", "135,00", "135,00"}));
    QCOMPARE(m.mov().asFloat("Valor"), 135.0);
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"01.1001"});
}

void TstConsultaPedido::lookupThatFailsSaysNothing_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<bool>("conectado");
    QTest::newRow("só a máscara") << "" << true;
    QTest::newRow("sem número") << "01" << true;
    QTest::newRow("servidor fora") << "011002" << false;
}

void TstConsultaPedido::lookupThatFailsSaysNothing()
{
    QFETCH(QString, digitado);
    QFETCH(bool, conectado);
    MovimentoFixture m;
    m.comOrdens();
    m.start();
    if (!conectado)
        m.dm.SQLConnection1.close();
    m.trigger("act_Venda");
    m.enter("DBComboBox2");
    m.digita("DBEdit19", digitado);
    m.enter("DBEdit19");

    QVERIFY(m.f.boxes.shown().isEmpty());
    QCOMPARE(m.focado(), m.find("DBEdit18"));
    QVERIFY(m.find("PainelPrecos")->isHidden());
    QVERIFY(m.mov().isNull("Valor"));
    QVERIFY(!m.f.state.PedidoConsultado);
    QVERIFY(!m.dm.PEDIDOS.active());
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{QVariant()});
}

void TstConsultaPedido::orderOfAnotherTypeClearsTheNumber()
{
    MovimentoFixture m;
    m.comOrdens();
    // A server comparing the type without regard to case finds "PEDIDO" too.
    for (const char* sql :
         {"ALTER TABLE PEDIDOS ALTER COLUMN TIPOPEDIDO TO TIPO_ANTIGO",
          "ALTER TABLE PEDIDOS ADD TIPOPEDIDO VARCHAR(7) CHARACTER SET WIN1252 COLLATE WIN_PTBR",
          "UPDATE PEDIDOS SET TIPOPEDIDO = TIPO_ANTIGO",
          "UPDATE PEDIDOS SET TIPOPEDIDO = 'PEDIDO' WHERE ESTACAO = '01' AND NPEDIDO = 1001"}) {
        m.dm.SQLDS_Pedidos.setCommandText(sql);
        m.dm.SQLDS_Pedidos.execute();
    }
    m.start();
    m.trigger("act_Venda");
    m.enter("DBComboBox2");
    m.digita("DBEdit19", "011001");
    m.f.boxes.script(BoxAnswer::Ok);
    m.enter("DBEdit19");

    QCOMPARE(m.f.boxes.texts(),
             QStringList{QStringLiteral("O Pedido está como \"PEDIDO\" e não será possível fazer a quitação do mesmo.")});
    QCOMPARE(m.focado(), m.find("DBComboBox2"));
    QVERIFY(m.mov().isNull("NPedido"));
    QCOMPARE(m.find<QLineEdit>("DBEdit19")->text(), QStringLiteral("."));
    QVERIFY(m.find("PainelPrecos")->isHidden());
    QVERIFY(m.mov().isNull("Valor"));
    QVERIFY(!m.dm.PEDIDOS.active());
}

void TstConsultaPedido::withdrawalAfterALookup_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("sangria diferente") << "act_Sangria" << "50,00" << PainelMovCaixa::kMsgPreencherHistorico;
    QTest::newRow("sangria igual") << "act_Sangria" << "70,00" << "";
    QTest::newRow("ressuprimento diferente") << "act_Ressuprimento" << "10,00" << PainelMovCaixa::kMsgPreencherHistorico;
}

void TstConsultaPedido::withdrawalAfterALookup()
{
    QFETCH(QString, command);
    QFETCH(QString, digitado);
    QFETCH(QString, mensagem);
    MovimentoFixture m;
    m.comOrdens();
    m.start();
    vendaDoPedido(m, QStringLiteral("Quitação"), "1002");
    m.foca("BitBtn4");
    m.find<QPushButton>("BitBtn4")->click();

    // What the lookup held outlives its movement.
    m.trigger(command);
    QCOMPARE(m.find<QLineEdit>("Edit4")->text(), QStringLiteral("70,00"));
    m.digita("DBEdit18", digitado);
    if (!mensagem.isEmpty())
        m.f.boxes.script(BoxAnswer::Ok);
    m.enter("DBEdit18");
    QCOMPARE(m.f.boxes.texts(), mensagem.isEmpty() ? QStringList{} : QStringList{mensagem});
    QCOMPARE(m.focado(), m.find(mensagem.isEmpty() ? "DBComboBox4" : "DBEdit20"));
    QCOMPARE(m.f.state.PrecoFinalRetido, 100.0);
}

QTEST_MAIN(TstConsultaPedido)
#include "tst_consulta_pedido.moc"
