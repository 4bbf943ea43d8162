#include "data/base/Error.h"
#include "data/local/Table.h"
#include "data/local/Transaction.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QTest>

using namespace qor;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

void acrescenta(data::Table& t, const QString& nome)
{
    t.append();
    t.setValue("Caixa", nome);
    t.post();
}

QVariantList nomes() { return test::column(kDados, "TabCaixa", "Caixa"); }

} // namespace

class TstTransaction : public QObject {
    Q_OBJECT
private slots:
    void committedUnitStays();
    void unitLeftByAnErrorIsUndoneAcrossTables();
    void innerUnitUndoneOuterKept();
};

void TstTransaction::committedUnitStays()
{
    test::TempSuite suite;
    data::Table t(kDados, "TabCaixa");
    t.open();
    {
        data::Transaction unidade(kDados);
        acrescenta(t, "ANA");
        acrescenta(t, "BETO");
        unidade.commit();
    }
    QCOMPARE(nomes(), (QVariantList{"ANA", "BETO"}));
}

void TstTransaction::unitLeftByAnErrorIsUndoneAcrossTables()
{
    test::TempSuite suite;
    test::insertRow(kDados, "TabCaixa", {{"Caixa", "ANA"}});
    test::insertRow(kDados, "SessaoCx", {{"NumSessao", 1}});
    data::Table caixas(kDados, "TabCaixa");
    data::Table sessoes(kDados, "SessaoCx");
    caixas.open();
    sessoes.open();
    try {
        data::Transaction unidade(kDados);
        caixas.remove();
        acrescenta(caixas, "BETO");
        sessoes.append();
        sessoes.setValue("NumSessao", 1); // the key refuses it
        sessoes.post();
        unidade.commit();
        QFAIL("the repeated key was accepted");
    } catch (const Error& e) {
        QCOMPARE(e.kind(), kind::KeyViolation);
    }
    sessoes.cancel();
    QCOMPARE(nomes(), QVariantList{"ANA"});
    QCOMPARE(test::countRows(kDados, "SessaoCx"), 1);
    // The tables go on working outside any unit.
    acrescenta(caixas, "CARLA");
    QCOMPARE(nomes(), (QVariantList{"ANA", "CARLA"}));
}

void TstTransaction::innerUnitUndoneOuterKept()
{
    test::TempSuite suite;
    data::Table t(kDados, "TabCaixa");
    t.open();
    {
        data::Transaction fora(kDados);
        acrescenta(t, "ANA");
        {
            data::Transaction dentro(kDados);
            acrescenta(t, "BETO");
        }
        fora.commit();
    }
    QCOMPARE(nomes(), QVariantList{"ANA"});
}

QTEST_MAIN(TstTransaction)
#include "tst_transaction.moc"
