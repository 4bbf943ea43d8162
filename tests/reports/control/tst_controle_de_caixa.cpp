#include "cash/save/PagamentoPendente.h"
#include "data/orderdb/SqlCommand.h"
#include "reports/control/Conciliacao.h"
#include "reports/control/SinaisEmAberto.h"
#include "reports/headless/RelatorioEmPdf.h"
#include "reports/project/ReportProjectInstall.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/RawDatabase.h"
#include "tests/reports/ui/RelatoriosFixture.h"
#include "tests/support/TempSuite.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>

using namespace qor;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// Orders on the server, the till's payments of early December and one due
// write-back: every situation of the reconciliation and every age band of
// the open deposits (ages counted back from `hoje`).
void pedidosEPagamentos(orderdb::SQLConnection& conexao, const QDate& hoje)
{
    orderdb::SqlCommand sql(conexao);
    sql.setCommandText("delete from PEDIDOS");
    sql.execute();
    const struct {
        int numero;
        int idade;
        const char* loja;
        double sinal;
        double restante;
        QDate pagamento;
    } pedidos[] = {
        {2001, 3, "LOJA1", 30, 70, {}},   {2002, 8, "LOJA1", 40, 60, {}},   {2003, 30, "LOJA1", 20, 80, {}},
        {2004, 5, "LOJA1", 20, 0, {2026, 12, 4}}, {2005, 2, "LOJA2", 0, 25, {}}, {2007, 31, "LOJA2", 100, 200, {}},
        {2008, 91, "LOJA2", 10, 90, {}},
    };
    for (const auto& p : pedidos) {
        sql.setCommandText("insert into PEDIDOS (ESTACAO, NPEDIDO, NOME, DATAPEDIDO, TIPOPEDIDO, PRECOFINAL, SINAL, "
                           "VALORRESTANTE, DATAPAGAMENTO, FORMAPAGAMENTO, LABORATORIO) "
                           "values ('01', ?, ?, ?, 'Pedido', ?, ?, ?, ?, 'Dinheiro', ?)");
        for (const QVariant& v : QVariantList{p.numero, QString("Cliente %1").arg(p.numero), hoje.addDays(-p.idade),
                                              p.sinal + p.restante, p.sinal, p.restante,
                                              p.pagamento.isValid() ? QVariant(p.pagamento) : QVariant(), p.loja})
            sql.addBindValue(v);
        sql.execute();
    }

    const struct {
        const char* pedido;
        const char* tipo;
        double valor;
        QDate dia;
    } pagamentos[] = {
        {"002001", "S", 30, {2026, 12, 2}},  {"002002", "S", 50, {2026, 12, 3}}, {"002003", "Q", 100, {2026, 12, 4}},
        {"002004", "Q", 80, {2026, 12, 4}},  {"002005", "S", 25, {2026, 12, 5}}, {"002009", "Q", 12, {2026, 12, 6}},
        {"002007", "S", 100, {2026, 11, 20}}, // before the period
    };
    for (const auto& p : pagamentos)
        test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"NPedido", QString("01.") + p.pedido},
                                             {"SinalQuitacao", QByteArray(p.tipo) == "S" ? "Sinal" : "Quitação"},
                                             {"Valor", p.valor}, {"DataMov", p.dia}, {"HoraMov", QTime(10, 0)},
                                             {"FormaPag", "Dinheiro"}, {"TipoMov", "Venda"}, {"EntradaSaida", "Entrada"}});
    // A withdrawal and a sale still under entry are no sale payments.
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"NPedido", "S_1"}, {"SinalQuitacao", "S_1"}, {"Valor", 5.0},
                                         {"DataMov", QDate(2026, 12, 2)}, {"TipoMov", "Sangria"}, {"EntradaSaida", "Saida"}});
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"NPedido", "01.002008"}, {"SinalQuitacao", "Sinal"},
                                         {"Valor", 9.0}, {"DataMov", QDate(2026, 12, 2)}, {"TipoMov", "Venda"}});
    test::RawDatabase raw(kDados);
    test::insertRow(kDados, "MovEmEntrada", {{"Linha", raw.scalar("select max(rowid) from MovCaixa")}});
    cash::PagamentoPendente devido;
    devido.estacao = "01";
    devido.npedido = "002005";
    devido.sinal = true;
    devido.valor = 25;
    devido.dataMov = QDate(2026, 12, 5);
    devido.formaPag = "Dinheiro";
    devido.antes.existe = true;
    cash::pendentes::registra(devido);
}

// What the reconciliation of 01/12 to 10/12 shows, one pattern per line.
const QStringList kConciliacao = {
    "01\\.002001 Sinal 02/12/26 Dinheiro 30,00 30,00 70,00 Dinheiro",
    "01\\.002002 Sinal 03/12/26 Dinheiro 50,00 40,00 60,00 Dinheiro " + reports::kSinalDiferente,
    "01\\.002003 Quitação 04/12/26 Dinheiro 100,00 20,00 80,00 Dinheiro " + reports::kQuitacaoSemData,
    "01\\.002004 Quitação 04/12/26 Dinheiro 80,00 20,00 0,00 04/12/26 Dinheiro",
    "01\\.002005 Sinal 05/12/26 Dinheiro 25,00 0,00 25,00 Dinheiro " + reports::kEscritaPendente,
    "01\\.002009 Quitação 06/12/26 Dinheiro 12,00 " + reports::kSemPedido,
    "Total dos pagamentos 297,00", "Total apontado 187,00",
};

// What the deposits left open show on `hoje`.
QStringList sinaisEmAberto(const QDate& hoje)
{
    const auto dia = [&](int idade) { return hoje.addDays(-idade).toString("dd/MM/yyyy"); };
    return {"Loja: LOJA1", "Há 0 a 7 dias 01\\.2001 Cliente 2001 " + dia(3) + " 3 30,00 70,00", "Total 0 a 7 dias 30,00 70,00",
            "Há 8 a 30 dias 01\\.2003 Cliente 2003 " + dia(30) + " 30 20,00 80,00 01\\.2002 Cliente 2002 " + dia(8) + " 8 40,00 60,00",
            "Total 8 a 30 dias 60,00 140,00", "Total da loja LOJA1 90,00 210,00", "Loja: LOJA2",
            "Há 31 a 90 dias 01\\.2007 Cliente 2007 " + dia(31) + " 31 100,00 200,00", "Total 31 a 90 dias 100,00 200,00",
            "Há mais de 90 dias 01\\.2008 Cliente 2008 " + dia(91) + " 91 10,00 90,00", "Total mais de 90 dias 10,00 90,00",
            "Total da loja LOJA2 110,00 290,00", "Total geral 200,00 500,00"};
}

void contemTudo(const QString& texto, const QStringList& padroes)
{
    for (const QString& p : padroes)
        QVERIFY2(texto.contains(QRegularExpression(p)), qPrintable(p + "\n---\n" + texto));
}

// The PDF's text as laid out, a single space between words and lines.
QString palavras(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    if (!p.waitForFinished())
        return QStringLiteral("<pdftotext falhou>");
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

QString palavras(const reports::Document& doc)
{
    return doc.text().simplified();
}

int emPdf(const QStringList& argumentos, QString* erros)
{
    QTextStream stream(erros);
    const int codigo = reports::relatorioEmPdf(QStringList{"qor_caixa"} + argumentos, stream);
    stream.flush();
    return codigo;
}

} // namespace

class TestControleDeCaixa : public QObject {
    Q_OBJECT
private slots:
    void ageBands_data()
    {
        QTest::addColumn<int>("dias");
        QTest::addColumn<int>("faixa");
        for (const auto& [dias, faixa] : {std::pair{0, 0}, {7, 0}, {8, 1}, {30, 1}, {31, 2}, {90, 2}, {91, 3}, {400, 3}})
            QTest::addRow("%d days", dias) << dias << faixa;
    }
    void ageBands()
    {
        QFETCH(int, dias);
        QFETCH(int, faixa);
        const QDate hoje(2026, 12, 10);
        int indice = -1;
        reports::faixaDeIdade(hoje.addDays(-dias), hoje, &indice);
        QCOMPARE(indice, faixa);
    }

    // From the report panel: the period panel, then the report; the deposits at once.
    void fromThePanel()
    {
        test::RelatoriosFixture f;
        test::TempOrderDb db;
        db.connect(f.DM.SQLConnection1);
        f.abreRelatorios();
        pedidosEPagamentos(f.DM.SQLConnection1, f.clock.today());

        f.relatorioDoPeriodo("btnConciliacao", "01/12/2026", "10/12/2026");
        QCOMPARE(f.saida.documents.size(), 1);
        QCOMPARE(f.saida.documents.last().reportName, reports::kRelatorioConciliacao);
        const QString conciliacao = palavras(f.saida.documents.last());
        contemTudo(conciliacao, kConciliacao + QStringList{"Período: 01/12/2026 a 10/12/2026"});
        QVERIFY2(!conciliacao.contains("002007") && !conciliacao.contains("002008") && !conciliacao.contains("S_1"),
                 qPrintable(conciliacao));

        f.click("btnSinaisEmAberto");
        QCOMPARE(f.saida.documents.size(), 2);
        const QString sinais = palavras(f.saida.documents.last());
        contemTudo(sinais, sinaisEmAberto(f.clock.today()) + QStringList{"Posição em 10/12/2026"});
        QVERIFY2(!sinais.contains("2004") && !sinais.contains("2005"), qPrintable(sinais));
        QVERIFY(f.boxes.shown().isEmpty());
    }

    void fromThePanelWithoutTheServer()
    {
        test::RelatoriosFixture f;
        f.abreRelatorios();
        test::insertRow(kDados, "Servidor", {{"Ativo", "S"}, {"IP", ""}, {"Servidor", f.suite.path("nenhum.fdb")}});
        f.boxes.script(app::BoxAnswer::Ok);
        f.click("btnSinaisEmAberto");
        QCOMPARE(f.boxes.shown().size(), 1);
        QVERIFY2(f.boxes.lastText().startsWith("Servidor de pedidos inacessível: o relatório rpt_SinaisEmAberto não "
                                               "foi emitido.\n"),
                 qPrintable(f.boxes.lastText()));
        QVERIFY(f.saida.documents.isEmpty());
    }

    void headless()
    {
        test::TempSuite suite;
        reports::installReportProject(suite.path("rpt"));
        test::TempOrderDb db;
        db.writeServidor();
        orderdb::TDM dm;
        db.connect(dm.SQLConnection1);
        pedidosEPagamentos(dm.SQLConnection1, QDate::currentDate());

        QString erros;
        const QString conciliacao = suite.path("conciliacao.pdf");
        QCOMPARE(emPdf({"--report", "rpt_Conciliacao", "--pdf", conciliacao, "--from", "01/12/2026", "--to",
                        "10/12/2026"}, &erros), 0);
        QCOMPARE(erros, QString());
        contemTudo(palavras(conciliacao), kConciliacao);

        const QString sinais = suite.path("sinais.pdf");
        QCOMPARE(emPdf({"--report", "rpt_SinaisEmAberto", "--pdf", sinais}, &erros), 0);
        QCOMPARE(erros, QString());
        contemTudo(palavras(sinais), sinaisEmAberto(QDate::currentDate()));
    }

    // No order server: a message saying so, and no report at all.
    void serverOutOfReach_data()
    {
        QTest::addColumn<QStringList>("opcoes");
        QTest::newRow("rpt_Conciliacao") << QStringList{"rpt_Conciliacao", "--from", "01/12/2026", "--to", "10/12/2026"};
        QTest::newRow("rpt_SinaisEmAberto") << QStringList{"rpt_SinaisEmAberto"};
    }
    void serverOutOfReach()
    {
        QFETCH(QStringList, opcoes);
        test::TempSuite suite;
        reports::installReportProject(suite.path("rpt"));
        test::insertRow(kDados, "MovCaixa", {{"NumSessao", 1}, {"NPedido", "01.002001"}, {"SinalQuitacao", "Sinal"},
                                             {"Valor", 30.0}, {"DataMov", QDate(2026, 12, 2)}, {"TipoMov", "Venda"}});
        test::insertRow(kDados, "Servidor", {{"Ativo", "S"}, {"IP", ""}, {"Servidor", suite.path("nenhum.fdb")}});
        const QString relatorio = opcoes.takeFirst();
        QString erros;
        QCOMPARE(emPdf(QStringList{"--report", relatorio, "--pdf", suite.path("x.pdf")} + opcoes, &erros), 1);
        QVERIFY2(erros.startsWith("qor_caixa --report: Servidor de pedidos inacessível: o relatório " + relatorio
                                  + " não foi emitido."),
                 qPrintable(erros));
        QVERIFY(!QFile::exists(suite.path("x.pdf")));
    }
};

QTEST_MAIN(TestControleDeCaixa)
#include "tst_controle_de_caixa.moc"
