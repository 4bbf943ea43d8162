#include "app/state/MessageBoxes.h"
#include "data/local/CashTables.h"
#include "tests/reports/ui/RelatoriosFixture.h"
#include "tests/support/RawDatabase.h"

#include <QTest>

using namespace qor;
using test::Mov;
using test::RelatoriosFixture;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

// Sessions 5, 7 and 9; 7 holds a sale, a withdrawal and a replenishment.
void tresSessoes()
{
    test::insereSessao(5, QDate(2026, 11, 2), QDate(2026, 11, 2));
    test::insereSessao(7, QDate(2026, 11, 3), QDate(2026, 11, 3), "JOANA");
    test::insereSessao(9, QDate(2026, 12, 10), QDate());
    test::insereMovimentos({{5, QDate(2026, 11, 2), "01.000010", 15.0},
                            {7, QDate(2026, 11, 3), "01.000011", 120.0},
                            {7, QDate(2026, 11, 3), "S_1", 30.0, "Sangria"},
                            {7, QDate(2026, 11, 3), "R1", 20.0, "Ressuprimento"},
                            {9, QDate(2026, 12, 10), "01.000012", 40.0}});
}

// Which of the watched datasets opened or closed, in order: CaixaCor's
// closing, the data module's queries' opening.
class Ordem {
public:
    Ordem(data::DataSet& caixaCor, orderdb::TDM& dm)
    {
        observa(caixaCor, QStringLiteral("CaixaCor fecha"), false);
        for (auto* q : dm.findChildren<data::Query*>(QString(), Qt::FindDirectChildrenOnly))
            observa(*q, q->objectName() + QStringLiteral(" abre"), true);
    }
    QStringList eventos;

private:
    void observa(data::DataSet& ds, const QString& evento, bool aoAbrir)
    {
        auto ativo = std::make_shared<bool>(ds.active());
        QObject::connect(&ds, &data::DataSet::stateChanged, &ds, [this, &ds, evento, aoAbrir, ativo] {
            if (ds.active() != *ativo && ds.active() == aoAbrir)
                eventos << evento;
            *ativo = ds.active();
        });
    }
};

QString textoDoErro(const QString& kind, const QString& text)
{
    return QStringLiteral("Erro inesperado.\rClasse: ") + kind + QStringLiteral("\rErro: ") + text;
}

} // namespace

class TestReportCommands : public QObject {
    Q_OBJECT
private slots:
    // Every command's SQL, as the data module's query holds it after the
    // report, the query closed again (an open one would hold its data file),
    // and the report that ran.
    void sqlOfEveryCommand_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("loja");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QString>("relatorio");

        QTest::newRow("Resumo") << "btn5" << "" << "qrySessaoCX"
                                << QStringList{"Select * From SessaoCX where NumSessao = '7'"} << "rpt_resumo";
        QTest::newRow("Resumo por Forma de Pagamento")
            << "btn14" << "" << "qryResumoFP"
            << QStringList{"select formapag,sum(valor) as Valor from movcaixa where numsessao = '7' group by formapag"}
            << "rpt_resumoFP";
        const QString totais = "Select TipoMov,sum(valor) as ValorFinal, sum(valororiginal) as ValorOriginal, "
                               "sum(Desconto) as Desconto from movcaixa where NumSessao='7' group by TipoMov";
        QTest::newRow("Com Valor Original: detail")
            << "btn7" << "" << "qryDetalhaMovCaixa"
            << QStringList{"Select Distinct movcaixa.*,sessaocx.* FROM MovCaixa,SessaoCX where (SessaoCX.NumSessao = "
                           "MovCaixa.NumSessao ) and SessaoCX.Numsessao = '7' and tipomov='Venda'"}
            << "rpt_SessaoDetalhada_VOriginal";
        QTest::newRow("Com Valor Original: totals")
            << "btn7" << "" << "qryTotalizaDetalha" << QStringList{totais} << "rpt_SessaoDetalhada_VOriginal";
        QTest::newRow("Sem Valor Original: detail")
            << "btn6" << "" << "qryDetalhaMovCaixa"
            << QStringList{"SELECT Distinct movcaixa.*,sessaocx.* FROM MovCaixa,SessaoCX where (SessaoCX.NumSessao = "
                           "MovCaixa.NumSessao ) and SessaoCX.Numsessao = '7'"}
            << "rpt_SessaoDetalhada";
        QTest::newRow("Sem Valor Original: totals")
            << "btn6" << "" << "qryTotalizaDetalha" << QStringList{totais} << "rpt_SessaoDetalhada";

        QTest::newRow("type 2") << "btn12" << "CENTRO" << "qryDetalhaPeriodo"
                                << QStringList{"Select * From MovCaixa where (DataMov Between '05.03.10' and '31.03.10') "
                                               "and (TipoMov = 'Venda') order by FormaPag,NumSessao,DataMov,HoraMov;"}
                                << "rpt_PeriodoDetalhado";
        QTest::newRow("type 3") << "btn13" << "" << "qryDetalhaPeriodo"
                                << QStringList{"Select * From MovCaixa where (DataMov Between '05.03.10' and '31.03.10') "
                                               "and (TipoMov = 'Venda') order by Laboratorio,FormaPag,NumSessao,DataMov,"
                                               "HoraMov;"}
                                << "rpt_PeriodoDetalhadoLoja";
        QTest::newRow("type 4") << "btn8" << "CENTRO" << "qryDetalhaPeriodoGrupo"
                                << QStringList{"Select FormaPag,sum(valor) as Total from MovCaixa where ",
                                               "(TipoMov='Venda') and (DataMov between '05.03.10' and '31.03.10') "
                                               "group by Formapag"}
                                << "rpt_ResumoVendas";
        QTest::newRow("type 5, no store")
            << "btn9" << "" << "qryDetalhaPeriodoGrupoL"
            << QStringList{"Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where ",
                           "(TipoMov='Venda') and (DataMov between '05.03.10' and '31.03.10') group by "
                           "Laboratorio,Formapag"}
            << "rpt_ResumoVendas_Loja";
        const QString segunda = "(TipoMov='Venda') and (DataMov between '05.03.10' and '31.03.10') group by "
                                "Laboratorio,Formapag;";
        QTest::newRow("type 5, store")
            << "btn9" << "Shopping" << "qryDetalhaPeriodoGrupoL"
            << QStringList{"Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where "
                           "(Upper(Laboratorio)='SHOPPING') and ",
                           segunda}
            << "rpt_ResumoVendas_Loja";
        QTest::newRow("type 5, store cut to 10, only a-z upper-cased")
            << "btn9" << "são joão do sul" << "qryDetalhaPeriodoGrupoL"
            << QStringList{"Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where "
                           "(Upper(Laboratorio)='SãO JOãO D') and ",
                           segunda}
            << "rpt_ResumoVendas_Loja";
        QTest::newRow("type 5, store with a quote")
            << "btn9" << "d'angelo" << "qryDetalhaPeriodoGrupoL"
            << QStringList{"Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where "
                           "(Upper(Laboratorio)='D''ANGELO') and ",
                           segunda}
            << "rpt_ResumoVendas_Loja";
        QTest::newRow("type 5, blanks are a store")
            << "btn9" << "  " << "qryDetalhaPeriodoGrupoL"
            << QStringList{"Select Laboratorio,FormaPag,sum(valor) as Total from MovCaixa where "
                           "(Upper(Laboratorio)='  ') and ",
                           segunda}
            << "rpt_ResumoVendas_Loja";
        QTest::newRow("type 6") << "btn15" << "" << "qry_ResumoSaidas"
                                << QStringList{"SELECT Formapag, sum(valor) as Valor FROM movcaixa where entradasaida = "
                                               "'Saida' and ",
                                               "DataMov between '05.03.10' and '31.03.10' group by formapag;"}
                                << "rpt_ResumoSaidas";
        QTest::newRow("type 7") << "btn16" << "" << "qry_DetalhaSaidas"
                                << QStringList{"SELECT * FROM movcaixa where entradasaida = 'Saida' AND ",
                                               "DataMov between '05.03.10' and '31.03.10' order by numsessao,datamov, "
                                               "horamov"}
                                << "rpt_DetalhaSaidas";
    }
    void sqlOfEveryCommand()
    {
        RelatoriosFixture f;
        QFETCH(QString, botao);
        QFETCH(QString, loja);
        QFETCH(QString, consulta);
        QFETCH(QStringList, sql);
        QFETCH(QString, relatorio);

        tresSessoes();
        f.abreRelatorios(7);
        if (consulta.startsWith("qryDetalhaPeriodo") || consulta.startsWith("qry_"))
            f.relatorioDoPeriodo(botao, "05032010", "31032010", loja);
        else
            f.click(botao);

        auto* query = f.DM.findChild<data::Query*>(consulta);
        QVERIFY(query);
        QCOMPARE(query->sqlLines(), sql);
        QVERIFY(!query->active());
        QCOMPARE(f.saida.documents.size(), 1);
        QCOMPARE(f.saida.documents.first().reportName, relatorio);
        QVERIFY(f.boxes.shown().isEmpty());
    }

    // The session reported on is recorded in CaixaCor, which is closed
    // again: at once for "Resumo", after the queries for the detailed ones.
    void pointerWrites_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<int>("sessaoCorrente");
        QTest::addColumn<QStringList>("ordem");
        QTest::newRow("Resumo") << "btn5" << 7 << QStringList{"CaixaCor fecha", "qrySessaoCX abre"};
        QTest::newRow("Resumo por Forma de Pagamento leaves it") << "btn14" << 9 << QStringList{"qryResumoFP abre"};
        QTest::newRow("Com Valor Original")
            << "btn7" << 7 << QStringList{"qryDetalhaMovCaixa abre", "qryTotalizaDetalha abre", "CaixaCor fecha"};
        QTest::newRow("Sem Valor Original")
            << "btn6" << 7 << QStringList{"qryDetalhaMovCaixa abre", "qryTotalizaDetalha abre", "CaixaCor fecha"};
    }
    void pointerWrites()
    {
        RelatoriosFixture f;
        QFETCH(QString, botao);
        QFETCH(int, sessaoCorrente);
        QFETCH(QStringList, ordem);

        tresSessoes();
        QVERIFY(test::RawDatabase(kDados).exec("UPDATE CaixaCor SET SessaoCorrente = 9"));
        f.abreRelatorios(7); // an old session, while 9 is open
        Ordem eventos(f.tables.CaixaCor, f.DM);
        f.click(botao);

        QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{sessaoCorrente});
        QVERIFY(!f.tables.CaixaCor.active());
        QCOMPARE(eventos.eventos, ordem);
        QCOMPARE(f.saida.documents.size(), 1);
    }

    void pointerRowStartedWhenCaixaCorHasNone()
    {
        RelatoriosFixture f;
        tresSessoes();
        f.abreRelatorios(5);
        f.tables.CaixaCor.open(); // the start-up steps gave it its row
        f.tables.CaixaCor.remove();
        f.tables.CaixaCor.close();
        f.click("btn6");
        QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{5});
    }

    // The detail, totals and payment-form datasets are empty (each run
    // again after its report closed it); the summary still has its session row.
    void sessionWithoutMovements()
    {
        const auto linhas = [](data::Query& q) {
            q.open();
            return q.recordCount();
        };
        RelatoriosFixture f;
        test::insereSessao(5, QDate(2026, 11, 2), QDate(2026, 11, 2));
        test::insereSessao(6, QDate(2026, 11, 4), QDate(2026, 11, 4), "JOANA", 80.0);
        test::insereMovimentos({{5, QDate(2026, 11, 2), "01.000010", 15.0}});
        f.abreRelatorios(6);

        f.click("btn14");
        QCOMPARE(linhas(f.DM.qryResumoFP), 0);
        QVERIFY2(f.ultimoTexto().contains(QStringLiteral("Nenhum movimento nesta sessão.")), qPrintable(f.ultimoTexto()));
        f.click("btn6");
        QCOMPARE(linhas(f.DM.qryDetalhaMovCaixa), 0);
        QCOMPARE(linhas(f.DM.qryTotalizaDetalha), 0);
        f.click("btn7");
        QCOMPARE(linhas(f.DM.qryDetalhaMovCaixa), 0);
        f.click("btn5");
        const QString resumo = f.ultimoTexto();
        QVERIFY2(resumo.contains(QStringLiteral("Sessão: 6\tOperador: JOANA")), qPrintable(resumo));
        QVERIFY2(resumo.contains(QStringLiteral("Troco inicial: 80,00")), qPrintable(resumo));
        QCOMPARE(f.saida.documents.size(), 4);
        QVERIFY(f.boxes.shown().isEmpty());
    }

    // With no session to report on, the session commands do nothing.
    void emptySessionTable()
    {
        RelatoriosFixture f;
        f.abreRelatorios();
        for (const char* botao : {"btn5", "btn14", "btn7", "btn6"})
            f.click(botao);
        QVERIFY(f.saida.documents.isEmpty());
        QVERIFY(f.boxes.shown().isEmpty());
        QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{0});
    }

    void everyReportReadsTheProjectFile()
    {
        RelatoriosFixture f;
        tresSessoes();
        f.abreRelatorios(7);
        f.click("btn5");
        QByteArray xml = f.suite.readFile("rpt/rptCaixa.rav");
        xml.replace(">Resumo do Caixa<", ">Resumo do Caixa (revisto)<");
        f.instalaProjeto(xml);
        f.click("btn5");
        QCOMPARE(f.saida.documents.size(), 2);
        QVERIFY(!f.saida.documents.at(0).text().contains("(revisto)"));
        QVERIFY2(f.saida.documents.at(1).text().startsWith("Resumo do Caixa (revisto)\n"),
                 qPrintable(f.saida.documents.at(1).text()));

        // "Fechar Painel de Relatórios" unloads the project and returns to the browser.
        QVERIFY(f.RM.rvpj1.loaded());
        f.click("btn2");
        QVERIFY(!f.RM.rvpj1.loaded());
        QVERIFY(!f.find<QWidget>("pnlRelatorio")->isVisible());
        QVERIFY(f.find<QWidget>("PainelSessoes")->isVisible());
    }

    // The error names the missing file; the pointer write already saved stays.
    void missingProjectFile()
    {
        RelatoriosFixture f(true);
        tresSessoes();
        f.abreRelatorios(5);
        f.boxes.script(app::BoxAnswer::Ok);
        f.click("btn5");
        QCOMPARE(f.boxes.texts(), QStringList{textoDoErro("EReportProjectError",
                                                          "Projeto de relatórios não encontrado: " +
                                                              f.suite.path("rpt/rptCaixa.rav"))});
        QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{5});
        QVERIFY(f.saida.documents.isEmpty());
    }

    // A report, shown or failed, leaves no query reading its data file:
    // another program's commit afterwards does not make the till's next
    // write fail at once.
    void reportLeavesTheDataFileToOtherPrograms_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<bool>("comProjeto");
        for (const char* botao : {"btn7", "btn14"}) {
            QTest::newRow(qPrintable(QString(botao) + ", shown")) << botao << true;
            QTest::newRow(qPrintable(QString(botao) + ", project missing")) << botao << false;
        }
    }
    void reportLeavesTheDataFileToOtherPrograms()
    {
        QFETCH(QString, botao);
        QFETCH(bool, comProjeto);
        RelatoriosFixture f(!comProjeto);
        tresSessoes();
        f.abreRelatorios(7);
        if (!comProjeto)
            f.boxes.script(app::BoxAnswer::Ok);
        f.click(botao);
        QCOMPARE(f.saida.documents.size(), comProjeto ? 1 : 0);

        test::RawDatabase other(kDados);
        QVERIFY(other.exec("INSERT INTO MovCaixa (NumSessao, NPedido) VALUES (9, '02.000001')"));
        data::Table tabCaixa(kDados, "TabCaixa");
        tabCaixa.open();
        tabCaixa.append();
        tabCaixa.setValue("Caixa", "JOANA");
        tabCaixa.post();
        QCOMPARE(other.scalar("select count(*) from TabCaixa where Caixa = 'JOANA'"), QVariant(qlonglong(1)));
    }

    void unknownReportName()
    {
        RelatoriosFixture f;
        tresSessoes();
        f.instalaProjeto(R"(<reportProject><report name="rpt_resumo">
            <data connection="rvdsSessaoCX"><detail height="0.6"><field name="NumSessao"/></detail></data>
          </report></reportProject>)");
        f.abreRelatorios(7);
        f.click("btn14");
        f.relatorioDoPeriodo("btn12", "05032010", "31032010");
        QVERIFY(f.saida.documents.isEmpty());
        QVERIFY(f.boxes.shown().isEmpty());
        f.click("btn5");
        QCOMPARE(f.ultimoTexto(), QStringLiteral("7"));
    }

    // "Fechar Caixa" and Yes: the summary of the session just closed.
    void closingReport()
    {
        RelatoriosFixture f;
        test::insereSessao(5, QDate(2026, 12, 9), QDate(2026, 12, 9));
        test::insereSessao(6, QDate(2026, 12, 10), QDate(), "JOANA", 80.0);
        test::insereMovimentos({{6, QDate(2026, 12, 10), "01.000010", 15.0}});
        f.start();
        f.identify();
        f.trigger("FecharCaixa1");
        f.boxes.script(app::BoxAnswer::Yes);
        f.click("BotFechaCaixa");

        QCOMPARE(f.saida.documents.size(), 1);
        QCOMPARE(f.saida.documents.first().reportName, QStringLiteral("rpt_resumo"));
        const QString texto = f.ultimoTexto();
        QVERIFY2(texto.contains(QStringLiteral("Sessão: 6\tOperador: JOANA")), qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral("Fechamento: 10/12/2026 10:00")), qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral("Dinheiro\t15,00")), qPrintable(texto));
        QVERIFY(!f.DM.qrySessaoCX.active());
    }
};

QTEST_MAIN(TestReportCommands)
#include "tst_report_commands.moc"
