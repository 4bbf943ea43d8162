#include "cash/save/PagamentoPendente.h"
#include "cash/save/ui/PainelPendentes.h"
#include "data/orderdb/SqlCommand.h"
#include "data/orderdb/TDM.h"
#include "tests/app/fixture/FormFixture.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/Rows.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace qor;

namespace {

// A deposit of 30,00 on order 01.001001 (final price 135, nothing paid)
// recorded in the till while the server was away.
cash::PagamentoPendente deposito()
{
    cash::PagamentoPendente p;
    p.estacao = "01";
    p.npedido = "001001";
    p.sinal = true;
    p.valor = 30.0;
    p.dataMov = QDate(2026, 12, 9);
    p.horaMov = QTime(16, 45);
    p.formaPag = "Dinheiro";
    p.antes.existe = true;
    p.antes.valorRestante = 135.0;
    p.ultimaFalha = "Servidor fora do ar";
    return p;
}

QStringList linha(QTableWidget* grade, int row)
{
    QStringList out;
    for (int c = 0; c < grade->columnCount(); ++c)
        out << grade->item(row, c)->text();
    return out;
}

} // namespace

class TestPainelPendentes : public QObject {
    Q_OBJECT
private slots:
    void listsTheDueWriteBacksAndRetriesThem()
    {
        test::FormFixture f;
        test::TempOrderDb db;
        orderdb::TDM dm;
        db.connect(dm.SQLConnection1);
        cash::pendentes::registra(deposito());
        QStringList log;
        cash::instalaPendentes(f.form(), dm).GravaLog = [&](const QString& l) { log << l; };
        f.start();
        f.identify();

        f.trigger("PagamentosPendentes1");
        auto* painel = f.find<cash::PainelPendentes>("PainelPendentes");
        QVERIFY(painel->isVisible());
        auto* grade = f.find<QTableWidget>("GradePendentes");
        QCOMPARE(grade->rowCount(), 1);
        QCOMPARE(linha(grade, 0),
                 (QStringList{"01.001001", "Sinal", "30,00", "09/12/26 16:45", "Servidor fora do ar"}));

        f.find<QPushButton>("BtnTentarPendentes")->click();
        QCOMPARE(grade->rowCount(), 0);
        QVERIFY(!f.find<QPushButton>("BtnTentarPendentes")->isEnabled());
        QCOMPARE(log.last(), QString("- O Sinal foi registrado no cadastro do pedido no BD."));
        orderdb::SqlCommand sinal(dm.SQLConnection1);
        sinal.setCommandText("select cast(SINAL as varchar(20)) from PEDIDOS where ESTACAO = '01' and NPEDIDO = 1001");
        QCOMPARE(sinal.fetchAll().rows.first().first().toString(), QString("30.00"));
        QVERIFY(f.boxes.shown().isEmpty());

        f.find<QPushButton>("BtnVoltarPendentes")->click();
        QVERIFY(painel->isHidden());
    }
};

QTEST_MAIN(TestPainelPendentes)
#include "tst_painel_pendentes.moc"
