#include "reports/headless/RelatorioEmPdf.h"
#include "reports/project/ReportProjectInstall.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextStream>

using namespace qor;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// A few days of a small pharmacy: three closed sessions, sales of every
// kind in two stores, withdrawals and a replenishment.
void diasDeMovimento()
{
    QList<test::Row> sessoes;
    for (int n = 1; n <= 3; ++n)
        sessoes << test::Row{{"NumSessao", n},
                             {"DataAbertura", QDate(2026, 11, n + 1)},
                             {"HoraAbertura", QTime(8, 0)},
                             {"DataFechamento", QDate(2026, 11, n + 1)},
                             {"HoraFechamento", QTime(18, 5)},
                             {"Operador", n == 2 ? "CARLOS EDUARDO" : "ANA PAULA"},
                             {"Troco", 100.0},
                             {"TotEntradaDin", 350.0},
                             {"TotalDinheiro", 420.0},
                             {"TotalGeral", 880.0}};
    test::insertRows(kDados, "SessaoCx", sessoes);

    struct M {
        int sessao;
        const char* pedido;
        double valor;
        const char* forma;
        const char* tipo;
        const char* loja;
    };
    const M movimentos[] = {
        {1, "01.000101", 120.0, "Dinheiro", "Venda", "CENTRO"},   {1, "01.000102", 89.9, "Debito", "Venda", "CENTRO"},
        {1, "01.000103", 230.0, "Credito", "Venda", "SHOPPING"},  {1, "S_1", 50.0, "Dinheiro", "Sangria", ""},
        {2, "01.000104", 1540.5, "Cheque", "Venda", "SHOPPING"},  {2, "01.000105", 64.0, "Dinheiro", "Venda", "CENTRO"},
        {2, "R1", 30.0, "Dinheiro", "Ressuprimento", ""},         {3, "01.000106", 310.0, "Boleto", "Venda", "CENTRO"},
        {3, "01.000107", 45.75, "Dinheiro", "Venda", "SHOPPING"}, {3, "S_2", 120.0, "Dinheiro", "Sangria", ""},
    };
    QList<test::Row> rows;
    for (const M& m : movimentos) {
        const bool venda = QByteArray(m.tipo) == "Venda";
        rows << test::Row{{"NumSessao", m.sessao},
                          {"DataMov", QDate(2026, 11, m.sessao + 1)},
                          {"HoraMov", QTime(9 + int(rows.size()), 15)},
                          {"Valor", m.valor},
                          {"FormaPag", m.forma},
                          {"Historico", venda ? "" : "Troco do caixa"},
                          {"NPedido", m.pedido},
                          {"SinalQuitacao", venda ? "Quitação" : m.pedido},
                          {"TipoMov", m.tipo},
                          {"EntradaSaida", QByteArray(m.tipo) == "Sangria" ? "Saida" : "Entrada"},
                          {"Laboratorio", m.loja},
                          {"ValorOriginal", venda ? m.valor + 5 : m.valor},
                          {"Desconto", venda ? 5.0 : 0.0}};
    }
    test::insertRows(kDados, "MovCaixa", rows);

    // Session 3 was closed with a blind count; session 4 is open, in December.
    QList<test::Row> conferencia;
    const struct {
        const char* forma;
        double esperado;
        double contado;
    } contagem[] = {{"Dinheiro", 420.0, 417.5}, {"Boleto", 310.0, 310.0}};
    for (const auto& c : contagem)
        conferencia << test::Row{{"NumSessao", 3}, {"FormaPag", c.forma}, {"Esperado", c.esperado},
                                 {"Contado", c.contado}, {"Diferenca", c.contado - c.esperado}, {"Operador", "ANA PAULA"}};
    test::insertRows(kDados, "ConferenciaCx", conferencia);
    test::insertRow(kDados, "SessaoCx", {{"NumSessao", 4}, {"DataAbertura", QDate(2026, 12, 1)}, {"HoraAbertura", QTime(8, 0)},
                                         {"Operador", "ANA PAULA"}, {"Troco", 100.0}});
    test::insertRow(kDados, "MovCaixa", {{"NumSessao", 4}, {"DataMov", QDate(2026, 12, 1)}, {"HoraMov", QTime(9, 0)},
                                         {"Valor", 50.0}, {"FormaPag", "Dinheiro"}, {"NPedido", "01.000108"},
                                         {"SinalQuitacao", "Quitação"}, {"TipoMov", "Venda"}, {"EntradaSaida", "Entrada"}});
}

struct Execucao {
    int codigo = -1;
    QString erros;
};

Execucao roda(const QStringList& argumentos)
{
    QString erros;
    QTextStream stream(&erros);
    Execucao e;
    e.codigo = reports::relatorioEmPdf(QStringList{"qor_caixa"} + argumentos, stream);
    stream.flush();
    e.erros = erros;
    return e;
}

QString textoDoPdf(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    if (!p.waitForFinished())
        return QStringLiteral("<pdftotext falhou>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReportCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext not installed");
    }

    // Every report of the project to a PDF, over the datasets its command prepares.
    void everyReport_data()
    {
        QTest::addColumn<QStringList>("opcoes");
        QTest::addColumn<QStringList>("linhas"); // regular expressions, one per line of the PDF's text
        const QStringList sessao2{"--session", "2"};
        const QStringList novembro{"--from", "01/11/2026", "--to", "30/11/2026"};
        QTest::newRow("rpt_resumo") << (QStringList{"rpt_resumo"} + sessao2)
                                    << QStringList{"Resumo do Caixa", "Sessão: 2\\s+Operador: CARLOS EDUARDO",
                                                   "Dinheiro\\s+350,00\\s+420,00", "Total\\s+.*880,00"};
        QTest::newRow("rpt_resumo with the blind count")
            << QStringList{"rpt_resumo", "--session", "3"}
            << QStringList{"Contagem do caixa", "Forma de pagamento\\s+Esperado\\s+Contado\\s+Diferença",
                           "Dinheiro\\s+420,00\\s+417,50\\s+-2,50", "Boleto\\s+310,00\\s+310,00\\s+0,00",
                           "Total\\s+730,00\\s+727,50\\s+-2,50"};
        QTest::newRow("rpt_ParcialCaixa of the open session")
            << QStringList{"rpt_ParcialCaixa", "--session", "4"}
            << QStringList{"PARCIAL — CAIXA ABERTO", "Sessão: 4\\s+Operador: ANA PAULA",
                           "Parcial tirada em \\d\\d/\\d\\d/\\d{4} às \\d\\d:\\d\\d", "Saldo Atual",
                           "Dinheiro\\s+50,00\\s+0,00\\s+150,00", "Total\\s+50,00\\s+0,00\\s+150,00"};
        QTest::newRow("rpt_resumoFP") << (QStringList{"rpt_resumoFP"} + sessao2)
                                      << QStringList{"Cheque\\s+1.540,50", "Dinheiro\\s+94,00", "Total\\s+1.634,50"};
        QTest::newRow("rpt_SessaoDetalhada") << (QStringList{"rpt_SessaoDetalhada"} + sessao2)
                                             << QStringList{"Sessão: 2", "01.000104", "01.000105", "R1",
                                                            "Ressuprimento\\s+30,00"};
        QTest::newRow("rpt_SessaoDetalhada_VOriginal")
            << (QStringList{"rpt_SessaoDetalhada_VOriginal"} + sessao2)
            << QStringList{"Sessão: 2", "01.000104", "1.545,50", "Venda\\s+1.614,50\\s+10,00\\s+1.604,50"};
        QTest::newRow("rpt_PeriodoDetalhado") << (QStringList{"rpt_PeriodoDetalhado"} + novembro)
                                              << QStringList{"Período: 01/11/2026 a 30/11/2026", "01.000104",
                                                             "Total do período\\s+2.400,15"};
        QTest::newRow("rpt_PeriodoDetalhadoLoja") << (QStringList{"rpt_PeriodoDetalhadoLoja"} + novembro)
                                                  << QStringList{"CENTRO", "SHOPPING", "2.400,15"};
        QTest::newRow("rpt_ResumoVendas") << (QStringList{"rpt_ResumoVendas"} + novembro)
                                          << QStringList{"Cheque\\s+1.540,50", "Dinheiro\\s+229,75", "2.400,15"};
        QTest::newRow("rpt_ResumoVendas_Loja, one store")
            << (QStringList{"rpt_ResumoVendas_Loja"} + novembro + QStringList{"--store", "shopping"})
            << QStringList{"SHOPPING", "Credito\\s+230,00", "1.816,25"};
        QTest::newRow("rpt_ResumoSaidas") << (QStringList{"rpt_ResumoSaidas"} + novembro)
                                          << QStringList{"Dinheiro\\s+170,00"};
        QTest::newRow("rpt_DetalhaSaidas") << (QStringList{"rpt_DetalhaSaidas"} + novembro)
                                           << QStringList{"S_1", "S_2", "170,00"};
    }
    void everyReport()
    {
        QFETCH(QStringList, opcoes);
        QFETCH(QStringList, linhas);
        test::TempSuite suite;
        reports::installReportProject(suite.path("rpt"));
        diasDeMovimento();
        const QString pdf = suite.path("saida.pdf");

        const QString relatorio = opcoes.takeFirst();
        const Execucao e = roda(QStringList{"--report", relatorio, "--pdf", pdf} + opcoes);
        QCOMPARE(e.erros, QString());
        QCOMPARE(e.codigo, 0);
        const QString texto = textoDoPdf(pdf);
        for (const QString& linha : linhas)
            QVERIFY2(texto.contains(QRegularExpression(linha)), qPrintable(linha + "\n---\n" + texto));
        if (opcoes == QStringList{"--session", "2"} || relatorio == QLatin1String("rpt_ParcialCaixa"))
            QVERIFY2(!texto.contains("Contagem do caixa") && !texto.contains("Contado"), qPrintable(texto));
        if (relatorio == QLatin1String("rpt_ParcialCaixa"))
            QVERIFY2(!texto.contains("Conferido por"), qPrintable(texto));
        if (relatorio == QLatin1String("rpt_ResumoVendas_Loja"))
            QVERIFY2(!texto.contains("CENTRO"), qPrintable(texto));
        if (relatorio.contains("Periodo") || relatorio.contains("Vendas"))
            QVERIFY2(!texto.contains("S_1") && !texto.contains("R1"), qPrintable(texto));
    }

    // The till's period panel proposes the period saved in Periodo; a
    // report run from the back office leaves it as it was unless asked.
    void savedPeriodOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("salva");
        QTest::newRow("left alone") << false;
        QTest::newRow("--salvar-periodo") << true;
    }
    void savedPeriodOnlyWhenAsked()
    {
        QFETCH(bool, salva);
        test::TempSuite suite;
        reports::installReportProject(suite.path("rpt"));
        diasDeMovimento();
        test::insertRow(kDados, "Periodo", {{"DataInicial", QDate(2026, 10, 1)}, {"DataFinal", QDate(2026, 10, 31)}});
        test::insertRow("QUELVORA", "Parsist", {{"Op86", "MATRIZ"}});
        const QString pdf = suite.path("vendas.pdf");
        QStringList argumentos{"--report", "rpt_ResumoVendas", "--pdf", pdf, "--from", "01/11/2026", "--to", "30/11/2026"};
        if (salva)
            argumentos << "--salvar-periodo";
        const Execucao e = roda(argumentos);
        QCOMPARE(e.erros, QString());
        QCOMPARE(e.codigo, 0);
        const QString texto = textoDoPdf(pdf);
        QVERIFY2(texto.contains(QRegularExpression("Período: 01/11/2026 a 30/11/2026")), qPrintable(texto));
        QVERIFY2(texto.contains(QRegularExpression("Loja padrão: MATRIZ")), qPrintable(texto));
        QCOMPARE(test::column(kDados, "Periodo", "DataInicial"),
                 QVariantList{salva ? QDate(2026, 11, 1) : QDate(2026, 10, 1)});
        QCOMPARE(test::column(kDados, "Periodo", "DataFinal"),
                 QVariantList{salva ? QDate(2026, 11, 30) : QDate(2026, 10, 31)});
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("erro");
        QTest::newRow("no pdf") << QStringList{"--report", "rpt_resumo", "--session", "1"} << 2
                                << "--report e --pdf são obrigatórios";
        QTest::newRow("session report without a session")
            << QStringList{"--report", "rpt_resumo", "--pdf", "x.pdf"} << 2 << "rpt_resumo é um relatório de sessão";
        QTest::newRow("period report with a bad date")
            << QStringList{"--report", "rpt_ResumoSaidas", "--pdf", "x.pdf", "--from", "31/02/2026", "--to",
                           "28/02/2026"}
            << 2 << "rpt_ResumoSaidas é um relatório de período";
        QTest::newRow("saving the period of a session report")
            << QStringList{"--report", "rpt_resumo", "--pdf", "x.pdf", "--session", "1", "--salvar-periodo"} << 2
            << "rpt_resumo é um relatório de sessão";
        QTest::newRow("reconciliation with a store")
            << QStringList{"--report", "rpt_Conciliacao", "--pdf", "x.pdf", "--from", "01/12/2026", "--to",
                           "10/12/2026", "--store", "LOJA1"}
            << 2 << "rpt_Conciliacao é um relatório de período";
        QTest::newRow("open deposits with a period")
            << QStringList{"--report", "rpt_SinaisEmAberto", "--pdf", "x.pdf", "--from", "01/12/2026", "--to",
                           "10/12/2026"}
            << 2 << "rpt_SinaisEmAberto não é um relatório de sessão nem de período";
        QTest::newRow("not in the project")
            << QStringList{"--report", "rpt_outro", "--pdf", "x.pdf"} << 1 << "não tem o relatório rpt_outro";
    }
    void refusals()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, erro);
        test::TempSuite suite;
        reports::installReportProject(suite.path("rpt"));
        const int i = int(argumentos.indexOf("x.pdf"));
        if (i >= 0)
            argumentos[i] = suite.path("x.pdf");
        const Execucao e = roda(argumentos);
        QCOMPARE(e.codigo, codigo);
        QVERIFY2(e.erros.contains(erro), qPrintable(e.erros));
        QVERIFY(!QFile::exists(suite.path("x.pdf")));
    }

    // The program itself, with no display: the options reach the command
    // whole (the application object would take "--session" for its own).
    void throughTheProgram()
    {
        test::TempSuite suite;
        reports::installReportProject(suite.path("rpt"));
        diasDeMovimento();
        const QString pdf = suite.path("resumo.pdf");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QOR_CAIXA_EXE), {"--report", "rpt_resumoFP", "--pdf", pdf, "--session", "2"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(textoDoPdf(pdf).contains(QRegularExpression("Total\\s+1.634,50")), qPrintable(textoDoPdf(pdf)));
    }

    void missingProjectFile()
    {
        test::TempSuite suite;
        const Execucao e = roda({"--report", "rpt_resumo", "--pdf", suite.path("x.pdf"), "--session", "1"});
        QCOMPARE(e.codigo, 1);
        QCOMPARE(e.erros, "qor_caixa --report: Projeto de relatórios não encontrado: " + suite.path("rpt/rptCaixa.rav") +
                              "\n");
    }
};

QTEST_MAIN(TestReportCli)
#include "tst_report_cli.moc"
