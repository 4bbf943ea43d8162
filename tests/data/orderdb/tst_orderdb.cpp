#include "data/base/Error.h"
#include "data/orderdb/CachedRowSet.h"
#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/CommandTexts.h"
#include "data/orderdb/FbSession.h"
#include "data/orderdb/FbStatement.h"
#include "data/orderdb/Provider.h"
#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/SqlCommand.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/ExpectError.h"
#include "tests/support/TempSuite.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <thread>

using namespace qor;
using namespace qor::orderdb;
using qor::test::expectError;

namespace {

const QString SelectOrder
    = "select " + PedidosColumnList + " from PEDIDOS where ESTACAO = :estacao and NPEDIDO = :npedido";

// A command, its provider and its cached row set, wired as the data module does.
struct Chain {
    SqlCommand command;
    Provider provider;
    CachedRowSet rows;
    Chain(SQLConnection& connection, QStringList keys)
        : command(connection), provider(command, std::move(keys)), rows(provider)
    {
        rows.setObjectName("PEDIDOS");
    }
    void select(const QString& sql, const QVariantList& values = {})
    {
        rows.close();
        command.setCommandText(sql);
        for (const QVariant& v : values)
            command.addBindValue(v);
        rows.open();
    }
    void selectOrder(const QString& estacao, int npedido)
    {
        rows.close();
        command.setCommandText(SelectOrder);
        command.bindValue("estacao", estacao);
        command.bindValue("npedido", npedido);
        rows.open();
    }
};

// A suite folder with its own order database, our station's connection and
// a second station's.
struct Fixture {
    test::TempSuite suite;
    test::TempOrderDb db;
    SQLConnection connection;
    SQLConnection otherStation;
    Chain pedidos{connection, {"ESTACAO", "NPEDIDO"}};

    Fixture()
    {
        db.connect(connection);
        db.connect(otherStation);
    }
    // Runs a statement on the other station, committed at once.
    quint64 otherStationRuns(const QString& sql, const QVariantList& values = {})
    {
        SqlCommand command(otherStation);
        command.setCommandText(sql);
        for (const QVariant& v : values)
            command.addBindValue(v);
        return command.execute();
    }
    // The other station ends our attachment, as the server does to every
    // attachment when it shuts down.
    void killOurAttachment()
    {
        SqlCommand ours(connection);
        ours.setCommandText("select current_connection from rdb$database");
        const QVariant id = ours.fetchAll().rows.first().first();
        QCOMPARE(otherStationRuns("delete from mon$attachments where mon$attachment_id = ?", {id}), quint64(1));
    }
    // One value as the server renders it, read by the other station.
    QString serverText(const QString& expression, const QString& estacao, int npedido)
    {
        SqlCommand command(otherStation);
        command.setCommandText("select cast(" + expression + " as varchar(60)) from PEDIDOS where ESTACAO = ? and "
                               "NPEDIDO = ?");
        command.addBindValue(estacao);
        command.addBindValue(npedido);
        const RowData data = command.fetchAll();
        return data.rows.isEmpty() || !data.rows.first().first().isValid() ? QString("<null>")
                                                                           : data.rows.first().first().toString();
    }
};

} // namespace

class TestOrderDb : public QObject {
    Q_OBJECT
private slots:
    void connectsWithTheSuiteSettings()
    {
        SQLConnection connection;
        QCOMPARE(connection.objectName(), "SQLConnection1");
        QCOMPARE(connection.connectionName(), "IBConnection");
        QCOMPARE(connection.driverName(), "Interbase");
        QCOMPARE(connection.libraryName(), "dbexpint.dll");
        QCOMPARE(connection.getDriverFunc(), "getSQLDriverINTERBASE");
        QVERIFY(!connection.loginPrompt());
        QCOMPARE(connection.params(),
                 QStringList({"DriverName=Interbase", "Database=127.0.0.1:c:\\quelvora\\dados\\quelvora.bd",
                              "RoleName=RoleName", "User_Name=sysdba", "Password=quorbelin", "ServerCharSet=WIN1252",
                              "SQLDialect=3", "ErrorResourceFile=", "LocaleCode=0000", "BlobSize=-1",
                              "CommitRetain=False", "WaitOnLocks=True", "Interbase TransIsolation=ReadCommited",
                              "Trim Char=False"}));
        connection.setParam("DATABASE", "/x/quelvora.bd");
        QCOMPARE(connection.params().at(1), "Database=/x/quelvora.bd");

        Fixture f;
        Chain session(f.connection, {"ID"});
        session.select("select a.MON$CHARACTER_SET_ID, t.MON$ISOLATION_MODE, t.MON$LOCK_TIMEOUT, CURRENT_USER as WHO "
                       "from MON$ATTACHMENTS a join MON$TRANSACTIONS t on t.MON$ATTACHMENT_ID = a.MON$ATTACHMENT_ID "
                       "where a.MON$ATTACHMENT_ID = CURRENT_CONNECTION and t.MON$TRANSACTION_ID = "
                       "CURRENT_TRANSACTION");
        QCOMPARE(session.rows.asInteger("MON$CHARACTER_SET_ID"), 53); // WIN1252
        QCOMPARE(session.rows.asInteger("MON$ISOLATION_MODE"), 2);    // read committed, record version
        QCOMPARE(session.rows.asInteger("MON$LOCK_TIMEOUT"), -1);     // waits on locks
        QCOMPARE(session.rows.asString("WHO"), "SYSDBA");
    }

    void readsAnOrderWithItsSixtyColumns()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1005);
        QCOMPARE(p.recordCount(), 1);
        QStringList names;
        for (const Column& c : p.fields())
            names << c.name;
        QCOMPARE(names.join(", "), PedidosColumnList);
        QCOMPARE(p.asString("tipopedido"), "Pedido");
        QCOMPARE(p.asFloat("VALORRESTANTE"), 1234.56);
        QCOMPARE(p.asDecimal("VALORRESTANTE"), (Decimal{123456, -2}));
        QCOMPARE(p.value("PRECOTOTAL").toDouble(), 1371.73);
        QCOMPARE(p.asInteger("QDEFORMULAS"), 4);
        QCOMPARE(p.asDate("DATAPEDIDO"), QDate(2026, 12, 4));
        QCOMPARE(p.asTime("HORAPEDIDO"), QTime(8, 30));
        QCOMPARE(p.asString("CONVENIO"), QString::fromUtf8("Convênio Saúde Já"));
        QVERIFY(p.isNull("DATAPAGAMENTO"));
        QVERIFY(!p.asDate("DATAPAGAMENTO").isValid());
        QVERIFY(p.isNull("CUSTO"));
        QCOMPARE(p.asFloat("CUSTO"), 0.0);
        QCOMPARE(p.asString("OBS2"), "");

        f.pedidos.selectOrder("01", 1001);
        QCOMPARE(p.asString("TIPODOCUMENTO"), "RG"); // CHAR(4) on the server
        QCOMPARE(p.asString("ESTACAO"), "01");
        QCOMPARE(f.serverText("'[' || TIPODOCUMENTO || ']'", "01", 1001), "[RG  ]");
    }

    void selectsNothingForAnAbsentOrder()
    {
        Fixture f;
        f.pedidos.selectOrder("01", 999999);
        QCOMPARE(f.pedidos.rows.recordCount(), 0);
        QVERIFY(f.pedidos.rows.eof());
        expectError(kind::InvalidValue, [&] { f.pedidos.rows.edit(); });
    }

    void boundValuesAreNeverSql_data()
    {
        QTest::addColumn<QString>("estacao");
        QTest::addColumn<QString>("nome");
        QTest::newRow("quote") << "0'" << "O'Brien";
        QTest::newRow("injection") << "01" << "x' or '1'='1";
        QTest::newRow("statement end") << "01" << "'; delete from PEDIDOS; --";
    }
    void boundValuesAreNeverSql()
    {
        QFETCH(QString, estacao);
        QFETCH(QString, nome);
        Fixture f;
        f.pedidos.select("select " + PedidosColumnList + " from PEDIDOS where ESTACAO = ? and NOME = ?",
                         {estacao, nome});
        QCOMPARE(f.pedidos.rows.recordCount(), 0);
        f.pedidos.select("select ESTACAO, NPEDIDO from PEDIDOS");
        QCOMPARE(f.pedidos.rows.recordCount(), 8);
    }

    void appliesOnlyChangedColumnsLocatedByKey()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1002);
        p.edit();
        p.setValue("SINAL", 70.0);
        p.setValue("VALORRESTANTE", p.asFloat("PRECOFINAL") - 70.0);
        p.setValue("FORMAPAGAMENTO", "Cheque");
        p.post();
        QCOMPARE(p.changeCount(), 1);

        // Meanwhile another station changes the same order, and our unchanged
        // PRECOFINAL: key-only location does not notice and keeps theirs.
        QCOMPARE(f.otherStationRuns("update PEDIDOS set OBS2 = ?, PRECOFINAL = ? where ESTACAO = ? and NPEDIDO = ?",
                                    {"Outra estação", 99.0, "01", 1002}),
                 1u);

        p.applyUpdates();
        QCOMPARE(p.changeCount(), 0);
        QCOMPARE(f.serverText("SINAL", "01", 1002), "70.00");
        QCOMPARE(f.serverText("VALORRESTANTE", "01", 1002), "30.00");
        QCOMPARE(f.serverText("FORMAPAGAMENTO", "01", 1002), "Cheque");
        QCOMPARE(f.serverText("OBS2", "01", 1002), QString::fromUtf8("Outra estação"));
        QCOMPARE(f.serverText("PRECOFINAL", "01", 1002), "99.00");
        QCOMPARE(f.serverText("SINAL", "01", 1001), "0.00"); // the other orders are untouched

        p.refresh();
        QCOMPARE(p.asString("OBS2"), QString::fromUtf8("Outra estação"));
        QCOMPARE(p.asInteger("NPEDIDO"), 1002);
    }

    void closeDropsUnappliedChanges()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1002);
        p.edit();
        p.setValue("SINAL", 100.0);
        p.post();
        QCOMPARE(p.asFloat("SINAL"), 100.0); // the cache holds it
        expectError(kind::InvalidValue, [&] { p.refresh(); });
        p.close();
        f.pedidos.selectOrder("01", 1002);
        QCOMPARE(p.asFloat("SINAL"), 30.0);
        QCOMPARE(f.serverText("SINAL", "01", 1002), "30.00");
    }

    void postingTheFetchedValuesChangesNothing()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1002);
        p.edit();
        p.setValue("SINAL", 99.0);
        p.post();
        p.edit();
        p.setValue("SINAL", 30.0);
        p.post();
        QCOMPARE(p.changeCount(), 0);
        p.edit();
        p.setValue("SINAL", 1.0);
        p.cancel();
        QCOMPARE(p.asFloat("SINAL"), 30.0);
        QCOMPARE(p.changeCount(), 0);
    }

    void decimalsAreWrittenRoundedHalfAwayFromZero_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("0.285") << QVariant(0.285) << "0.29";
        QTest::newRow("1234.565") << QVariant(1234.565) << "1234.57";
        QTest::newRow("negative") << QVariant(-0.285) << "-0.29";
        QTest::newRow("price minus deposit") << QVariant(100.0 - 30.1) << "69.90";
        QTest::newRow("integer") << QVariant(1500) << "1500.00";
        QTest::newRow("exact decimal") << QVariant::fromValue(Decimal{1234565, -3}) << "1234.57";
        QTest::newRow("decimal text") << QVariant("2500.005") << "2500.01";
    }
    void decimalsAreWrittenRoundedHalfAwayFromZero()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1006);
        p.edit();
        p.setValue("VALORRESTANTE", value);
        p.post();
        p.applyUpdates();
        QCOMPARE(f.serverText("VALORRESTANTE", "01", 1006), stored);
        f.pedidos.selectOrder("01", 1006);
        QCOMPARE(p.asDecimal("VALORRESTANTE").toString(), stored);
    }

    void textIsWindows1252BothWays()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        const QString obs = QString::fromUtf8("€ 12,50 à vista; ação, coração");
        f.pedidos.selectOrder("01", 1001);
        p.edit();
        p.setValue("OBS1", obs);
        p.setValue("NOME", QString::fromUtf8("José Conceição Müller"));
        p.post();
        p.applyUpdates();
        QCOMPARE(f.serverText("ascii_val(OBS1)", "01", 1001), "128"); // "€" is 0x80 in Windows-1252
        QCOMPARE(f.serverText("char_length(OBS1)", "01", 1001), QString::number(obs.size()));
        f.pedidos.selectOrder("01", 1001);
        QCOMPARE(p.asString("OBS1"), obs);
        QCOMPARE(p.asString("NOME"), QString::fromUtf8("José Conceição Müller"));

        // A bound value goes the same way.
        f.pedidos.select("select NPEDIDO from PEDIDOS where OBS1 = ?", {obs});
        QCOMPARE(p.recordCount(), 1);
    }

    void aCharacterOutsideWindows1252IsAnError()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1001);
        p.edit();
        expectError(kind::Encoding, [&] { p.setValue("OBS1", QString::fromUtf8("Ω ohm")); });
        p.post();
        QCOMPARE(p.changeCount(), 0);
        QCOMPARE(p.asString("OBS1"), "Sem sinal");
        expectError(kind::Encoding, [&] {
            f.pedidos.select("select NPEDIDO from PEDIDOS where NOME = ?", {QString::fromUtf8("日本")});
        });
    }

    void textIsCutToTheColumnAndEmptyMeansNull()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1001);
        p.edit();
        p.setValue("LABORATORIO", "LABORATORIO CENTRAL");
        p.setValue("OBS1", "");
        p.post();
        p.applyUpdates();
        QCOMPARE(f.serverText("LABORATORIO", "01", 1001), "LABORATORI");
        QCOMPARE(f.serverText("OBS1", "01", 1001), "<null>");
    }

    // Another station's transaction holds the row; ours waits, and once
    // theirs commits our change goes on top of theirs.
    void anApplyWaitingOnAnotherStationGoesOnTopOfIt()
    {
        Fixture f;
        f.pedidos.selectOrder("01", 1001);
        f.pedidos.rows.edit();
        f.pedidos.rows.setValue("OBS1", "nossa");
        f.pedidos.rows.post();

        fb::Session& other = f.otherStation.session();
        fb::Transaction holding(other);
        {
            fb::Statement update(other, holding,
                                 "update PEDIDOS set OBS1 = 'deles', OBS2 = 'deles' where ESTACAO = '01' and "
                                 "NPEDIDO = 1001");
            update.execute(holding, fb::Step::Statement, [] { return QString("update"); });
        }
        QString failure;
        std::thread ours([&] {
            try {
                f.pedidos.rows.applyUpdates();
            } catch (const Error& e) {
                failure = e.text();
            }
        });
        QThread::msleep(300);
        holding.commit(fb::Step::Statement);
        ours.join();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(f.serverText("OBS1", "01", 1001), QString("nossa"));
        QCOMPARE(f.serverText("OBS2", "01", 1001), QString("deles"));
    }

    void aFailedApplyWritesNothingAndKeepsTheChanges()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.select("select " + PedidosColumnList + " from PEDIDOS where ESTACAO = ? order by NPEDIDO", {"01"});
        QVERIFY(p.locate("NPEDIDO", 1001));
        p.edit();
        p.setValue("SINAL", 10.0);
        p.post();
        QVERIFY(p.locate("NPEDIDO", 1003));
        p.edit();
        p.setValue("NPEDIDO", 1004); // the key of another order
        p.post();
        expectError(kind::UpdateRejected, [&] { p.applyUpdates(); }, "NPEDIDO=1003");
        QCOMPARE(p.changeCount(), 2);
        QCOMPARE(f.serverText("SINAL", "01", 1001), "0.00");

        p.cancelUpdates();
        QCOMPARE(p.changeCount(), 0);
        QCOMPARE(p.asInteger("NPEDIDO"), 1003);
    }

    void anOrderGoneFromTheServerIsRefused()
    {
        Fixture f;
        CachedRowSet& p = f.pedidos.rows;
        f.pedidos.selectOrder("01", 1007);
        QCOMPARE(f.otherStationRuns("delete from PEDIDOS where ESTACAO = ? and NPEDIDO = ?", {"01", 1007}), 1u);
        p.edit();
        p.setValue("FORMAPAGAMENTO", "Dinheiro e cheque");
        p.post();
        expectError(kind::UpdateRejected, [&] { p.applyUpdates(); }, "não foi encontrado");
        QCOMPARE(p.changeCount(), 1);
    }

    void locatesByKey()
    {
        Fixture f;
        QCOMPARE(f.otherStationRuns("insert into USUARIOS (USUARIO, SENHA, ACESSO) values (?, ?, ?)",
                                    {"ABCDEF", "GHIJ", QString(10, 'x') + "O"}),
                 1u);
        SqlCommand command(f.connection);
        command.setCommandText(UsuariosCommandText);
        Provider provider(command, {"USUARIO"});
        CachedRowSet usuarios(provider);
        usuarios.open();
        QVERIFY(!usuarios.locate("USUARIO", "abcdef")); // exact
        QVERIFY(usuarios.locate("usuario", "ABCDEF"));
        QCOMPARE(usuarios.asString("SENHA"), "GHIJ");
        QCOMPARE(usuarios.asString("ACESSO").mid(10, 1), "O");
        QVERIFY(usuarios.isNull("LOGADO"));
    }

    void navigatesTheFetchedRows()
    {
        Fixture f;
        Chain estacoes(f.connection, {"ESTACAO"});
        QCOMPARE(f.otherStationRuns("insert into ESTACOES (ESTACAO, USUARIO) values (?, ?)", {"02", "OUTRO"}), 1u);
        estacoes.select(EstacoesCommandText);
        CachedRowSet& e = estacoes.rows;
        QCOMPARE(e.recordCount(), 2);
        QVERIFY(e.bof());
        QCOMPARE(e.asString("ESTACAO"), "01"); // CHAR(3): no padding
        QCOMPARE(e.asString("DATBASNAM"), "C:\\Quelvora\\Interfac01");
        e.next();
        QVERIFY(!e.eof());
        QCOMPARE(e.asString("USUARIO"), "OUTRO");
        e.next();
        QVERIFY(e.eof());
        QCOMPARE(e.recNo(), 2);
        e.first();
        QCOMPARE(e.recNo(), 1);
        QVERIFY(!e.locate("ESTACAO", "03"));
        QCOMPARE(e.recNo(), 1);
        e.close();
        expectError(kind::DataSetClosed, [&] { e.recordCount(); });
    }

    void aRejectedStatementLeavesTheConnectionWorking_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("kind");
        QTest::newRow("unknown column") << "select NOPE from PEDIDOS" << QVariantList{} << kind::StatementRejected;
        QTest::newRow("syntax") << "select from where" << QVariantList{} << kind::StatementRejected;
        QTest::newRow("empty order number")
            << "select " + PedidosColumnList + " from PEDIDOS where ESTACAO = '01' and NPEDIDO = "
            << QVariantList{} << kind::StatementRejected;
        QTest::newRow("not a number") << "select NOME from PEDIDOS where NPEDIDO = ?" << QVariantList{"12a"}
                                      << kind::InvalidValue;
        QTest::newRow("too few values") << "select NOME from PEDIDOS where NPEDIDO = ? and ESTACAO = ?"
                                        << QVariantList{1} << kind::InvalidValue;
        QTest::newRow("out of range") << "select NOME from PEDIDOS where NPEDIDO = ?"
                                      << QVariantList{qlonglong(1) << 40} << kind::InvalidValue;
        QTest::newRow("no rows") << "update PEDIDOS set OBS1 = 'x' where 1 = 0" << QVariantList{}
                                 << kind::StatementRejected;
    }
    void aRejectedStatementLeavesTheConnectionWorking()
    {
        QFETCH(QString, sql);
        QFETCH(QVariantList, values);
        QFETCH(QString, kind);
        Fixture f;
        expectError(kind, [&] { f.pedidos.select(sql, values); });
        QVERIFY(!f.pedidos.rows.active());
        QVERIFY(f.connection.connected());
        f.pedidos.selectOrder("01", 1001);
        QCOMPARE(f.pedidos.rows.recordCount(), 1);
    }

    void connectionFailuresHaveTheirOwnKind_data()
    {
        QTest::addColumn<QString>("database"); // HOST and PATH are filled in
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("inText");
        QTest::newRow("server unreachable") << "127.0.0.1/1:PATH" << kind::ServerUnreachable << "\"127.0.0.1\"";
        QTest::newRow("unknown host") << "servidor-inexistente.invalid:PATH" << kind::ServerUnreachable
                                      << "\"servidor-inexistente.invalid\"";
        QTest::newRow("missing database file") << "HOSTPATH.nada" << kind::DatabaseMissing << "quelvora.bd.nada";
        QTest::newRow("not a database") << "HOSTNOTADB" << kind::DatabaseCorrupt << "";
    }
    void connectionFailuresHaveTheirOwnKind()
    {
        QFETCH(QString, database);
        QFETCH(QString, kind);
        QFETCH(QString, inText);
        Fixture f;
        const QString host = test::TempOrderDb::serverMode() ? test::TempOrderDb::serverHost() + ":" : "";
        const QString notADatabase = f.suite.path("dados/quelvora.txt");
        f.suite.writeFile("dados/quelvora.txt", QByteArray(20000, 'x'));
        if (test::TempOrderDb::serverMode())
            QFile::setPermissions(notADatabase, QFile::permissions(notADatabase) | QFile::ReadOther | QFile::WriteOther);
        database.replace("HOST", host).replace("NOTADB", notADatabase).replace("PATH", f.db.path());

        SQLConnection connection;
        connection.setParam("Database", database);
        expectError(kind, [&] { connection.open(); }, inText);
        QVERIFY(!connection.connected());
        Chain later(connection, {"ESTACAO", "NPEDIDO"});
        expectError(kind::NotConnected, [&] { later.selectOrder("01", 1001); }, "conexão");
        expectError(kind::NotConnected, [&] {
            later.command.setCommandText("delete from PEDIDOS");
            later.command.execute();
        });
    }

    void aWrongPasswordIsRefused()
    {
        if (!test::TempOrderDb::serverMode())
            QSKIP("an in-process database checks no password");
        Fixture f;
        SQLConnection connection;
        connection.setParam("Password", "errada");
        connection.setParam("Database", f.db.database());
        expectError(kind::LoginRefused, [&] { connection.open(); });
        QVERIFY(!connection.connected());
    }

    void clientLibraryFromAConfiguredFolder()
    {
        Fixture f;
        QTemporaryDir empty;
        SQLConnection connection;
        connection.setParam("Database", f.db.database());
        connection.setVendorLib(ClientLibrary::inFolder(empty.path()));
        expectError(kind::ClientLibrary, [&] { connection.open(); }, empty.path());
        QVERIFY(!connection.connected());

#ifndef Q_OS_WIN
        QTemporaryDir folder;
        QVERIFY(QFile::link(test::TempOrderDb::systemClientLibrary(), folder.filePath("libfbclient.so.2")));
        connection.setVendorLib(ClientLibrary::inFolder(folder.path() + "/"));
        connection.open();
        QVERIFY(connection.connected());
#endif
    }

    // The server ends our attachment (as at its shutdown or a dropped
    // link), or freezes (a hung machine: nothing answers): the use that finds
    // it fails, past the answer limit for a frozen one, and so does each
    // connection tried while it stays frozen; the next use reconnects.
    void aLostLinkIsReestablishedOnTheNextUse_data()
    {
        QTest::addColumn<QString>("use");
        QTest::addColumn<bool>("frozen");
        for (const char* use : {"read", "apply", "command"}) {
            QTest::addRow("%s, attachment ended", use) << use << false;
            QTest::addRow("%s, server frozen", use) << use << true;
        }
    }
    void aLostLinkIsReestablishedOnTheNextUse()
    {
        QFETCH(QString, use);
        QFETCH(bool, frozen);
        if (frozen && !test::TempOrderDb::serverMode())
            QSKIP("an in-process order database has no server to freeze (QOR_FB_SERVER unset)");
        qputenv("QOR_ORDERDB_TIMEOUT", "2");
        const auto usualLimit = qScopeGuard([] { qunsetenv("QOR_ORDERDB_TIMEOUT"); });
        Fixture f;
        const auto act = [&] {
            if (use == "read") {
                f.pedidos.selectOrder("01", 1001);
                QCOMPARE(f.pedidos.rows.recordCount(), 1);
            } else if (use == "apply") {
                f.pedidos.selectOrder("01", 1001);
                f.pedidos.rows.edit();
                f.pedidos.rows.setValue("OBS1", "depois da queda");
                f.pedidos.rows.post();
                f.pedidos.rows.applyUpdates();
            } else {
                SqlCommand command(f.connection);
                command.setCommandText("update PEDIDOS set OBS2 = 'x' where ESTACAO = '01' and NPEDIDO = 1001");
                QCOMPARE(command.execute(), quint64(1));
            }
        };
        if (use == "apply")
            f.pedidos.selectOrder("01", 1001); // fetched before the link goes
        std::optional<test::TempOrderDb::FrozenServer> freeze;
        if (frozen)
            freeze.emplace();
        else
            f.killOurAttachment();
        if (use == "apply") {
            f.pedidos.rows.edit();
            f.pedidos.rows.setValue("OBS1", "antes da queda");
            f.pedidos.rows.post();
            expectError(kind::ServerUnreachable, [&] { f.pedidos.rows.applyUpdates(); });
        } else {
            expectError(kind::ServerUnreachable, act, frozen ? "não respondeu em 2 s" : "");
        }
        QVERIFY(!f.connection.connected());
        if (frozen) {
            expectError(kind::ServerUnreachable, act);
            freeze.reset();
        }
        act();
        QVERIFY(f.connection.connected());
        if (use == "apply")
            QCOMPARE(f.serverText("OBS1", "01", 1001), QString("depois da queda"));
    }

    void aFailedReconnectionShowsTheServersErrorAndTheNextUseTriesAgain()
    {
        Fixture f;
        f.killOurAttachment();
        expectError(kind::ServerUnreachable, [&] { f.pedidos.selectOrder("01", 1001); });
        const QString database = f.connection.param("Database");
        f.connection.setParam("Database", database + ".nada");
        expectError(kind::DatabaseMissing, [&] { f.pedidos.selectOrder("01", 1001); }, "quelvora.bd.nada");
        QVERIFY(!f.connection.connected());
        f.connection.setParam("Database", database);
        f.pedidos.selectOrder("01", 1001);
        QCOMPARE(f.pedidos.rows.recordCount(), 1);
        QVERIFY(f.connection.connected());
    }

    void aClosedConnectionStaysClosed()
    {
        Fixture f;
        f.killOurAttachment();
        expectError(kind::ServerUnreachable, [&] { f.pedidos.selectOrder("01", 1001); });
        f.connection.close();
        expectError(kind::NotConnected, [&] { f.pedidos.selectOrder("01", 1001); });
    }

    void aNeverConnectedConnectionSaysSo()
    {
        SQLConnection connection;
        Chain chain(connection, {"ESTACAO", "NPEDIDO"});
        expectError(kind::NotConnected, [&] { chain.selectOrder("01", 1001); }, "127.0.0.1:c:\\quelvora");
    }
};

QTEST_GUILESS_MAIN(TestOrderDb)
#include "tst_orderdb.moc"
