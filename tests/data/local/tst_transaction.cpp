#include "data/base/Error.h"
#include "data/local/Table.h"
#include "data/local/Transaction.h"
#include "data/local/Database.h"
#include "tests/support/RawDatabase.h"
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
    void unitTakesTheWriteLockAtItsStart();
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

// Another program writing: the unit waits for it on the busy timeout and
// fails before changing anything; once it runs, the lock is the unit's.
void TstTransaction::unitTakesTheWriteLockAtItsStart()
{
    test::TempSuite suite;
    data::Table t(kDados, "TabCaixa");
    t.open();
    test::RawDatabase other(kDados);
    const int timeout = data::Database::busyTimeout();
    data::Database::setBusyTimeout(100);
    QVERIFY(other.exec("BEGIN IMMEDIATE"));
    QVERIFY(other.exec("INSERT INTO TabCaixa (Caixa) VALUES ('OUTRO')"));
    try {
        data::Transaction unidade(kDados);
        QFAIL("the unit began while another program was writing");
    } catch (const Error& e) {
        QCOMPARE(e.kind(), kind::DatabaseLocked);
    }
    QVERIFY(other.exec("COMMIT"));
    {
        data::Transaction unidade(kDados);
        QVERIFY(!other.exec("BEGIN IMMEDIATE")); // held by the unit, before its first write
        acrescenta(t, "ANA");
        unidade.commit();
    }
    data::Database::setBusyTimeout(timeout);
    QCOMPARE(nomes(), (QVariantList{"OUTRO", "ANA"}));
}

QTEST_MAIN(TstTransaction)
#include "tst_transaction.moc"
