#include "cash/save/EscritaNoPedido.h"
#include "cash/save/SalvaMovimento.h"
#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/local/CashTables.h"
#include "data/local/Database.h"
#include "data/orderdb/SqlCommand.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QScopeGuard>
#include <QTest>

using namespace qor;
using cash::SaveOutcome;

Q_DECLARE_METATYPE(cash::SaveOutcome)

namespace {

const QDate kToday(2026, 12, 9);
using Salva = cash::SalvaMovimento;
const QString kDuplicado = Salva::kMsgDuplicado;
const QString kJaQuitado = Salva::kMsgJaQuitado;
const QString kNaoEncontrado = Salva::kMsgNaoEncontrado;

struct Fixture {
    test::TempSuite suite;
    test::TempOrderDb db;
    FixedClock clock{QDateTime(kToday, QTime(10, 30))};
    app::AppState state;
    app::ActivityLog activity{state, clock};
    test::ScriptedMessageBoxes boxes;
    orderdb::TDM dm;
    orderdb::SQLConnection otherStation;
    data::CashTables t;
    cash::SalvaMovimento save{state, {t.MovCaixa, t.SessaoCx, t.Quitacao, t.TabelaDB}, dm, activity, boxes};

    Fixture()
    {
        db.connect(dm.SQLConnection1);
        db.connect(otherStation);
        boxes.answerAllOk();
        state.QdeDestinos = 1;
        QDir().mkpath(cash::sendFolder(""));
        state.ArquivoLog = suite.path("LOG261209_1030.txt");
        text::writeLines(state.ArquivoLog, {});
        test::insertRow("QORFDADOS", "SessaoCx", {{"NumSessao", 1}, {"DataAbertura", kToday}, {"Troco", 100.0}});
        // A settlement of another order, first in the table's order: never touched.
        test::insertRow("QORFDADOS", "Quitacao",
                        {{"Estacao", "00"}, {"NPedido", "000777"}, {"SinalQuitacao", "S"}, {"Valor", 5.0},
                         {"DataMov", kToday}});
    }

    // A movement row as the panel leaves it: stored with its defaults when it
    // opened, completed by the lookup and the operator, still in editing.
    // Without storedByLookup the lookup's store failed: only the defaults are stored.
    void startSale(const QString& pedido, const QString& sinalQuitacao, double valor, double precoFinal,
                   bool storedByLookup = true)
    {
        t.SessaoCx.open();
        t.SessaoCx.last();
        t.Quitacao.open();
        openMovement("Venda", "Entrada", QString(), QString::fromUtf8("Quitação"));
        t.MovCaixa.setValue("Laboratorio", "LOJA1");
        t.MovCaixa.setValue("SinalQuitacao", sinalQuitacao);
        t.MovCaixa.setValue("NPedido", pedido);
        t.MovCaixa.setValue("ValorOriginal", precoFinal);
        t.MovCaixa.setValue("Valor", valor);
        if (storedByLookup) {
            t.MovCaixa.post();
            t.MovCaixa.edit();
        }
        state.PrecoFinalRetido = precoFinal;
        state.ValorDigitadoRetido = valor;
    }

    void startWithdrawal()
    {
        t.SessaoCx.open();
        t.SessaoCx.last();
        openMovement("Sangria", "Saida", "S_1", "S_1");
        t.MovCaixa.setValue("Valor", 50.0);
    }

    void openMovement(const QString& tipo, const QString& entradaSaida, const QString& npedido, const QString& sq)
    {
        t.MovCaixa.open();
        t.MovCaixa.append();
        t.MovCaixa.setValue("NumSessao", 1);
        t.MovCaixa.setValue("DataMov", clock.today());
        t.MovCaixa.setValue("HoraMov", clock.timeOfDay());
        t.MovCaixa.setValue("TipoMov", tipo);
        t.MovCaixa.setValue("EntradaSaida", entradaSaida);
        t.MovCaixa.setValue("FormaPag", "Dinheiro");
        t.MovCaixa.setValue("NPedido", npedido);
        t.MovCaixa.setValue("SinalQuitacao", sq);
        t.MovCaixa.post();
        t.MovCaixa.edit();
    }

    cash::SaveResult press(const QString& pedido, const QString& sq, const QString& valor,
                           const QString& forma = "Dinheiro")
    {
        return save.BitBtn5Click({pedido, sq, valor, forma});
    }

    // One value as the server renders it, read by another station.
    QString serverText(const QString& column, int npedido)
    {
        orderdb::SqlCommand command(otherStation);
        command.setCommandText("select cast(" + column + " as varchar(60)) from PEDIDOS where ESTACAO = '01' and "
                               "NPEDIDO = ?");
        command.addBindValue(npedido);
        const orderdb::RowData data = command.fetchAll();
        return data.rows.isEmpty() || !data.rows.first().first().isValid() ? QString("<null>")
                                                                           : data.rows.first().first().toString();
    }

    void runOnServer(const QString& sql)
    {
        orderdb::SqlCommand command(otherStation);
        command.setCommandText(sql);
        command.execute();
    }

    QStringList logLines() const { return text::readLines(state.ArquivoLog); }
    QStringList exportFiles() const { return QDir(cash::sendFolder("")).entryList({"*.xml"}, QDir::Files); }
    QString exportText(const QString& name) const
    {
        return QString::fromLatin1(suite.readFile("envia/" + name));
    }
    QVariantList column(const QString& table, const QString& field) const
    {
        return test::column("QORFDADOS", table, field);
    }
    bool tablesClosed() const
    {
        return !t.MovCaixa.active() && !t.SessaoCx.active() && !t.Quitacao.active() && !t.TabelaDB.active()
            && !dm.PEDIDOS.active();
    }
};

} // namespace

class TestSalvaMovimento : public QObject {
    Q_OBJECT
private slots:
    // One row per outcome of a sale's save.
    void outcomes_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("pedido");
        QTest::addColumn<QString>("sq");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<SaveOutcome>("outcome");
        QTest::addColumn<QVariantList>("movements");   // NPedido of every MovCaixa row
        QTest::addColumn<QVariantList>("settlements"); // NPedido of every Quitacao row
        QTest::addColumn<QString>("sinal");            // order 1001 on the server afterwards
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("exports");
        QTest::addColumn<int>("due"); // order write-backs left due

        const QString venda = QStringLiteral("Sinal");
        QTest::newRow("all steps succeed") << "" << "01.001001" << venda << "30,00" << SaveOutcome::Saved
                                           << QVariantList{"01.001001"} << QVariantList{"000777", "001001"}
                                           << "30.00" << QStringList{} << 1 << 0;
        QTest::newRow("empty order number") << "" << "  .      " << venda << "30,00" << SaveOutcome::EmptyOrderNumber
                                            << QVariantList{} << QVariantList{"000777"} << "0.00" << QStringList{}
                                            << 0 << 0;
        // Only the movement's own key makes a repeat; nothing is registered.
        QTest::newRow("movement repeats a stored one")
            << "clashing movement" << "01.001001" << venda << "30,00" << SaveOutcome::Duplicate
            << QVariantList{"01.001001"} << QVariantList{"000777"} << "0.00" << QStringList{kDuplicado} << 0 << 0;
        QTest::newRow("settlement already present")
            << "settled before" << "01.001001" << venda << "30,00" << SaveOutcome::AlreadySettled << QVariantList{}
            << QVariantList{"000777", "001001"} << "0.00" << QStringList{kJaQuitado} << 1 << 0;
        QTest::newRow("order not on the server")
            << "" << "01.009999" << venda << "30,00" << SaveOutcome::OrderNotFound << QVariantList{"01.009999"}
            << QVariantList{"000777", "009999"} << "0.00" << QStringList{kNaoEncontrado} << 1 << 1;
        QTest::newRow("order update not accepted")
            << "refusing server" << "01.001001" << venda << "30,00" << SaveOutcome::OrderUpdateRefused
            << QVariantList{"01.001001"} << QVariantList{"000777", "001001"} << "0.00"
            << QStringList{Salva::kMsgSoNoCaixa} << 1 << 1;
        QTest::newRow("order number not a number")
            << "" << "01.0010A1" << venda << "30,00" << SaveOutcome::NotRecorded << QVariantList{}
            << QVariantList{"000777"} << "0.00" << QStringList{Salva::kMsgPedidoInvalido} << 0 << 0;
        QTest::newRow("server unreachable")
            << "no server" << "01.001001" << venda << "30,00" << SaveOutcome::NotRecorded << QVariantList{}
            << QVariantList{"000777"} << "<server gone>" << QStringList{Salva::kMsgNaoRegistrado} << 0 << 0;
        QTest::newRow("amount not a number")
            << "" << "01.001001" << venda << "trinta" << SaveOutcome::NotRecorded << QVariantList{}
            << QVariantList{"000777"} << "0.00" << QStringList{Salva::kMsgValorInvalido} << 0 << 0;
    }
    void outcomes()
    {
        QFETCH(QString, setup);
        QFETCH(QString, pedido);
        QFETCH(QString, sq);
        QFETCH(QString, valor);
        QFETCH(SaveOutcome, outcome);
        QFETCH(QVariantList, movements);
        QFETCH(QVariantList, settlements);
        QFETCH(QString, sinal);
        QFETCH(QStringList, boxes);
        QFETCH(int, exports);
        QFETCH(int, due);

        Fixture f;
        if (setup == "clashing movement")
            test::insertRow("QORFDADOS", "MovCaixa",
                            {{"NumSessao", 1}, {"NPedido", "01.001001"}, {"SinalQuitacao", "Sinal"}, {"Valor", 1.0}});
        if (setup == "settled before")
            test::insertRow("QORFDADOS", "Quitacao",
                            {{"Estacao", "01"}, {"NPedido", "001001"}, {"SinalQuitacao", "S"}, {"Valor", 9.0}});
        if (setup == "refusing server")
            f.runOnServer("alter table PEDIDOS add constraint CK_SINAL_ATE_PRECO check (SINAL <= PRECOFINAL)");
        if (setup == "no server")
            f.dm.SQLConnection1.close();
        if (setup == "refusing server")
            f.startSale(pedido, sq, 300.0, 135.0);
        else
            f.startSale(pedido, sq, 30.0, 135.0, setup != "clashing movement");
        const QString typed = setup == "refusing server" ? QString("300,00") : valor;

        const cash::SaveResult r = f.press(pedido, sq, typed);
        QCOMPARE(r.outcome, outcome);
        QVERIFY(f.tablesClosed());
        QCOMPARE(f.column("MovCaixa", "NPedido"), movements);
        QCOMPARE(f.column("Quitacao", "NPedido"), settlements);
        QCOMPARE(test::countRows("QORFDADOS", "PagamentoPendente"), due);
        QCOMPARE(test::countRows("QORFDADOS", "MovEmEntrada"), 0);
        if (setup != "no server")
            QCOMPARE(f.serverText("SINAL", 1001), sinal);
        QCOMPARE(f.boxes.texts(), boxes);
        if (!boxes.isEmpty()) {
            const app::BoxRequest& box = f.boxes.shown().first();
            const bool notRecorded = outcome == SaveOutcome::Duplicate || outcome == SaveOutcome::NotRecorded;
            QCOMPARE(box.kind, boxes.first() == kJaQuitado ? app::BoxKind::Native
                               : notRecorded               ? app::BoxKind::ErrorDialog
                                                           : app::BoxKind::Plain);
            QCOMPARE(box.title, boxes.first() == kJaQuitado ? QString::fromUtf8("Atenção!!!") : app::kApplicationTitle);
        }
        QCOMPARE(f.exportFiles().size(), exports);
        QCOMPARE(f.logLines().isEmpty(), outcome == SaveOutcome::EmptyOrderNumber);
    }

    void depositsAndSettlementsOnTheOrder_data()
    {
        QTest::addColumn<int>("npedido");
        QTest::addColumn<QString>("sq");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QStringList>("after"); // SINAL, VALORRESTANTE, DATAPAGAMENTO, FORMAPAGAMENTO
        // 1001: final price 135, nothing paid; 1002: final price 100, deposit 30 paid.
        QTest::newRow("deposit 30 of 135") << 1001 << "Sinal" << "30,00"
                                           << QStringList{"30.00", "105.00", "<null>", "Vale"};
        QTest::newRow("deposit replaces the earlier one")
            << 1002 << "Sinal" << "70,00" << QStringList{"70.00", "30.00", "<null>", "Vale"};
        QTest::newRow("deposit of the whole price pays it")
            << 1001 << "sinal" << "135,00" << QStringList{"135.00", "0.00", "2026-12-09", "Vale"};
        QTest::newRow("settlement sets only date and form")
            << 1002 << QString::fromUtf8("Quitação") << "70,00" << QStringList{"30.00", "70.00", "2026-12-09", "Vale"};
    }
    void depositsAndSettlementsOnTheOrder()
    {
        QFETCH(int, npedido);
        QFETCH(QString, sq);
        QFETCH(QString, valor);
        QFETCH(QStringList, after);
        Fixture f;
        const QString pedido = QStringLiteral("01.%1").arg(npedido, 6, 10, QLatin1Char('0'));
        double amount = 0;
        text::parseAmount(valor, &amount);
        f.startSale(pedido, sq == "sinal" ? QString("Sinal") : sq, amount, 135.0);
        f.t.MovCaixa.setValue("FormaPag", "Vale");
        QCOMPARE(f.press(pedido, sq, valor, "Vale").outcome, SaveOutcome::Saved);
        QStringList got;
        for (const char* c : {"SINAL", "VALORRESTANTE", "DATAPAGAMENTO", "FORMAPAGAMENTO"})
            got << f.serverText(c, npedido);
        QCOMPARE(got, after);
    }

    // A server restart mid-shift: the save that finds the link gone records
    // nothing and says so; the operator's next try goes through.
    void aServerRestartBetweenTwoSavesCostsOneSave()
    {
        if (!test::TempOrderDb::serverMode())
            QSKIP("an in-process database has no server to restart");
        Fixture f;
        f.startSale("01.001001", "Sinal", 30.0, 135.0);
        QCOMPARE(f.press("01.001001", "Sinal", "30,00").outcome, SaveOutcome::Saved);

        test::TempOrderDb::restartServer();
        f.startSale("01.001002", "Sinal", 70.0, 100.0);
        QCOMPARE(f.press("01.001002", "Sinal", "70,00").outcome, SaveOutcome::NotRecorded);
        QCOMPARE(f.boxes.texts(), QStringList{Salva::kMsgNaoRegistrado});
        QVERIFY(!f.dm.SQLConnection1.connected());
        QCOMPARE(f.column("MovCaixa", "NPedido"), QVariantList{"01.001001"});

        f.startSale("01.001002", "Sinal", 70.0, 100.0);
        QCOMPARE(f.press("01.001002", "Sinal", "70,00").outcome, SaveOutcome::Saved);
        QVERIFY(f.dm.SQLConnection1.connected());
        QCOMPARE(f.column("MovCaixa", "NPedido"), (QVariantList{"01.001001", "01.001002"}));
        f.otherStation.close();
        f.db.connect(f.otherStation);
        QCOMPARE(f.serverText("SINAL", 1001), QString("30.00"));
        QCOMPARE(f.serverText("SINAL", 1002), QString("70.00"));
    }

    void settlementLeavesItsTrail()
    {
        Fixture f;
        f.startSale("01.001002", QString::fromUtf8("Quitação"), 70.0, 100.0);
        f.state.PrecoFinalRetido = 100.0;
        f.state.ValorDigitadoRetido = 90.0;
        f.t.MovCaixa.setValue("FormaPag", QString::fromUtf8("Cartão Crédito"));
        const cash::SaveResult r = f.press("01.001002", QString::fromUtf8("Quitação"), "70,00",
                                           QString::fromUtf8("Cartão Crédito"));
        QCOMPARE(r.outcome, SaveOutcome::Saved);
        QCOMPARE(f.logLines(),
                 QStringList({QString::fromUtf8("- Acionou o botão \"OK - Salvar Movimento\" para o seguinte movimento de caixa:"),
                              QString::fromUtf8("  Pedido 01.001002  Quitação    Valor: R$ 70,00 (Cartão Crédito)"),
                              QString::fromUtf8("- A rotina de salvar a quitação foi chamada"),
                              "  Foi registrado em QUITACAO o seguinte movimento de caixa:",
                              "     ESTACAO: 01",
                              "     NPEDIDO: 001002",
                              "     SIN/QUI: Q",
                              "     VALOR..: 70",
                              QString::fromUtf8("  O registro da quitação foi realizado com sucesso na tabela QUITAÇÃO"),
                              QString::fromUtf8("- A quitação foi registrada no cadastro do Pedido no BD.")}));
        // The discount on the movement and on its settlement row.
        QCOMPARE(f.column("MovCaixa", "Desconto"), QVariantList{10.0});
        QCOMPARE(f.column("Quitacao", "Desconto"), QVariantList({QVariant(), 10.0}));
        QCOMPARE(f.column("Quitacao", "FormaPag"), QVariantList({QVariant(), QString::fromUtf8("Cartão Crédito")}));
        QCOMPARE(f.column("Quitacao", "DataMov"), QVariantList({kToday, kToday}));
        // The export carries the row just stored, not the table's first.
        QCOMPARE(f.exportFiles(), QStringList{"Quitacao1.xml"});
        const QString xml = f.exportText("Quitacao1.xml");
        QVERIFY2(xml.contains("<ROW Estacao=\"01\" NPedido=\"001002\" SinalQuitacao=\"Q\" Valor=\"70\""), qPrintable(xml));
        QCOMPARE(f.serverText("DATAPAGAMENTO", 1002), QString("2026-12-09"));
    }

    void failureTrails_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("pedido");
        QTest::addColumn<QStringList>("tail"); // the log's last lines (the last one: its start)
        QTest::newRow("movement repeats a stored one")
            << "clashing movement" << "01.001001"
            << QStringList{"  Pedido 01.001001  Sinal    Valor: R$ 300,00 (Dinheiro)",
                           QString::fromUtf8("  O movimento de caixa, no entanto, não foi gravado no BD.")};
        QTest::newRow("order not on the server")
            << "" << "01.009999"
            << QStringList{QString::fromUtf8("  O registro do sinal foi realizado com sucesso na tabela QUITAÇÃO"),
                           QString::fromUtf8("- O Pedido 01.009999 não foi encontrado no BD para fazer o registro do pagamento.")};
        QTest::newRow("order update not accepted")
            << "refusing server" << "01.001001"
            << QStringList{QString::fromUtf8("  O registro do sinal foi realizado com sucesso na tabela QUITAÇÃO"),
                           QString::fromUtf8("- Não foi possível registrar o sinal do pedido no BD.")};
        QTest::newRow("server unreachable")
            << "no server" << "01.001001"
            << QStringList{"  Pedido 01.001001  Sinal    Valor: R$ 300,00 (Dinheiro)",
                           QString::fromUtf8("- Não foi possível buscar o pedido 01.001001 no BD; o pagamento não foi "
                                             "registrado: ")};
    }
    void failureTrails()
    {
        QFETCH(QString, setup);
        QFETCH(QString, pedido);
        QFETCH(QStringList, tail);
        Fixture f;
        if (setup == "clashing movement")
            test::insertRow("QORFDADOS", "MovCaixa",
                            {{"NumSessao", 1}, {"NPedido", pedido}, {"SinalQuitacao", "Sinal"}, {"Valor", 1.0}});
        if (setup == "refusing server")
            f.runOnServer("alter table PEDIDOS add constraint CK_SINAL_ATE_PRECO check (SINAL <= PRECOFINAL)");
        if (setup == "no server")
            f.dm.SQLConnection1.close();
        f.startSale(pedido, "Sinal", 300.0, 135.0, setup != "clashing movement");
        f.press(pedido, "Sinal", "300,00");
        const QStringList lines = f.logLines();
        QVERIFY(lines.size() >= tail.size());
        const QStringList got = lines.mid(lines.size() - tail.size());
        QCOMPARE(got.first(), tail.first());
        QVERIFY2(got.last().startsWith(tail.last()), qPrintable(got.last()));
    }

    void withdrawalIsStoredAndExportedOnly()
    {
        Fixture f;
        f.startWithdrawal();
        const cash::SaveResult r = f.press("S_1", "S_1", "50,00");
        QCOMPARE(r.outcome, SaveOutcome::Saved);
        QVERIFY(f.tablesClosed());
        QCOMPARE(f.column("MovCaixa", "Valor"), QVariantList{50.0});
        QCOMPARE(f.column("MovCaixa", "Desconto"), QVariantList{QVariant()});
        QCOMPARE(f.column("Quitacao", "NPedido"), QVariantList{"000777"});
        QCOMPARE(f.logLines(), QStringList({QString::fromUtf8("- Acionou o botão \"OK - Salvar Movimento\" para o seguinte movimento de caixa:"),
                                            "  Pedido S_1  S_1    Valor: R$ 50,00 (Dinheiro)"}));
        // One file per folder, carrying the table's first row.
        QCOMPARE(f.exportFiles(), QStringList{"Quitacao1.xml"});
        QVERIFY(f.exportText("Quitacao1.xml").contains("<ROW Estacao=\"00\" NPedido=\"000777\""));
        QVERIFY(f.boxes.shown().isEmpty());
    }

    void unwritableExportFolderIsReportedAndTheSaveFinishes()
    {
        Fixture f;
        f.state.QdeDestinos = 2;
        f.state.ListaDestinos[0] = "01";
        f.state.ListaDestinos[1] = "02";
        QDir().mkpath(cash::sendFolder("02"));
        f.startSale("01.001001", "Sinal", 30.0, 135.0);
        const cash::SaveResult r = f.press("01.001001", "Sinal", "30,00");
        QCOMPARE(r.outcome, SaveOutcome::Saved);
        QVERIFY(f.tablesClosed());
        QCOMPARE(r.exported.files, QStringList{f.suite.path("envia02/Quitacao1.xml")});
        const QString folder = QDir::toNativeSeparators(f.suite.path("envia01"));
        QCOMPARE(f.boxes.texts(),
                 QStringList{QString::fromUtf8("Não foi possível gravar o arquivo de exportação da quitação na pasta:\r") + folder});
        QCOMPARE(f.boxes.shown().first().kind, app::BoxKind::Plain);
        QVERIFY2(f.logLines().last().startsWith(QString::fromUtf8("- Não foi possível gravar o arquivo de exportação: "))
                     && f.logLines().last().contains(folder),
                 qPrintable(f.logLines().last()));
        QCOMPARE(f.serverText("SINAL", 1001), QString("30.00"));
    }

    void diagnosticFileAfterTheSave()
    {
        Fixture f;
        f.state.DiagnosticoAtivo = true;
        f.state.ArquivoDiagnostico = f.suite.path("Diagnost.txt");
        f.startWithdrawal();
        f.press("S_1", "S_1", "50,00");
        QCOMPARE(text::readLines(f.state.ArquivoDiagnostico), QStringList({"LOG DO ULTIMO REGISTRO DO CAIXA", " "}));
    }

    void unwritableLogIsRaisedAndDeletesNothing()
    {
        Fixture f;
        f.startSale("01.001001", "Sinal", 30.0, 135.0);
        f.state.ArquivoLog = f.suite.path("semlog/LOG.txt"); // folder missing
        QVERIFY_THROWS_EXCEPTION(qor::Error, f.press("01.001001", "Sinal", "30,00"));
        QVERIFY(f.boxes.shown().isEmpty());
        QCOMPARE(f.column("MovCaixa", "NPedido"), QVariantList{"01.001001"});
    }

    // A deposit of 300 refused by the server stays due; what the order holds
    // when it is tried again decides.
    void dueWriteBackRetried_data()
    {
        QTest::addColumn<QString>("meanwhile"); // run on the server before the retry
        QTest::addColumn<int>("due");
        QTest::addColumn<QString>("sinal");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("server accepts it now") << "alter table PEDIDOS drop constraint CK_SINAL_ATE_PRECO" << 0
                                               << "300.00" << "- O Sinal foi registrado no cadastro do pedido no BD.";
        QTest::newRow("another station paid meanwhile")
            << "alter table PEDIDOS drop constraint CK_SINAL_ATE_PRECO; "
               "update PEDIDOS set SINAL = 50, VALORRESTANTE = 85 where ESTACAO = '01' and NPEDIDO = 1001"
            << 1 << "50.00"
            << QString::fromUtf8("- Não foi possível registrar o sinal do pedido no BD. ") + cash::kFalhaPedidoAlterado;
        QTest::newRow("order already holds it")
            << "alter table PEDIDOS drop constraint CK_SINAL_ATE_PRECO; "
               "update PEDIDOS set SINAL = 300, VALORRESTANTE = -165, FORMAPAGAMENTO = 'Dinheiro' where ESTACAO = '01' and NPEDIDO = 1001"
            << 0 << "300.00" << QString::fromUtf8("- O pedido já tinha este pagamento; a pendência foi encerrada.");
        QTest::newRow("order gone") << "delete from PEDIDOS where ESTACAO = '01' and NPEDIDO = 1001" << 1 << "<null>"
                                    << QString::fromUtf8("- Não foi possível registrar o sinal do pedido no BD. ")
                                           + cash::kFalhaPedidoNaoEncontrado;
    }
    void dueWriteBackRetried()
    {
        QFETCH(QString, meanwhile);
        QFETCH(int, due);
        QFETCH(QString, sinal);
        QFETCH(QString, lastLine);
        Fixture f;
        f.runOnServer("alter table PEDIDOS add constraint CK_SINAL_ATE_PRECO check (SINAL <= PRECOFINAL)");
        f.startSale("01.001001", "Sinal", 300.0, 135.0);
        QCOMPARE(f.press("01.001001", "Sinal", "300,00").outcome, SaveOutcome::OrderUpdateRefused);
        const QList<cash::PagamentoPendente> before = cash::pendentes::lista();
        QCOMPARE(before.size(), 1);
        QCOMPARE(before.first().antes.sinal, 0.0);
        QVERIFY(!before.first().ultimaFalha.isEmpty());
        for (const QString& sql : meanwhile.split("; "))
            f.runOnServer(sql);

        QCOMPARE(cash::regravaPendentes(f.dm, [&](const QString& l) { f.activity.GravaLog(l); }), due);
        QCOMPARE(test::countRows("QORFDADOS", "PagamentoPendente"), due);
        QCOMPARE(f.serverText("SINAL", 1001), sinal);
        const QStringList lines = f.logLines();
        QVERIFY(lines.at(lines.size() - 2).startsWith(QString::fromUtf8("- Nova tentativa de registrar no pedido 01.001001 o sinal de R$ 300,00")));
        QCOMPARE(lines.last(), lastLine);
    }

    // A frozen server costs the retries one answer limit, not one each.
    void aServerOutOfReachIsTriedOnceForAllDueWriteBacks()
    {
        if (!test::TempOrderDb::serverMode())
            QSKIP("an in-process database has no server to freeze");
        qputenv("QOR_ORDERDB_TIMEOUT", "2");
        const auto usualLimit = qScopeGuard([] { qunsetenv("QOR_ORDERDB_TIMEOUT"); });
        Fixture f;
        f.runOnServer("alter table PEDIDOS add constraint CK_SINAL_ATE_PRECO check (SINAL <= PRECOFINAL)");
        for (const char* pedido : {"01.001001", "01.001002"}) {
            f.startSale(pedido, "Sinal", 300.0, 100.0);
            QCOMPARE(f.press(pedido, "Sinal", "300,00").outcome, SaveOutcome::OrderUpdateRefused);
        }
        f.runOnServer("alter table PEDIDOS drop constraint CK_SINAL_ATE_PRECO");
        const auto retry = [&] {
            return cash::regravaPendentes(f.dm, [&](const QString& l) { f.activity.GravaLog(l); });
        };
        const qsizetype logged = f.logLines().size();
        {
            test::TempOrderDb::FrozenServer frozen;
            QCOMPARE(retry(), 2);
        }
        const QStringList lines = f.logLines().mid(logged);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(0).startsWith(QString::fromUtf8("- Nova tentativa de registrar no pedido 01.001001")),
                 qPrintable(lines.at(0)));
        QVERIFY2(lines.at(1).contains(QString::fromUtf8("não respondeu em 2 s")), qPrintable(lines.at(1)));
        QCOMPARE(lines.at(2),
                 QString::fromUtf8("- Servidor inacessível: 1 pendência(s) ficam para a próxima tentativa."));
        QCOMPARE(test::countRows("QORFDADOS", "PagamentoPendente"), 2);
        QCOMPARE(retry(), 0);
        QCOMPARE(f.serverText("SINAL", 1001), QString("300.00"));
        QCOMPARE(f.serverText("SINAL", 1002), QString("300.00"));
    }

    void dueWriteBackRetriedBeforeTheNextSale()
    {
        Fixture f;
        f.runOnServer("alter table PEDIDOS add constraint CK_SINAL_ATE_PRECO check (SINAL <= PRECOFINAL)");
        f.startSale("01.001001", "Sinal", 300.0, 135.0);
        f.press("01.001001", "Sinal", "300,00");
        f.runOnServer("alter table PEDIDOS drop constraint CK_SINAL_ATE_PRECO");
        f.startSale("01.001002", "Sinal", 70.0, 100.0);
        QCOMPARE(f.press("01.001002", "Sinal", "70,00").outcome, SaveOutcome::Saved);
        QCOMPARE(f.serverText("SINAL", 1001), QString("300.00"));
        QCOMPARE(f.serverText("SINAL", 1002), QString("70.00"));
        QCOMPARE(test::countRows("QORFDADOS", "PagamentoPendente"), 0);
    }

    // Once the local rows are stored, an error is shown here and the save
    // ends: the panel closes and can't store or delete the payment again.
    void errorAfterStoringEndsTheSave()
    {
        Fixture f;
        f.state.DiagnosticoAtivo = true;
        f.state.ArquivoDiagnostico = f.suite.path("semPasta/Diagnost.txt");
        f.startSale("01.001001", "Sinal", 30.0, 135.0);
        QCOMPARE(f.press("01.001001", "Sinal", "30,00").outcome, SaveOutcome::Interrupted);
        QVERIFY(f.tablesClosed());
        QCOMPARE(f.boxes.shown().size(), 1);
        QVERIFY2(f.boxes.lastText().contains(kind::IoError), qPrintable(f.boxes.lastText()));
        QCOMPARE(f.column("MovCaixa", "NPedido"), QVariantList{"01.001001"});
        QCOMPARE(f.column("Quitacao", "NPedido"), QVariantList({"000777", "001001"}));
        QCOMPARE(f.serverText("SINAL", 1001), QString("30.00"));
    }

    // Another program holding the file: nothing is half-stored, the error is
    // raised (the panel stays open) and "OK" again stores what was typed.
    void lockedFileStoresNothingAndTheSaveCanBeRepeated()
    {
        Fixture f;
        f.startSale("01.001001", "Sinal", 30.0, 135.0);
        test::RawDatabase other("QORFDADOS");
        const int timeout = data::Database::busyTimeout();
        data::Database::setBusyTimeout(50);
        QVERIFY(other.exec("BEGIN IMMEDIATE"));
        QVERIFY_THROWS_EXCEPTION(qor::Error, f.press("01.001001", "Sinal", "30,00"));
        QVERIFY(other.exec("COMMIT"));
        data::Database::setBusyTimeout(timeout);
        QCOMPARE(f.column("Quitacao", "NPedido"), QVariantList{"000777"});
        QCOMPARE(test::countRows("QORFDADOS", "PagamentoPendente"), 0);
        QCOMPARE(f.serverText("SINAL", 1001), QString("0.00"));
        QCOMPARE(f.t.MovCaixa.asFloat("Desconto"), 105.0);

        f.t.SessaoCx.open();
        QCOMPARE(f.press("01.001001", "Sinal", "30,00").outcome, SaveOutcome::Saved);
        QCOMPARE(f.column("MovCaixa", "Desconto"), QVariantList{105.0});
        QCOMPARE(f.column("Quitacao", "NPedido"), QVariantList({"000777", "001001"}));
        QCOMPARE(f.serverText("SINAL", 1001), QString("30.00"));
    }
};

QTEST_GUILESS_MAIN(TestSalvaMovimento)
#include "tst_salva_movimento.moc"
