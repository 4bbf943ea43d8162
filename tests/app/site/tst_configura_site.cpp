#include "app/site/ConfiguraSite.h"
#include "app/site/VerificaSite.h"
#include "data/local/Catalog.h"
#include "data/local/Table.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTest>

using namespace qor;

namespace {

struct Run {
    int code;
    QString out;
    QString err;
};

Run configura(const QStringList& options)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = app::comandoConfiguraSite(QStringList{"qor_caixa", "--configurar-site"} + options, o, e);
    return {code, out, err};
}

// Every file and folder under a root, relative to it.
QStringList tree(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

} // namespace

class TestConfiguraSite : public QObject {
    Q_OBJECT
private slots:
    // The set-up on a root that does not exist yet: the suite's folders,
    // every local table, the report project, the server row and the
    // station; what it made is printed.
    void freshRootIsSetUp()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        qputenv("QUELVORA_ROOT", suite.path("farmacia").toLocal8Bit());
        const Run run = configura({"--servidor", "srv-pedidos", "--estacao", "02"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.err, QString());
        const QString root = suite.path("farmacia");
        for (const char* pasta : {"dados", "quitacao", "rpt", "envia", "interfac02"}) {
            QVERIFY2(QFileInfo(root + "/" + pasta).isDir(), pasta);
            QVERIFY2(run.out.contains("Pasta criada: " + root + "/" + pasta + "\n"), qPrintable(run.out));
        }
        QVERIFY(QFileInfo::exists(root + "/rpt/rptCaixa.rav"));
        for (const data::TableDef& def : data::Catalog::tables())
            QVERIFY2(run.out.contains("Tabela " + def.name + " criada em "), qPrintable(def.name));
        QCOMPARE(test::column("QORFDADOS", "Servidor", "Ativo"), QVariantList{"S"});
        QCOMPARE(test::column("QORFDADOS", "Servidor", "IP"), QVariantList{"srv-pedidos"});
        QCOMPARE(test::column("QUELVORA", "Estacoes", "Estacao"), QVariantList{"02"});
        QCOMPARE(test::column("c:\\quelvora\\dados", "CTCaixa", "CTRessuprimento"), QVariantList{0});
        QVERIFY(app::faltasDoSite().isEmpty());
    }

    // On a site that already has data nothing changes, and it says so.
    void siteWithDataIsLeftAsItIs()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        QCOMPARE(configura({"--servidor", "10.0.0.5", "--estacao", "01"}).code, 0);
        test::insertRow("QORFDADOS", "SessaoCx", {{"NumSessao", 12}});
        {
            data::Table ct("c:\\quelvora\\dados", "CTCaixa");
            ct.open();
            ct.edit();
            ct.setValue("CTSangria", 7);
            ct.post();
        }
        const QStringList before = tree(suite.root());

        const Run again = configura({"--servidor", "10.0.0.5", "--estacao", "01"});
        QCOMPARE(again.code, 0);
        QCOMPARE(again.out, "Local da farmácia: " + suite.root() + "\nO local já estava configurado: nada foi alterado.\n");
        QCOMPARE(tree(suite.root()), before);
        QCOMPARE(test::column("c:\\quelvora\\dados", "CTCaixa", "CTSangria"), QVariantList{7});
        QCOMPARE(test::countRows("QORFDADOS", "SessaoCx"), 1);
        QCOMPARE(test::countRows("QUELVORA", "Estacoes"), 1);

        // Another server is not forced over the active row the site chose.
        const Run other = configura({"--servidor", "10.0.0.9"});
        QCOMPARE(other.code, 0);
        QVERIFY2(other.out.contains("Servidor não alterado"), qPrintable(other.out));
        QCOMPARE(test::column("QORFDADOS", "Servidor", "IP"), QVariantList{"10.0.0.5"});
    }

    void wrongOptions_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown option") << QStringList{"--estação", "01"} << "Opção inválida: --estação";
        QTest::newRow("server without value") << QStringList{"--servidor"} << "Opção inválida: --servidor";
        QTest::newRow("empty server") << QStringList{"--servidor", " "} << "Servidor inválido";
        QTest::newRow("server of 31 characters") << QStringList{"--servidor", QString(31, 'a')} << "Servidor inválido";
        QTest::newRow("station of three") << QStringList{"--estacao", "012"} << "Estação inválida";
        QTest::newRow("station naming another folder") << QStringList{"--estacao", ".."} << "Estação inválida";
    }
    void wrongOptions()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, error);
        test::TempSuite suite(test::TempSuite::Site::Bare);
        const Run run = configura(options);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
        QVERIFY(run.err.contains("Uso: qor_caixa --configurar-site"));
        QCOMPARE(tree(suite.root()), QStringList());
    }

    // A first start on a root never set up: one message naming what is
    // missing and the set-up command, and nothing is created.
    void firstStartOnAFreshRoot()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        const QString root = suite.path("nova");
        qputenv("QUELVORA_ROOT", root.toLocal8Bit());
        test::ScriptedMessageBoxes boxes;
        boxes.script(app::BoxAnswer::Ok);
        QVERIFY(!app::verificaSite(boxes));
        QCOMPARE(boxes.texts(),
                 QStringList{"O local da farmácia em " + root + " não está configurado.\rFalta:\r  - a pasta " + root +
                             "/dados\r  - a pasta " + root + "/quitacao\r  - a pasta " + root +
                             "\r\rPara configurá-lo, execute:\r  qor_caixa --configurar-site --servidor SERVIDOR "
                             "--estacao CODIGO\r(SERVIDOR: o servidor do banco de pedidos; CODIGO: o código desta "
                             "estação)"});
        QCOMPARE(tree(suite.root()), QStringList());
    }

    void setUpSiteStartsWithoutMessage()
    {
        test::TempSuite suite;
        test::ScriptedMessageBoxes boxes;
        QVERIFY(app::verificaSite(boxes));
        QVERIFY(boxes.shown().isEmpty());
    }

    // A data file the earlier version made, or one missing a table, is
    // named table by table in the same one message.
    void tablesMissingOrOfTheEarlierVersion()
    {
        test::TempSuite suite;
        QVERIFY(test::RawDatabase("QORFDADOS").exec("DROP TABLE Periodo; DROP TABLE TabLab; CREATE TABLE TabLab (Laboratorio TEXT)"));
        QCOMPARE(app::faltasDoSite(),
                 (QStringList{"Tabela Periodo não encontrada em " + suite.path("dados/qorcaixa.sqlite"),
                              "Tabela TabLab em " + suite.path("dados/qorcaixa.sqlite") +
                                  " é de uma versão anterior (atualize-a com qor_caixa --configurar-site)"}));
        test::ScriptedMessageBoxes boxes;
        boxes.script(app::BoxAnswer::Ok);
        QVERIFY(!app::verificaSite(boxes));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(configura({}).code, 0);
        QVERIFY(app::faltasDoSite().isEmpty());
    }

    // Folders made by hand without the data files still name each file.
    void foldersWithoutDataFiles()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        for (const char* pasta : {"dados", "quitacao"})
            QDir(suite.root()).mkpath(pasta);
        QCOMPARE(app::faltasDoSite(), (QStringList{"o arquivo de dados " + suite.path("dados/qorcaixa.sqlite"),
                                                   "o arquivo de dados " + suite.path("quitacao/qorcaixa.sqlite"),
                                                   "o arquivo de dados " + suite.path("qorcaixa.sqlite")}));
    }
};

QTEST_GUILESS_MAIN(TestConfiguraSite)
#include "tst_configura_site.moc"
