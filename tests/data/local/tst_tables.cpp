#include "data/base/Error.h"
#include "data/local/CashTables.h"
#include "data/local/Database.h"
#include "data/local/Table.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
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

QVariantList walk(Table& t, const QString& field)
{
    QVariantList out;
    for (t.first(); !t.eof(); t.next())
        out << t.value(field);
    return out;
}

} // namespace

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void freshTableIsCreatedEmptyAndNavigates()
    {
        test::TempSuite suite;
        Table t("QORFDADOS", "SessaoCx.db");
        QCOMPARE(t.state(), DataSetState::Inactive);
        t.open();
        QCOMPARE(t.state(), DataSetState::Browse);
        QVERIFY(t.eof());
        QVERIFY(t.bof());
        QCOMPARE(t.recordCount(), 0);
        QCOMPARE(t.fields().size(), 40);
        QCOMPARE(t.fields().at(0).name, QString("NumSessao"));
        QCOMPARE(t.fields().at(39).name, QString("TotalGeral"));
        QVERIFY(QFile::exists(suite.path("dados/qorcaixa.sqlite")));
    }

    void appendPostReadBack()
    {
        test::TempSuite suite;
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        t.append();
        QCOMPARE(t.state(), DataSetState::Insert);
        t.setValue("NumSessao", 3);
        t.setValue("DataMov", QDate(2026, 12, 9));
        t.setValue("HoraMov", QTime(1, 12, 30, 250));
        t.setValue("Valor", 12.5);
        t.setValue("FormaPag", "Dinheiro");
        t.post();
        QCOMPARE(t.state(), DataSetState::Browse);
        QCOMPARE(t.asInteger("numsessao"), 3);
        QCOMPARE(t.asDate("DataMov"), QDate(2026, 12, 9));
        QCOMPARE(t.asTime("HoraMov"), QTime(1, 12, 30, 250));
        QCOMPARE(t.asFloat("Valor"), 12.5);
        QCOMPARE(t.asString("FormaPag"), QString("Dinheiro"));
        t.close();
        test::RawDatabase raw("QORFDADOS");
        QCOMPARE(raw.scalar("select DataMov from MovCaixa").toString(), QString("2026-12-09"));
        QCOMPARE(raw.scalar("select HoraMov from MovCaixa").toString(), QString("01:12:30.250"));
    }

    void textAndNullRules_data()
    {
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("trailing blanks stripped") << QVariant("Sinal   ") << QVariant("Sinal");
        QTest::newRow("leading blanks kept") << QVariant("  Sinal") << QVariant("  Sinal");
        QTest::newRow("empty is null") << QVariant("") << QVariant();
        QTest::newRow("blanks are null") << QVariant("   ") << QVariant();
        QTest::newRow("cut to size 8") << QVariant("Quitação extra") << QVariant("Quitação");
        QTest::newRow("cut then stripped") << QVariant("Sinal   xyz") << QVariant("Sinal");
    }
    void textAndNullRules()
    {
        QFETCH(QVariant, input);
        QFETCH(QVariant, stored);
        test::TempSuite suite;
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        t.append();
        t.setValue("SinalQuitacao", input);
        t.post();
        t.close();
        test::RawDatabase raw("QORFDADOS");
        QCOMPARE(raw.scalar("select SinalQuitacao from MovCaixa"), stored);
        t.open();
        QCOMPARE(t.isNull("SinalQuitacao"), stored.isNull());
        QCOMPARE(t.asString("SinalQuitacao"), stored.toString());
    }

    void nullNumbersReadZero()
    {
        test::TempSuite suite;
        test::insertRow("QORFDADOS", "MovCaixa", {{"FormaPag", "Dinheiro"}});
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        QVERIFY(t.isNull("Valor"));
        QCOMPARE(t.asFloat("Valor"), 0.0);
        QCOMPARE(t.asInteger("NumSessao"), 0);
        QCOMPARE(t.asString("Historico"), QString());
        QVERIFY(!t.asDate("DataMov").isValid());
    }

    void naturalOrder_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariantList>("entered");
        QTest::addColumn<QVariantList>("expected");
        QTest::newRow("SessaoCx by NumSessao") << "SessaoCx" << "NumSessao" << QVariantList{3, 1, 2}
                                               << QVariantList{1, 2, 3};
        QTest::newRow("unkeyed in entry order") << "TabCaixa" << "Caixa" << QVariantList{"Zé", "Ana", "Bia"}
                                                << QVariantList{"Zé", "Ana", "Bia"};
    }
    void naturalOrder()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QVariantList, entered);
        QFETCH(QVariantList, expected);
        test::TempSuite suite;
        QList<test::Row> rows;
        for (const QVariant& v : entered)
            rows << test::Row{{field, v}};
        test::insertRows("QORFDADOS", table, rows);
        Table t("QORFDADOS", table);
        t.open();
        QCOMPARE(walk(t, field), expected);
        t.last();
        QCOMPARE(t.value(field), expected.last());
    }

    void movCaixaOrdersBySessionThenEntry()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "MovCaixa",
                         {{{"NumSessao", 2}, {"Historico", "a"}, {"NPedido", "1"}},
                          {{"NumSessao", 1}, {"Historico", "b"}, {"NPedido", "2"}},
                          {{"NumSessao", 2}, {"Historico", "c"}, {"NPedido", "3"}},
                          {{"Historico", "sem sessão"}, {"NPedido", "4"}},
                          {{"NumSessao", 1}, {"Historico", "d"}, {"NPedido", "5"}}});
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        QCOMPARE(walk(t, "Historico"), (QVariantList{"sem sessão", "b", "d", "a", "c"}));
        QStringList backwards;
        for (t.last(); !t.bof(); t.prior())
            backwards << t.asString("Historico");
        QCOMPARE(backwards, (QStringList{"c", "a", "d", "b", "sem sessão"}));
    }

    void tableNamesIgnoreCaseAndExtension()
    {
        test::TempSuite suite;
        test::insertRow("QORFDADOS", "SESSAOCX.DB", {{"NumSessao", 7}});
        Table t("QORFDADOS", "sessaocx");
        t.open();
        QCOMPARE(t.tableName(), QString("SessaoCx"));
        QCOMPARE(t.asInteger("NumSessao"), 7);
    }

    void suitePathAsTableName()
    {
        test::TempSuite suite;
        test::insertRow("QORFDADOS", "Quitacao", {{"Estacao", "01"}, {"NPedido", "000123"}, {"SinalQuitacao", "Q"}});
        Table t("QORFDADOS", QString());
        t.setTableName("c:\\quelvora\\Dados\\Quitacao.db");
        QCOMPARE(t.tableName(), QString("Quitacao"));
        t.open();
        QCOMPARE(t.asString("NPedido"), QString("000123"));
        QCOMPARE(t.fields().size(), 10);
    }

    void filterBySessionWalksOnlyThatSession()
    {
        test::TempSuite suite;
        QList<test::Row> rows;
        for (int s = 1; s <= 3; ++s)
            for (int i = 0; i < 3; ++i)
                rows << test::Row{{"NumSessao", s}, {"Valor", s * 10 + i}, {"NPedido", QString::number(s * 10 + i)}};
        test::insertRows("QORFDADOS", "MovCaixa", rows);
        Table t("QORFDADOS", "MovCaixa");
        t.setFilter("NumSessao = 2");
        t.setFiltered(true);
        t.open();
        QCOMPARE(t.recordCount(), 3);
        QCOMPARE(walk(t, "Valor"), (QVariantList{20.0, 21.0, 22.0}));
        t.setFiltered(false);
        QCOMPARE(t.recordCount(), 9);
    }

    void filterExpressions_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("number") << "NumSessao = 1" << QStringList{"a", "b"};
        QTest::newRow("quoted number") << "NumSessao = '2'" << QStringList{"c"};
        QTest::newRow("quoted text") << "TipoMov = 'Sangria'" << QStringList{"b", "c"};
        QTest::newRow("and") << "(NumSessao = 1) and (TipoMov = 'Sangria')" << QStringList{"b"};
        QTest::newRow("or, brackets") << "[NumSessao] = 2 or TipoMov='Venda'" << QStringList{"a", "c"};
        QTest::newRow("not, parentheses") << "not (NumSessao = 1 or NumSessao = 3)" << QStringList{"c"};
        QTest::newRow("empty text is null") << "TipoMov = ''" << QStringList{"d"};
        QTest::newRow("greater, float") << "Valor >= 2.5" << QStringList{"c", "d"};
        QTest::newRow("date dd/mm/yyyy") << "DataMov < '02/01/2027'" << QStringList{"a", "b"};
        QTest::newRow("quote in text") << "Historico = 'D''Ávila'" << QStringList{"d"};
    }
    void filterExpressions()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "MovCaixa",
                         {{{"NumSessao", 1}, {"TipoMov", "Venda"}, {"Valor", 1.0}, {"NPedido", "a"}, {"DataMov", QDate(2026, 12, 31)}},
                          {{"NumSessao", 1}, {"TipoMov", "Sangria"}, {"Valor", 2.0}, {"NPedido", "b"}, {"DataMov", QDate(2027, 1, 1)}},
                          {{"NumSessao", 2}, {"TipoMov", "Sangria"}, {"Valor", 2.5}, {"NPedido", "c"}, {"DataMov", QDate(2027, 1, 2)}},
                          {{"NumSessao", 3}, {"Valor", 3.0}, {"NPedido", "d"}, {"Historico", "D'Ávila"}}});
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        t.setFilter(filter);
        t.setFiltered(true);
        QStringList got;
        for (t.first(); !t.eof(); t.next())
            got << t.asString("NPedido");
        QCOMPARE(got, expected);
        QCOMPARE(t.recordCount(), expected.size());
    }

    void badFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("kind");
        QTest::newRow("dangling and") << "NumSessao = 1 and" << kind::BadFilter;
        QTest::newRow("no operator") << "NumSessao 1" << kind::BadFilter;
        QTest::newRow("open quote") << "TipoMov = 'Venda" << kind::BadFilter;
        QTest::newRow("unclosed parenthesis") << "(NumSessao = 1" << kind::BadFilter;
        QTest::newRow("text into integer") << "NumSessao = 'x'" << kind::BadFilter;
        QTest::newRow("injection stays text") << "TipoMov = 1; drop table MovCaixa" << kind::BadFilter;
        QTest::newRow("unknown field") << "Nada = 1" << kind::FieldNotFound;
    }
    void badFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, kind);
        test::TempSuite suite;
        test::insertRow("QORFDADOS", "MovCaixa", {{"NumSessao", 1}});
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        t.setFiltered(true);
        QCOMPARE(errorKind([&] { t.setFilter(filter); }), kind);
        QCOMPARE(t.filter(), QString());
        QCOMPARE(t.recordCount(), 1);
    }

    void pedSiQuiRefusesSecondEmptyOrder()
    {
        test::TempSuite suite;
        Table t("QORFDADOS", "MovCaixa");
        t.open();
        t.append();
        t.setValue("SinalQuitacao", "Quitação");
        t.post();
        t.append();
        t.setValue("SinalQuitacao", "Sinal");
        t.post(); // another kind: allowed
        t.append();
        t.setValue("SinalQuitacao", "Quitação");
        t.setValue("Valor", 9.0);
        try {
            t.post();
            QFAIL("a second empty order of the same kind was stored");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::KeyViolation);
            QCOMPARE(e.text(), QString("Violação de chave na tabela MovCaixa (índice PedSiQui)"));
        }
        QCOMPARE(t.state(), DataSetState::Insert);
        QCOMPARE(t.asFloat("Valor"), 9.0);
        t.setValue("NPedido", "01.000007");
        t.post();
        QCOMPARE(t.recordCount(), 3);
    }

    void keyViolationOnEditKeepsEditing()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "Quitacao",
                         {{{"Estacao", "01"}, {"NPedido", "1"}, {"SinalQuitacao", "S"}},
                          {{"Estacao", "01"}, {"NPedido", "1"}, {"SinalQuitacao", "Q"}}});
        QCOMPARE(errorKind([] { test::insertRow("QORFDADOS", "Quitacao", {{"Estacao", "01"}, {"NPedido", "1"}, {"SinalQuitacao", "Q"}}); }),
                 kind::KeyViolation);
        Table t("QORFDADOS", "Quitacao");
        t.open();
        QCOMPARE(t.asString("SinalQuitacao"), QString("Q")); // key order: Q before S
        t.edit();
        t.setValue("SinalQuitacao", "S");
        QCOMPARE(errorKind([&] { t.post(); }), kind::KeyViolation);
        QCOMPARE(t.state(), DataSetState::Edit);
        QCOMPARE(t.asString("SinalQuitacao"), QString("S"));
        t.cancel();
        QCOMPARE(t.asString("SinalQuitacao"), QString("Q"));
    }

    void pedSiQuiUnusableWhenRowsBreakIt()
    {
        test::TempSuite suite;
        test::insertRow("QORFDADOS", "MovCaixa", {{"SinalQuitacao", "Sinal"}});
        {
            // Another program lost the index and stored a duplicate meanwhile.
            test::RawDatabase raw("QORFDADOS");
            QVERIFY(raw.exec("DROP INDEX MovCaixa_PedSiQui"));
            QVERIFY(raw.exec("INSERT INTO MovCaixa (SinalQuitacao) VALUES ('Sinal')"));
        }
        Table t("QORFDADOS", "MovCaixa");
        t.setIndexName("PedSiQui");
        QCOMPARE(errorKind([&] { t.open(); }), kind::IndexUnusable);
        QVERIFY(!t.active());
        t.setIndexName("");
        t.open();
        QCOMPARE(t.recordCount(), 2);
        t.remove();
        t.close();
        // Duplicates gone: the index is rebuilt and usable again.
        t.setIndexName("PedSiQui");
        t.open();
        QCOMPARE(t.recordCount(), 1);
    }

    void removeRunsHookPositionedAndHookCanAbort()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "SessaoCx", {{{"NumSessao", 1}}, {{"NumSessao", 2}}, {{"NumSessao", 3}}});
        Table t("QORFDADOS", "SessaoCx");
        QList<int> seen;
        t.setBeforeDelete([&](Table& self) {
            seen << self.asInteger("NumSessao");
            if (self.asInteger("NumSessao") == 3)
                throw Error(kind::DatabaseLocked, "recusado");
        });
        t.open();
        t.next();
        t.remove();
        QCOMPARE(t.asInteger("NumSessao"), 3); // the next row
        QCOMPARE(errorKind([&] { t.remove(); }), kind::DatabaseLocked);
        QCOMPARE(seen, (QList<int>{2, 3}));
        QCOMPARE(walk(t, "NumSessao"), (QVariantList{1, 3}));
    }

    void removeUntilEofEmptiesFilteredView()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "MovCaixa",
                         {{{"NumSessao", 1}, {"NPedido", "a"}}, {{"NumSessao", 2}, {"NPedido", "b"}},
                          {{"NumSessao", 2}, {"NPedido", "c"}}, {{"NumSessao", 3}, {"NPedido", "d"}}});
        Table t("QORFDADOS", "MovCaixa");
        t.setFilter("NumSessao = 2");
        t.setFiltered(true);
        t.open();
        int deleted = 0;
        for (t.first(); !t.eof(); ++deleted)
            t.remove();
        QCOMPARE(deleted, 2);
        t.close();
        QCOMPARE(test::column("QORFDADOS", "MovCaixa", "NumSessao"), (QVariantList{1, 3}));
    }

    void signalsFollowStateAndRows()
    {
        test::TempSuite suite;
        Table t("QORFDADOS", "CaixaCor");
        QSignalSpy state(&t, &DataSet::stateChanged);
        QSignalSpy rows(&t, &DataSet::rowChanged);
        QSignalSpy fields(&t, &DataSet::fieldChanged);
        t.open();
        t.append();
        t.setValue("SessaoCorrente", 0);
        t.post();
        t.close();
        QCOMPARE(state.count(), 4); // open, insert, post, close
        QVERIFY(rows.count() >= 3);
        QCOMPARE(fields.count(), 1);
        QCOMPARE(fields.at(0).at(0).toString(), QString("SessaoCorrente"));
    }

    void editOutsideEditingRaises()
    {
        test::TempSuite suite; // CaixaCor has its one row
        Table t("QORFDADOS", "CaixaCor");
        QCOMPARE(errorKind([&] { t.value("SessaoCorrente"); }), kind::DataSetClosed);
        t.open();
        QCOMPARE(errorKind([&] { t.setValue("SessaoCorrente", 2); }), kind::NotEditing);
        QCOMPARE(errorKind([&] { t.value("Nada"); }), kind::FieldNotFound);
        t.edit();
        QCOMPARE(errorKind([&] { t.setValue("SessaoCorrente", "dois"); }), kind::InvalidValue);
        t.setValue("SessaoCorrente", 2);
        t.next(); // moving posts, as the suite's tables do
        QCOMPARE(t.state(), DataSetState::Browse);
        t.refresh();
        QCOMPARE(t.asInteger("SessaoCorrente"), 2);
    }

    void bookmarkReturnsToRow()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "SessaoCx", {{{"NumSessao", 1}}, {{"NumSessao", 2}}, {{"NumSessao", 3}}});
        Table t("QORFDADOS", "SessaoCx");
        t.open();
        t.next();
        const QVariant mark = t.bookmark();
        t.last();
        t.goToBookmark(mark);
        QCOMPARE(t.asInteger("NumSessao"), 2);
        t.next();
        QCOMPARE(t.asInteger("NumSessao"), 3);
    }

    void destinosPrimaryIndexAddedExclusively()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "Destinos", {{{"Estacao", "02"}}, {{"Estacao", "01"}}});
        Table t("QORFDADOS", "Destinos");
        QVERIFY(!t.hasPrimaryIndex());
        t.open();
        QCOMPARE(errorKind([&] { t.addIndex("", {"Estacao"}, true); }), kind::DatabaseLocked);
        t.close();
        t.setExclusive(true);
        t.open();
        Table other("QORFDADOS", "Destinos");
        QCOMPARE(errorKind([&] { other.open(); }), kind::DatabaseLocked);
        t.addIndex("", {"Estacao"}, true);
        t.close();
        t.setExclusive(false);
        QVERIFY(t.hasPrimaryIndex());
        t.open();
        QCOMPARE(walk(t, "Estacao"), (QVariantList{"01", "02"}));
        t.append();
        t.setValue("Estacao", "01");
        QCOMPARE(errorKind([&] { t.post(); }), kind::KeyViolation);
        t.cancel();
        t.close();
        t.emptyTable();
        QCOMPARE(test::countRows("QORFDADOS", "Destinos"), 0);
    }

    void emptyTableRefusedWhileOthersUseIt()
    {
        test::TempSuite suite;
        test::insertRow("QORFDADOS", "Destinos", {{"Estacao", "01"}});
        Table user("QORFDADOS", "Destinos");
        user.open();
        Table t("QORFDADOS", "Destinos");
        QCOMPARE(errorKind([&] { t.emptyTable(); }), kind::DatabaseLocked);
        user.close();
        t.emptyTable();
        QCOMPARE(test::countRows("QORFDADOS", "Destinos"), 0);
    }

    void badLocationsAndNames()
    {
        test::TempSuite suite;
        Table missingFolder("c:\\quelvora\\naoexiste", "MovCaixa");
        QCOMPARE(errorKind([&] { missingFolder.open(); }), kind::FolderNotFound);
        Table unknown("QORFDADOS", "Nada.db");
        QCOMPARE(errorKind([&] { unknown.open(); }), kind::TableNotFound);
        QVERIFY(!unknown.active());
    }

    void corruptFileRaisesAndKeepsBytes()
    {
        test::TempSuite suite;
        const QByteArray junk(4096, 'x');
        suite.writeFile("quitacao/qorcaixa.sqlite", junk);
        Table t("C:\\QUELVORA\\QUITACAO", "Limite.db");
        QCOMPARE(errorKind([&] { t.open(); }), kind::DatabaseCorrupt);
        QCOMPARE(suite.readFile("quitacao/qorcaixa.sqlite"), junk);
    }

    void lockedPastTimeoutRaises()
    {
        test::TempSuite suite; // CaixaCor has its one row
        Database::setBusyTimeout(50);
        const auto restore = qScopeGuard([] { Database::setBusyTimeout(5000); });
        test::RawDatabase other("QORFDADOS");
        QVERIFY(other.exec("BEGIN EXCLUSIVE"));
        Table t("QORFDADOS", "CaixaCor");
        t.open();
        t.edit();
        t.setValue("SessaoCorrente", 5);
        QCOMPARE(errorKind([&] { t.post(); }), kind::DatabaseLocked);
        QCOMPARE(t.state(), DataSetState::Edit);
        QVERIFY(other.exec("COMMIT"));
        t.post();
        QCOMPARE(test::column("QORFDADOS", "CaixaCor", "SessaoCorrente"), (QVariantList{5}));
    }

    void walksLargeKeyedTableBothWays()
    {
        // Enough rows to cross every batch size, keys with empty parts (which
        // sort first), entered in scrambled order.
        test::TempSuite suite;
        struct Key {
            QString estacao, pedido, sinal;
        };
        QList<Key> keys;
        QList<test::Row> rows;
        quint32 seed = 7;
        auto rnd = [&seed](int n) {
            seed = seed * 1103515245u + 12345u;
            return int((seed >> 8) % quint32(n));
        };
        QSet<QString> used;
        while (keys.size() < 700) {
            Key k{rnd(4) ? QStringLiteral("0%1").arg(rnd(5)) : QString(),
                  rnd(5) ? QString::number(rnd(300)) : QString(), rnd(3) ? (rnd(2) ? "S" : "Q") : QString()};
            const QString id = k.estacao + '|' + k.pedido + '|' + k.sinal;
            if (used.contains(id))
                continue;
            used.insert(id);
            keys << k;
            test::Row r;
            if (!k.estacao.isEmpty())
                r["Estacao"] = k.estacao;
            if (!k.pedido.isEmpty())
                r["NPedido"] = k.pedido;
            if (!k.sinal.isEmpty())
                r["SinalQuitacao"] = k.sinal;
            rows << r;
        }
        test::insertRows("QORFDADOS", "Quitacao", rows);
        // Empty sorts before any text; QString() < "0" holds for the byte order too.
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            return std::tie(a.estacao, a.pedido, a.sinal) < std::tie(b.estacao, b.pedido, b.sinal);
        });
        QStringList expected;
        for (const Key& k : keys)
            expected << k.estacao + '|' + k.pedido + '|' + k.sinal;

        Table t("QORFDADOS", "Quitacao");
        t.open();
        auto id = [&t] { return t.asString("Estacao") + '|' + t.asString("NPedido") + '|' + t.asString("SinalQuitacao"); };
        QStringList forward, backward;
        for (t.first(); !t.eof(); t.next())
            forward << id();
        QCOMPARE(forward, expected);
        for (t.last(); !t.bof(); t.prior())
            backward.prepend(id());
        QCOMPARE(backward, expected);
        // Turning round in the middle of a batch.
        t.first();
        for (int i = 0; i < 100; ++i)
            t.next();
        for (int i = 0; i < 30; ++i)
            t.prior();
        QCOMPARE(id(), expected.at(70));
        QCOMPARE(t.recordCount(), 700);
    }

    void refreshShowsOtherProgramsChanges()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "TabCaixa", {{{"Caixa", "Ana"}}, {{"Caixa", "Bia"}}, {{"Caixa", "Carla"}}});
        Table t("QORFDADOS", "TabCaixa");
        t.open();
        t.next();
        test::RawDatabase other("QORFDADOS");
        QVERIFY(other.exec("UPDATE TabCaixa SET Caixa = 'Beatriz' WHERE Caixa = 'Bia'"));
        t.refresh();
        QCOMPARE(t.asString("Caixa"), QString("Beatriz"));
        QVERIFY(other.exec("DELETE FROM TabCaixa WHERE Caixa = 'Beatriz'"));
        t.refresh(); // the row is gone: the next one takes its place
        QCOMPARE(t.asString("Caixa"), QString("Carla"));
        QVERIFY(other.exec("INSERT INTO TabCaixa (Caixa) VALUES ('Dora')"));
        t.last();
        QCOMPARE(t.asString("Caixa"), QString("Dora"));
    }

    void editStartsFromStoredRow()
    {
        test::TempSuite suite;
        test::RawDatabase other("QORFDADOS");
        QVERIFY(other.exec("UPDATE CTCaixa SET CTSangria = 1, CTRessuprimento = 1"));
        Table t("QORFDADOS", "CTCaixa");
        t.open();
        QVERIFY(other.exec("UPDATE CTCaixa SET CTRessuprimento = 9"));
        t.edit(); // the counters another program raised meanwhile are not lost
        t.setValue("CTSangria", t.asInteger("CTSangria") + 1);
        t.post();
        QCOMPARE(other.scalar("select CTSangria || '/' || CTRessuprimento from CTCaixa").toString(), QString("2/9"));
    }

    void foldersShareOneConnectionAndAreDurable()
    {
        test::TempSuite suite;
        // The alias and the literal folder are the same cash folder.
        auto viaAlias = Database::forFolder(Database::folderOf("QORFDADOS"));
        auto viaFolder = Database::forFolder(Database::folderOf("c:\\quelvora\\dados"));
        QCOMPARE(viaAlias.get(), viaFolder.get());
        QVERIFY(Database::forFolder(Database::folderOf("QUELVORA")).get() != viaAlias.get());
        Statement journal(*viaAlias, "PRAGMA journal_mode", false);
        QVERIFY(journal.step());
        QCOMPARE(journal.column(0).toString(), QString("wal"));
        Statement sync(*viaAlias, "PRAGMA synchronous", false);
        QVERIFY(sync.step());
        QCOMPARE(sync.column(0).toInt(), 2); // FULL
    }

    void cashTablesAreNamedAndPlaced_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("folder");
        const QStringList dados{"SessaoCx", "MovCaixa", "CaixaCor", "Quitacao", "Periodo", "TabCaixa", "FormaPag",
                                "FormasPG", "TabLab", "tudcaixa", "Destinos"};
        for (const QString& t : dados)
            QTest::newRow(qPrintable(t)) << t << t << "dados";
        QTest::newRow("CTCaixa") << "CTCaixa" << "CTCaixa" << "dados";
        QTest::newRow("ListMovC") << "ListMovC" << "ListMovC" << "dados";
        QTest::newRow("Limite") << "Limite" << "Limite" << "quitacao";
        for (const char* t : {"Parlocal", "Parsist", "Estacoes", "Usuarios"})
            QTest::newRow(t) << t << t << "";
    }
    void cashTablesAreNamedAndPlaced()
    {
        QFETCH(QString, object);
        QFETCH(QString, table);
        QFETCH(QString, folder);
        test::TempSuite suite;
        CashTables tables;
        auto* t = tables.findChild<Table*>(object);
        QVERIFY(t);
        QCOMPARE(t->tableName(), table);
        QCOMPARE(Database::folderOf(t->location()), folder.isEmpty() ? suite.root() : suite.path(folder));
        QVERIFY(!t->active());
        QCOMPARE(t->indexName(), QString());
        t->open();
        QVERIFY(QFile::exists(suite.path(folder.isEmpty() ? "qorcaixa.sqlite" : folder + "/qorcaixa.sqlite")));
    }

    void cashQueriesAndTransferTable()
    {
        test::TempSuite suite;
        CashTables tables;
        for (const char* name : {"Query1", "qry_Utilitarios"})
            QVERIFY2(tables.findChild<Query*>(name), name);
        QCOMPARE(tables.TabelaDB.objectName(), QString("TabelaDB"));
        QCOMPARE(Database::folderOf(tables.TabelaDB.location()), suite.path("dados"));
        QVERIFY(tables.TabelaDB.fields().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTables)
#include "tst_tables.moc"
