#include "data/base/Error.h"
#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/CommandTexts.h"
#include "data/orderdb/ServerChoice.h"
#include "data/orderdb/TDM.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/ExpectError.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <optional>

using namespace qor;
using namespace qor::orderdb;
using qor::test::expectError;

namespace {

// Servidor rows as "Ativo|IP|Servidor", in table order.
void writeServidor(const QStringList& rows)
{
    QList<test::Row> seeded;
    for (const QString& r : rows)
        seeded << test::Row{{"Ativo", r.section('|', 0, 0)}, {"IP", r.section('|', 1, 1)},
                            {"Servidor", r.section('|', 2, 2)}};
    test::insertRows("QORFDADOS", "Servidor", seeded);
}

// The IP of a row that reaches the test database in the current mode: the
// server's host, or none (in-process).
QString reachableIp() { return test::TempOrderDb::serverHost(); }

} // namespace

class TestDM : public QObject {
    Q_OBJECT
private slots:
    void objectsAsCreated()
    {
        TDM dm;
        QCOMPARE(dm.objectName(), "DM");
        for (const char* name : {"SQLConnection1", "SQLDS_Pedidos", "DSetP_Pedidos", "PEDIDOS", "SQLDS_Usuarios",
                                 "DSP_Usuarios", "Usuarios", "SQLDS_Estacoes", "DSP_Estacoes", "Estacoes", "Servidor",
                                 "qryClose", "qrySessaoCX", "qryMovCaixa", "qryDetalhaMovCaixa", "qryDetalhaPeriodo",
                                 "qryDetalhaPeriodoGrupo", "qryDetalhaPeriodoGrupoL", "qryTotalizaDetalha",
                                 "qryResumoFP", "qry_ResumoSaidas", "qry_DetalhaSaidas"})
            QVERIFY2(dm.findChild<QObject*>(name), name);
        QCOMPARE(dm.SQLDS_Pedidos.commandText(), "select First 1 " + PedidosColumnList + " from PEDIDOS");
        QCOMPARE(dm.SQLDS_Usuarios.commandText(),
                 "select USUARIO, CODIGO, SENHA, ACESSO, ARQUIVO, LOGADO, ESTACAO, CONSIST_INICIAL, DEFVIDEOQOR "
                 "from USUARIOS order by USUARIO");
        QCOMPARE(dm.SQLDS_Estacoes.commandText(),
                 "select ESTACAO, DATBASNAM, TIPO, ATCAIXA, ESVAZIAR, EMUSO, CAMINHOREQUISICAO, CAMINHOOM, "
                 "CAMINHOECF, CAMINHOSEQUENCIAL1, CAMINHO2, ROTULO1, ROTULO2, ROTULO3, ROTULO4, ROTULO5, ROTULO6, "
                 "USUARIO from ESTACOES order by ESTACAO");
        QCOMPARE(PedidosColumnList.split(", ").size(), 60);
        QCOMPARE(dm.DSetP_Pedidos.keyFields(), QStringList({"ESTACAO", "NPEDIDO"}));
        QCOMPARE(dm.DSP_Usuarios.keyFields(), QStringList{"USUARIO"});
        QCOMPARE(dm.DSP_Estacoes.keyFields(), QStringList{"ESTACAO"});
        QCOMPARE(dm.Servidor.tableName(), "Servidor");
        QCOMPARE(dm.qryMovCaixa.sql(), "SELECT * FROM MOVCAIXA");
        QVERIFY(!dm.SQLConnection1.connected());
    }

    void setUpConnectsToTheLastActiveServer()
    {
        test::TempSuite suite;
        test::TempOrderDb db;
        writeServidor({"S|10.255.255.1|ANTIGO", "N|10.255.255.2|RESERVA", "s|" + reachableIp() + "|LOJA"});
        TDM dm;
        dm.DataModuleCreate();
        QVERIFY(dm.SQLConnection1.connected());
        QCOMPARE(dm.SQLConnection1.param("Database"), ServerChoice::databaseFor(reachableIp()));
        QCOMPARE(dm.SQLConnection1.vendorLib(), ClientLibrary::defaultPath());
        QVERIFY(!dm.Servidor.active());

        dm.PEDIDOS.open(); // the command as created: one order
        QCOMPARE(dm.PEDIDOS.recordCount(), 1);
        QCOMPARE(dm.PEDIDOS.fields().size(), 60);
        dm.PEDIDOS.close();
        dm.SQLDS_Estacoes.setCommandText("select " + EstacoesColumnList + " from ESTACOES where upper(USUARIO) = ?");
        dm.SQLDS_Estacoes.addBindValue("CAIXA");
        dm.Estacoes.open();
        QCOMPARE(dm.Estacoes.asString("ESTACAO").left(2), "01");
        QVERIFY(!dm.Estacoes.asString("DATBASNAM").isEmpty());
    }

#ifndef Q_OS_WIN
    void setUpLoadsTheClientLibraryOfTheConfiguredFolder()
    {
        test::TempSuite suite;
        test::TempOrderDb db;
        db.writeServidor();
        QVERIFY(QDir().mkpath(suite.path("fb")));
        QVERIFY(QFile::link(test::TempOrderDb::systemClientLibrary(), suite.path("fb/libfbclient.so.2")));
        suite.writeFile("CaminhoGDS.txt", suite.path("fb").toUtf8() + "\r\n");
        TDM dm;
        dm.DataModuleCreate();
        QCOMPARE(dm.SQLConnection1.vendorLib(), suite.path("fb/libfbclient.so.2"));
        QVERIFY(dm.SQLConnection1.connected());
    }
#endif

    void aFailedSetUpLeavesDMNotConnected_data()
    {
        QTest::addColumn<QString>("servidor");   // one row, "Ativo|IP|Servidor"
        QTest::addColumn<QByteArray>("caminho"); // CaminhoGDS.txt, "-" for none
        QTest::addColumn<bool>("database");      // whether the database file exists
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("inText");
        QTest::newRow("server unreachable") << "S|127.0.0.1/1|LOJA" << QByteArray("-") << true
                                            << kind::ServerUnreachable << "\"127.0.0.1\"";
        QTest::newRow("client library missing in the folder") << "S|" + reachableIp() + "|LOJA"
                                                               << QByteArray("/nada/aqui") << true
                                                               << kind::ClientLibrary << "/nada/aqui/";
        QTest::newRow("database file missing") << "S|" + reachableIp() + "|LOJA" << QByteArray("-") << false
                                               << kind::DatabaseMissing << "quelvora.bd";
    }
    void aFailedSetUpLeavesDMNotConnected()
    {
        QFETCH(QString, servidor);
        QFETCH(QByteArray, caminho);
        QFETCH(bool, database);
        QFETCH(QString, kind);
        QFETCH(QString, inText);
        test::TempSuite suite;
        std::optional<test::TempOrderDb> db;
        if (database)
            db.emplace();
        writeServidor({servidor});
        if (caminho != "-")
            suite.writeFile("CaminhoGDS.txt", caminho);
        TDM dm;
        expectError(kind, [&] { dm.DataModuleCreate(); }, inText);
        QVERIFY(!dm.SQLConnection1.connected());
        QVERIFY(!dm.Servidor.active());
        expectError(kind::NotConnected, [&] { dm.PEDIDOS.open(); }, "conexão");
        expectError(kind::NotConnected, [&] { dm.Usuarios.open(); });
        QVERIFY(!dm.PEDIDOS.active());
    }

    void displayFormats_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("format");
        QTest::newRow("session money") << "qrySessaoCX" << "Troco" << "##,##0.00";
        QTest::newRow("session total") << "qrySessaoCX" << "TotalGeral" << "##,##0.00";
        QTest::newRow("session number") << "qrySessaoCX" << "NumSessao" << "";
        QTest::newRow("movements: none") << "qryMovCaixa" << "Valor" << "";
        QTest::newRow("detail date") << "qryDetalhaMovCaixa" << "DataMov" << "dd/mm/yy";
        QTest::newRow("detail time") << "qryDetalhaMovCaixa" << "HoraMov" << "hh:mm";
        QTest::newRow("detail movement money") << "qryDetalhaMovCaixa" << "ValorOriginal" << "###,##0.00";
        QTest::newRow("detail session money") << "qryDetalhaMovCaixa" << "TotEntradaDin" << "##,##0.00";
        QTest::newRow("period") << "qryDetalhaPeriodo" << "Valor" << "###,##0.00";
        QTest::newRow("period group") << "qryDetalhaPeriodoGrupo" << "Total" << "###,##0.00";
        QTest::newRow("period group by store") << "qryDetalhaPeriodoGrupoL" << "Total" << "###,##0.00";
        QTest::newRow("totals first") << "qryTotalizaDetalha" << "ValorFinal" << "###,##0.00";
        QTest::newRow("totals second") << "qryTotalizaDetalha" << "ValorOriginal" << "###,##0.00";
        QTest::newRow("totals third") << "qryTotalizaDetalha" << "Desconto" << "";
        QTest::newRow("forms summary") << "qryResumoFP" << "Valor" << "##,##0.00";
        QTest::newRow("exits summary") << "qry_ResumoSaidas" << "Valor" << "#,##0.00";
        QTest::newRow("exits detail, any case") << "QRY_DETALHASAIDAS" << "valor" << "#,##0.00";
        QTest::newRow("unknown query") << "qryNada" << "Valor" << "";
    }
    void displayFormats()
    {
        QFETCH(QString, query);
        QFETCH(QString, column);
        QFETCH(QString, format);
        QCOMPARE(TDM::displayFormat(query, column), format);
    }

    void reportQueriesShowTheirDeclaredColumns()
    {
        test::TempSuite suite;
        test::insertRows("QORFDADOS", "SessaoCx", {{{"NumSessao", 7}, {"Operador", "ANA"}, {"Troco", 50.0}}});
        test::insertRows("QORFDADOS", "MovCaixa",
                         {{{"NumSessao", 7}, {"Valor", 10.5}, {"FormaPag", "Dinheiro"}, {"NPedido", "01.001001"}},
                          {{"NumSessao", 7}, {"Valor", 4.5}, {"FormaPag", "Dinheiro"}, {"NPedido", "01.001002"}}});
        TDM dm;
        dm.qryDetalhaMovCaixa.setSql("select * from MovCaixa m, SessaoCx s where m.NumSessao = s.NumSessao");
        dm.qryDetalhaMovCaixa.open();
        QCOMPARE(dm.qryDetalhaMovCaixa.fields().size(), 16 + 40);
        QCOMPARE(dm.qryDetalhaMovCaixa.asInteger("NumSessao_1"), 7);
        QCOMPARE(dm.qryDetalhaMovCaixa.asString("Operador"), "ANA");
        dm.qryDetalhaPeriodoGrupo.setSql("select FormaPag, sum(Valor) as Total, count(*) as Extra from MovCaixa "
                                         "group by FormaPag");
        dm.qryDetalhaPeriodoGrupo.open();
        QCOMPARE(dm.qryDetalhaPeriodoGrupo.fields().size(), 2); // "Extra" is not declared
        QCOMPARE(dm.qryDetalhaPeriodoGrupo.asFloat("Total"), 15.0);
    }
};

QTEST_GUILESS_MAIN(TestDM)
#include "tst_dm.moc"
