#include "data/base/Error.h"
#include "data/local/Query.h"
#include "data/local/Table.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QTest>

using namespace qor;
using namespace qor::data;

namespace {

QString errorKind(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.kind();
    }
    return QStringLiteral("no error");
}

void seedMovements()
{
    test::insertRows("QORFDADOS", "SessaoCx",
                     {{{"NumSessao", 4}, {"Operador", "Ana"}}, {{"NumSessao", 5}, {"Operador", "Bia"}}});
    test::insertRows("QORFDADOS", "MovCaixa",
                     {{{"NumSessao", 4}, {"DataMov", QDate(2010, 3, 4)}, {"Valor", 1.0}, {"FormaPag", "Dinheiro"},
                       {"TipoMov", "Venda"}, {"NPedido", "01.1"}, {"Laboratorio", "lojaé"}, {"EntradaSaida", "Entrada"}},
                      {{"NumSessao", 5}, {"DataMov", QDate(2010, 3, 5)}, {"Valor", 2.5}, {"FormaPag", "Dinheiro"},
                       {"TipoMov", "Venda"}, {"NPedido", "01.2"}, {"Laboratorio", "LojaB"}, {"EntradaSaida", "Entrada"}},
                      {{"NumSessao", 5}, {"DataMov", QDate(2010, 3, 6)}, {"Valor", 4.0}, {"FormaPag", "Cheque"},
                       {"TipoMov", "Venda"}, {"NPedido", "01.3"}, {"Laboratorio", "LojaB"}, {"EntradaSaida", "Entrada"}},
                      {{"NumSessao", 5}, {"DataMov", QDate(2010, 3, 6)}, {"Valor", 8.0}, {"FormaPag", "Dinheiro"},
                       {"TipoMov", "Sangria"}, {"NPedido", "S_1"}, {"EntradaSaida", "Saida"}},
                      {{"NumSessao", 5}, {"SinalQuitacao", "Sinal"}}});
}

int rows(Query& q)
{
    int n = 0;
    for (q.first(); !q.eof(); q.next())
        ++n;
    return n;
}

} // namespace

class TestLocalSql : public QObject {
    Q_OBJECT
private slots:
    void maintenanceDeletesAsWritten_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("deleted");
        QTest::newRow("purge without order") << "Delete from movcaixa where npedido is null" << 1;
        QTest::newRow("shut-down purge") << "DELETE FROM MOVCAIXA WHERE NPEDIDO IS NULL AND SINALQUITACAO IS NULL" << 0;
        QTest::newRow("without amount") << "Delete from Movcaixa where valor is null" << 1;
        QTest::newRow("trailing semicolon") << "delete from MovCaixa where NumSessao = '4';" << 1;
    }
    void maintenanceDeletesAsWritten()
    {
        QFETCH(QString, sql);
        QFETCH(int, deleted);
        test::TempSuite suite;
        seedMovements();
        Query q("QORFDADOS");
        q.addSql(sql);
        q.execSql();
        QCOMPARE(q.rowsAffected(), deleted);
        QCOMPARE(test::countRows("QORFDADOS", "MovCaixa"), 5 - deleted);
    }

    void deleteOnFreshSiteCreatesTable()
    {
        test::TempSuite suite;
        Query q("QORFDADOS");
        q.setSql("Delete from movcaixa where npedido is null");
        q.execSql();
        QCOMPARE(q.rowsAffected(), 0);
    }

    void periodQueriesWithSuiteDates_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("count");
        QTest::newRow("sales by form") << QStringList{
            "Select * From MovCaixa where (DataMov Between '05.03.10' and '06.03.10') and (TipoMov = 'Venda') "
            "order by FormaPag,NumSessao,DataMov,HoraMov;"} << 2;
        QTest::newRow("one day inclusive") << QStringList{
            "SELECT * FROM movcaixa where entradasaida = 'Saida' AND ", "DataMov between '06.03.10' and '06.03.10' order by numsessao,datamov, horamov"} << 1;
        QTest::newRow("store upper a-z only") << QStringList{
            "Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where (Upper(Laboratorio)='LOJAé') and ",
            "(TipoMov='Venda') and (DataMov between '01.03.10' and '31.03.10') group by Laboratorio,Formapag;"} << 1;
        QTest::newRow("comparison literal") << QStringList{"select * from MovCaixa where DataMov >= '05.03.10'"} << 3;
    }
    void periodQueriesWithSuiteDates()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, count);
        test::TempSuite suite;
        seedMovements();
        Query q("QORFDADOS");
        for (const QString& l : lines)
            q.addSql(l);
        q.open();
        QCOMPARE(rows(q), count);
        QCOMPARE(q.recordCount(), count);
    }

    void twoDigitYearsCenturyWindow_data()
    {
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QDate>("date");
        QTest::newRow("49 is 2049") << "31.12.49" << QDate(2049, 12, 31);
        QTest::newRow("50 is 1950") << "01.01.50" << QDate(1950, 1, 1);
        QTest::newRow("four digits") << "05/03/2010" << QDate(2010, 3, 5);
    }
    void twoDigitYearsCenturyWindow()
    {
        QFETCH(QString, literal);
        QFETCH(QDate, date);
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "Periodo", {{{"DataInicial", date}}, {{"DataInicial", date.addDays(1)}}});
        Query q("QORFDADOS");
        q.setSql("select * from periodo where DataInicial = '" + literal + "'");
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.asDate("DataInicial"), date);
        QCOMPARE(q.fields().at(0).kind, FieldKind::Date);
    }

    void sumsAreFloatsAndSortedByForm()
    {
        test::TempSuite suite;
        seedMovements();
        Query q("QORFDADOS");
        q.addSql("select formapag,sum(valor) as Valor from movcaixa where numsessao = '5' group by formapag");
        q.open();
        QCOMPARE(q.fields().size(), 2);
        QCOMPARE(q.fields().at(1).kind, FieldKind::Float);
        QCOMPARE(q.fields().at(0).kind, FieldKind::Text);
        QCOMPARE(q.fields().at(0).size, 30);
        QVERIFY(q.isNull("FormaPag"));  // the row with no form sorts first
        q.next();
        QCOMPARE(q.asString("FormaPag"), QString("Cheque"));
        QCOMPARE(q.asFloat("Valor"), 4.0);
        q.next();
        QCOMPARE(q.asFloat("valor"), 10.5);
    }

    void joinExposesRepeatedColumns()
    {
        test::TempSuite suite;
        seedMovements();
        Query q("QORFDADOS");
        q.addSql("Select Distinct movcaixa.*,sessaocx.* FROM MovCaixa,SessaoCX where (SessaoCX.NumSessao = MovCaixa.NumSessao ) "
                 "and SessaoCX.Numsessao = '5' and tipomov='Venda'");
        q.open();
        QCOMPARE(q.fields().size(), 16 + 40);
        QCOMPARE(q.fields().at(16).name, QString("NumSessao_1"));
        QCOMPARE(q.fields().at(17).kind, FieldKind::Date); // DataAbertura
        QCOMPARE(q.asInteger("NumSessao_1"), 5);
        QCOMPARE(q.asString("Operador"), QString("Bia"));
        QCOMPARE(q.asDate("DataMov"), QDate(2010, 3, 5));
        QCOMPARE(rows(q), 2);
    }

    void declaredFieldsAndParameters()
    {
        test::TempSuite suite;
        seedMovements();
        Query q("QORFDADOS");
        q.setDeclaredFields({{"Valor", FieldKind::Float, 0}, {"DataMov", FieldKind::Date, 0}});
        q.setSql("select * from MovCaixa where NumSessao = :sessao and DataMov = :dia");
        q.bindValue(":sessao", 5);
        q.bindValue("dia", QDate(2010, 3, 6));
        q.open();
        QCOMPARE(q.fields().size(), 2);
        QVERIFY(!q.hasField("NPedido"));
        QCOMPARE(q.recordCount(), 2);
        QCOMPARE(q.asFloat("Valor"), 4.0);
        QCOMPARE(errorKind([&] { q.value("NPedido"); }), kind::FieldNotFound);
        QCOMPARE(errorKind([&] { q.edit(); }), kind::NotEditing);
    }

    void navigationAndBookmarks()
    {
        test::TempSuite suite;
        QList<test::Row> many;
        for (int i = 1; i <= 1500; ++i)
            many << test::Row{{"NumSessao", i}};
        test::insertRows("QORFDADOS", "SessaoCx", many);
        Query q("QORFDADOS");
        q.setSql("select NumSessao from SessaoCx order by NumSessao");
        q.open();
        QVERIFY(q.bof());
        q.last();
        QVERIFY(q.eof());
        QCOMPARE(q.asInteger("NumSessao"), 1500);
        QCOMPARE(q.recordCount(), 1500);
        q.first();
        q.next();
        const QVariant mark = q.bookmark();
        q.last();
        q.goToBookmark(mark); // far behind the kept rows: read again
        QCOMPARE(q.asInteger("NumSessao"), 2);
        q.prior();
        QCOMPARE(q.asInteger("NumSessao"), 1);
        q.prior();
        QVERIFY(q.bof());
    }

    void sqlErrors_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("kind");
        QTest::newRow("syntax") << "selec * from MovCaixa" << kind::SqlError;
        QTest::newRow("unknown table") << "select * from Nada" << kind::TableNotFound;
        QTest::newRow("unknown column") << "select Nada from MovCaixa" << kind::FieldNotFound;
        QTest::newRow("bad date literal") << "select * from MovCaixa where DataMov = '31.02.10'" << kind::SqlError;
        QTest::newRow("two statements") << "delete from MovCaixa; delete from SessaoCx" << kind::SqlError;
        QTest::newRow("missing parameter") << "select * from MovCaixa where NumSessao = :n" << kind::SqlError;
    }
    void sqlErrors()
    {
        QFETCH(QString, sql);
        QFETCH(QString, kind);
        test::TempSuite suite;
        seedMovements();
        Query q("QORFDADOS");
        q.setSql(sql);
        QCOMPARE(errorKind([&] { q.open(); }), kind);
        QVERIFY(!q.active());
        QCOMPARE(test::countRows("QORFDADOS", "MovCaixa"), 5);
        QCOMPARE(test::countRows("QORFDADOS", "SessaoCx"), 2);
    }
};

QTEST_GUILESS_MAIN(TestLocalSql)
#include "tst_local_sql.moc"
