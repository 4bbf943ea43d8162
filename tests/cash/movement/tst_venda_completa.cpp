// The panel wired to the save as the composition root wires it: a payment
// typed on the panel ends on the order, in the settlement table and in the
// activity log.
#include "app/log/ActivityLog.h"
#include "cash/save/SalvaMovimento.h"
#include "data/base/Text.h"
#include "tests/cash/movement/MovimentoFixture.h"
#include "tests/support/Rows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qor;
using app::BoxAnswer;
using test::MovimentoFixture;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

struct VendaCompleta : MovimentoFixture {
    app::ActivityLog activityLog{f.state, f.clock};

    VendaCompleta()
    {
        comOrdens();
        painel->GravaLog = [this](const QString& line) { activityLog.GravaLog(line); };
        painel->salvaMovimento = [this](const cash::PanelTexts& texts) {
            data::CashTables& t = f.tables;
            cash::SalvaMovimento salva(f.state, {t.MovCaixa, t.SessaoCx, t.Quitacao, t.TabelaDB}, dm, activityLog,
                                       f.boxes);
            salva.BitBtn5Click(texts);
        };
        start();
        activityLog.RegistraEntrada("MARIA");
    }

    QVariantList pedido(int numero)
    {
        dm.PEDIDOS.close();
        dm.SQLDS_Pedidos.setCommandText(
            "select SINAL, VALORRESTANTE, DATAPAGAMENTO, FORMAPAGAMENTO from PEDIDOS where ESTACAO = '01' and NPEDIDO = ?");
        dm.SQLDS_Pedidos.addBindValue(numero);
        dm.PEDIDOS.open();
        const QVariantList out{dm.PEDIDOS.asFloat("SINAL"), dm.PEDIDOS.asFloat("VALORRESTANTE"),
                               dm.PEDIDOS.value("DATAPAGAMENTO"), dm.PEDIDOS.asString("FORMAPAGAMENTO")};
        dm.PEDIDOS.close();
        return out;
    }

    void salva()
    {
        foca("BitBtn5");
        find<QPushButton>("BitBtn5")->click();
    }
};

} // namespace

class TstVendaCompleta : public QObject {
    Q_OBJECT
private slots:
    void paymentReachesTheOrder_data();
    void paymentReachesTheOrder();
    void withdrawalIsStoredWithoutSettlement();
};

void TstVendaCompleta::paymentReachesTheOrder_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<double>("desconto");
    QTest::addColumn<QVariantList>("pedido"); // SINAL, VALORRESTANTE, DATAPAGAMENTO, FORMAPAGAMENTO
    const QVariant hoje = QDate(2026, 12, 10);
    // Order 1002: final price 100,00, deposit 30,00, 70,00 still due.
    QTest::newRow("sinal") << "Sinal" << "" << 70.0 << QVariantList{30.0, 70.0, QVariant(), "Dinheiro"};
    QTest::newRow("sinal que quita") << "Sinal" << "100,00" << 0.0 << QVariantList{100.0, 0.0, hoje, "Dinheiro"};
    // The point typed is the decimal comma: the movement and the order get 42,50.
    QTest::newRow("sinal digitado com ponto") << "Sinal" << "42.50" << 57.5 << QVariantList{42.5, 57.5, QVariant(), "Dinheiro"};
    QTest::newRow("quitação") << QStringLiteral("Quitação") << "" << 30.0 << QVariantList{30.0, 70.0, hoje, "Dinheiro"};
    QTest::newRow("quitação com desconto") << QStringLiteral("Quitação") << "90,00" << 10.0
                                           << QVariantList{30.0, 70.0, hoje, "Dinheiro"};
}

void TstVendaCompleta::paymentReachesTheOrder()
{
    QFETCH(QString, tipo);
    QFETCH(QString, valor);
    QFETCH(double, desconto);
    QFETCH(QVariantList, pedido);

    VendaCompleta v;
    v.trigger("act_Venda");
    if (tipo == "Sinal")
        v.digita("DBComboBox2", tipo);
    v.enter("DBComboBox2");
    v.digita("DBEdit19", "011002");
    v.enter("DBEdit19");
    if (!valor.isEmpty())
        v.digita("DBEdit18", valor);
    v.f.boxes.answerAllOk();
    v.enter("DBEdit18");
    if (v.focado() == v.find("DBEdit20"))
        QTest::keyClicks(v.focado(), "cliente");
    v.salva();

    QVERIFY(v.painel->isHidden());
    QVERIFY(!v.mov().active());
    const bool quitacao = tipo != "Sinal";
    const QStringList avisos = v.f.boxes.texts();
    QCOMPARE(avisos, (valor == "90,00" || valor == "100,00") && quitacao
                         ? QStringList{cash::PainelMovCaixa::kMsgValorDiferente}
                         : QStringList{});
    QCOMPARE(v.pedido(1002), pedido);
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"01.1002"});
    QCOMPARE(test::column(kDados, "MovCaixa", "Desconto"), QVariantList{desconto});
    if (!quitacao) // the deposit on the order is the movement's amount, to the cent
        QCOMPARE(test::column(kDados, "MovCaixa", "Valor"), QVariantList{pedido.first()});
    QCOMPARE(test::column(kDados, "Quitacao", "SinalQuitacao"), QVariantList{quitacao ? "Q" : "S"});
    QCOMPARE(test::column(kDados, "Quitacao", "NPedido"), QVariantList{"1002"});
    QCOMPARE(test::column(kDados, "Quitacao", "Desconto"), QVariantList{desconto});

    const QStringList linhas = text::readLines(v.f.state.ArquivoLog);
    QVERIFY(linhas.contains(QString(77, '-')));
    QVERIFY(linhas.contains("- Entrou na tela de Quitacao (Venda)."));
    const QString valorMostrado = valor.isEmpty() ? (quitacao ? "70,00" : "30,00") : QString(valor).replace('.', ',');
    QVERIFY2(linhas.contains("  Pedido 01.1002    " + tipo + "    Valor: R$ " + valorMostrado + " (Dinheiro)"),
             qPrintable(linhas.join('\n')));
}

void TstVendaCompleta::withdrawalIsStoredWithoutSettlement()
{
    VendaCompleta v;
    v.trigger("act_Sangria");
    v.digita("DBEdit18", "50,00");
    v.digita("DBEdit20", "troco do banco");
    v.salva();

    QVERIFY(v.painel->isHidden());
    QVERIFY(v.f.boxes.shown().isEmpty());
    QCOMPARE(test::column(kDados, "MovCaixa", "NPedido"), QVariantList{"S_1"});
    QCOMPARE(test::column(kDados, "MovCaixa", "Valor"), QVariantList{50.0});
    QCOMPARE(test::column(kDados, "MovCaixa", "Historico"), QVariantList{"troco do banco"});
    QVERIFY(test::column(kDados, "MovCaixa", "Desconto").value(0).isNull());
    QCOMPARE(test::countRows(kDados, "Quitacao"), 0);
    QVERIFY(text::readLines(v.f.state.ArquivoLog).contains("  Pedido S_1  S_1    Valor: R$ 50,00 (Dinheiro)"));
}

QTEST_MAIN(TstVendaCompleta)
#include "tst_venda_completa.moc"
