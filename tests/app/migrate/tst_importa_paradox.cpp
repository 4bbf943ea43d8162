#include "app/migrate/ComandoImportaParadox.h"
#include "cash/movement/Movimento.h"
#include "data/local/CashTables.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/paradox/Pxlib.h"
#include "tests/support/ParadoxWriter.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTextStream>

#include <cstring>

using namespace qor;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

int tipoParadox(data::FieldKind kind)
{
    switch (kind) {
    case data::FieldKind::Integer:
        return pxfLong;
    case data::FieldKind::Float:
        return pxfNumber;
    case data::FieldKind::Date:
        return pxfDate;
    case data::FieldKind::Time:
        return pxfTime;
    case data::FieldKind::DateTime:
        return pxfTimestamp;
    case data::FieldKind::Text:
        break;
    }
    return pxfAlpha;
}

// A table of the earlier till: the catalog's fields as Paradox kinds, then
// `muda` may drop ("" kind 0), retype or add fields by name.
struct Arquivo {
    QString tabela;
    QList<test::PxField> campos;

    explicit Arquivo(const QString& nome) : tabela(nome)
    {
        for (const data::FieldDef& f : data::Catalog::find(nome)->fields)
            campos << test::PxField{f.name, tipoParadox(f.kind), f.size};
    }
    Arquivo& muda(const QString& campo, int tipo, int tamanho = 0)
    {
        for (int i = 0; i < campos.size(); ++i)
            if (campos[i].name == campo) {
                if (tipo == 0)
                    campos.removeAt(i);
                else
                    campos[i] = {campo, tipo, tamanho};
                return *this;
            }
        campos << test::PxField{campo, tipo, tamanho};
        return *this;
    }
    // Rows by field name; fields left out stay empty.
    void grava(const QString& pasta, const QString& arquivo, const QList<test::Row>& linhas, int chaves = 0,
               const QString& indice = {}) const
    {
        QList<test::PxRow> rows;
        for (const test::Row& l : linhas) {
            test::PxRow row;
            for (const test::PxField& c : campos)
                row << l.value(c.name);
            rows << row;
        }
        test::writeParadox(pasta + '/' + arquivo, campos, rows, chaves, indice.isEmpty() ? QString() : pasta + '/' + indice);
    }
};

struct Execucao {
    int codigo = -1;
    QString saida;
    QString erros;
};

Execucao importa(const QStringList& argumentos)
{
    Execucao e;
    QTextStream saida(&e.saida);
    QTextStream erros(&e.erros);
    e.codigo = migrate::comandoImportaParadox(QStringList{"qor_caixa", "--importar-paradox"} + argumentos, saida, erros);
    saida.flush();
    erros.flush();
    return e;
}

bool mesmosBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

class TestImportaParadox : public QObject {
    Q_OBJECT
private slots:
    // A pharmacy's tables as the earlier till left them, file names in the
    // suite's spellings and others, into the three data files of the site.
    void importsTheTillsTables()
    {
        test::TempSuite suite;
        QTemporaryDir antigo;
        const QString p = antigo.path();
        QList<test::Row> sessoes;
        for (int n : {55, 56, 57})
            sessoes << test::Row{{"NumSessao", n},
                                 {"DataAbertura", QDate(2026, 11, n - 50)},
                                 {"HoraAbertura", QTime(8, 0, 12, 340)},
                                 {"DataFechamento", n == 57 ? QVariant() : QDate(2026, 11, n - 50)},
                                 {"HoraFechamento", n == 57 ? QVariant() : QTime(18, 5)},
                                 {"Operador", "JOÃO DA CONCEIÇÃO"},
                                 {"Troco", 100.1},
                                 {"TotalGeral", n == 57 ? QVariant() : QVariant(0.1 + 0.2)}};
        Arquivo("SessaoCx").grava(p, "SESSAOCX.DB", sessoes, 1, "sessaocx.px");
        Arquivo("MovCaixa").grava(
            p, "MovCaixa.db",
            {{{"NumSessao", 56}, {"DataMov", QDate(2026, 11, 6)}, {"HoraMov", QTime(9, 15)}, {"Valor", 1540.55},
              {"FormaPag", "Cartão"}, {"NPedido", "01.000123"}, {"SinalQuitacao", "Quitação"}, {"TipoMov", "Venda"},
              {"EntradaSaida", "Entrada"}, {"NumParcela", 3}, {"NumDocumento", 998877}, {"Laboratorio", "CENTRO"},
              {"ValorOriginal", 1600.0}, {"Desconto", 59.45}},
             {{"NumSessao", 57}, {"DataMov", QDate(2026, 11, 7)}, {"HoraMov", QTime(10, 0)}, {"Valor", 50.0},
              {"FormaPag", "Dinheiro"}, {"Historico", "Devolução do troco"}, {"NPedido", "S_12"}, {"SinalQuitacao", "S_12"},
              {"TipoMov", "Sangria"}, {"EntradaSaida", "Saida"}}});
        Arquivo("CTCaixa").grava(p, "CTCaixa.db", {{{"CTSangria", 12}, {"CTRessuprimento", 3}}});
        Arquivo("CaixaCor").grava(p, "caixacor.DB", {{{"SessaoCorrente", 56}}});
        // Quitacao's kinds are this program's own choice: a shorter text fits,
        // a field of the suite's other programs is left behind.
        Arquivo("Quitacao")
            .muda("NPedido", pxfAlpha, 10)
            .muda("Usuario", pxfAlpha, 20)
            .grava(p, "Quitacao.DB",
                   {{{"Estacao", "01"}, {"NPedido", "000123"}, {"SinalQuitacao", "Q"}, {"Valor", 1540.55},
                     {"DataMov", QDate(2026, 11, 6)}, {"Usuario", "ANA"}}},
                   3, "Quitacao.PX");
        Arquivo("Parsist").grava(p, "Parsist.DB", {{{"Op86", "CENTRO"}}});
        Arquivo("Limite").grava(p, "Limite.db", {{{"QdeDiasAManter", 30}}});
        test::writeParadox(p + "/Usuarios.DB", {{"Nome", pxfAlpha, 30}}, {{"ANA"}});

        const Execucao e = importa({p});
        QCOMPARE(e.erros, QString());
        QCOMPARE(e.codigo, 0);
        QCOMPARE(e.saida, QStringLiteral("Importação de %1\n"
                                         "SessaoCx (SESSAOCX.DB): lidas 3, importadas 3, recusadas 0\n"
                                         "MovCaixa (MovCaixa.db): lidas 2, importadas 2, recusadas 0\n"
                                         "CaixaCor (caixacor.DB): lidas 1, importadas 1, recusadas 0\n"
                                         "CTCaixa (CTCaixa.db): lidas 1, importadas 1, recusadas 0\n"
                                         "Quitacao (Quitacao.DB): lidas 1, importadas 1, recusadas 0\n"
                                         "  campos não importados: Usuario\n"
                                         "Limite (Limite.db): lidas 1, importadas 1, recusadas 0\n"
                                         "Parsist (Parsist.DB): lidas 1, importadas 1, recusadas 0\n"
                                         "Não encontradas: Periodo, TabCaixa, FormaPag, TabLab, Destinos, Parlocal, Estacoes\n"
                                         "Deixadas de lado (o caixa não as usa): Usuarios\n")
                                .arg(p));

        data::Table sessao(kDados, "SessaoCx");
        sessao.open();
        QCOMPARE(sessao.recordCount(), 3);
        sessao.last(); // the open session, and the next one is its number plus 1
        QCOMPARE(sessao.asInteger("NumSessao") + 1, 58);
        QVERIFY(sessao.isNull("DataFechamento"));
        QVERIFY(sessao.isNull("HoraFechamento"));
        QVERIFY(sessao.isNull("TotalGeral"));
        QCOMPARE(sessao.asString("Operador"), QString("JOÃO DA CONCEIÇÃO"));
        QCOMPARE(sessao.asTime("HoraAbertura"), QTime(8, 0, 12, 340));
        sessao.prior();
        QCOMPARE(sessao.asDate("DataFechamento"), QDate(2026, 11, 6));
        QVERIFY(mesmosBits(sessao.asFloat("TotalGeral"), 0.1 + 0.2));
        QVERIFY(mesmosBits(sessao.asFloat("Troco"), 100.1));

        data::Table mov(kDados, "MovCaixa");
        mov.open();
        QCOMPARE(mov.asString("SinalQuitacao"), QString("Quitação"));
        QCOMPARE(mov.asString("FormaPag"), QString("Cartão"));
        QVERIFY(mesmosBits(mov.asFloat("Desconto"), 59.45));
        QCOMPARE(mov.asInteger("NumDocumento"), 998877);
        QVERIFY(mov.isNull("Historico"));
        mov.next();
        QCOMPARE(mov.asString("Historico"), QString("Devolução do troco"));
        QVERIFY(mov.isNull("NumParcela"));
        QVERIFY(mov.isNull("Valor") == false);

        // The set-up's rows of zeros gave way; the counters go on.
        QCOMPARE(test::column(kDados, "CTCaixa", "CTSangria"), QVariantList{12});
        QCOMPARE(cash::numeroDoMovimento(cash::TipoMovimento::Sangria, 12), QString("S_13"));
        QCOMPARE(test::column(kDados, "CTCaixa", "CTRessuprimento"), QVariantList{3});
        QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{56});
        QCOMPARE(test::column(kDados, "Quitacao", "NPedido"), QVariantList{"000123"});
        QCOMPARE(test::column("QUELVORA", "Parsist", "Op86"), QVariantList{"CENTRO"});
        QCOMPARE(test::column("C:\\QUELVORA\\QUITACAO", "Limite", "QdeDiasAManter"), QVariantList{30});
    }

    // A file that does not fit its table stops the whole import before any
    // row is written, naming table and field.
    void refusesFieldsThatDoNotFit_data()
    {
        QTest::addColumn<QString>("tabela");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("missing") << "MovCaixa" << "Historico" << 0 << 0 << "MovCaixa.db: falta o campo Historico";
        QTest::newRow("currency for number")
            << "SessaoCx" << "Troco" << int(pxfCurrency) << 0 << "SessaoCx.db: o campo Troco é Monetário; o caixa espera Número";
        QTest::newRow("short for long") << "CTCaixa" << "CTSangria" << int(pxfShort) << 0
                                        << "CTCaixa.db: o campo CTSangria é Inteiro curto; o caixa espera Inteiro longo";
        QTest::newRow("timestamp for date") << "Periodo" << "DataInicial" << int(pxfTimestamp) << 0
                                            << "Periodo.db: o campo DataInicial é Data e hora; o caixa espera Data";
        QTest::newRow("text for integer") << "Limite" << "QdeDiasAManter" << int(pxfAlpha) << 4
                                          << "Limite.db: o campo QdeDiasAManter é Alfanumérico; o caixa espera Inteiro longo";
        QTest::newRow("longer text") << "MovCaixa" << "NPedido" << int(pxfAlpha) << 16
                                     << "MovCaixa.db: o campo NPedido tem 16 caracteres; o caixa guarda até 15";
    }
    void refusesFieldsThatDoNotFit()
    {
        QFETCH(QString, tabela);
        QFETCH(QString, campo);
        QFETCH(int, tipo);
        QFETCH(int, tamanho);
        QFETCH(QString, motivo);
        test::TempSuite suite;
        QTemporaryDir antigo;
        Arquivo("TabCaixa").grava(antigo.path(), "TabCaixa.DB", {{{"Caixa", "ANA"}}});
        Arquivo(tabela).muda(campo, tipo, tamanho).grava(antigo.path(), tabela + ".db", {});

        const Execucao e = importa({antigo.path()});
        QCOMPARE(e.codigo, 1);
        QCOMPARE(e.erros, "qor_caixa --importar-paradox: nada foi importado.\n" + motivo + "\n");
        QCOMPARE(e.saida, QString());
        QCOMPARE(test::countRows(kDados, "TabCaixa"), 0);
    }

    // The site's rows are never mixed with imported ones: refused, or
    // replaced on request.
    void siteTablesWithRows_data()
    {
        QTest::addColumn<bool>("substituir");
        QTest::newRow("refused") << false;
        QTest::newRow("replaced") << true;
    }
    void siteTablesWithRows()
    {
        QFETCH(bool, substituir);
        test::TempSuite suite;
        test::insertRow(kDados, "SessaoCx", {{"NumSessao", 1}, {"Operador", "NOVO"}});
        test::insertRows(kDados, "TabCaixa", {{{"Caixa", "NOVO"}}, {{"Caixa", "OUTRO"}}});
        test::insertRow(kDados, "CTCaixa", {{"CTSangria", 1}}); // a second row: not the set-up's alone
        QTemporaryDir antigo;
        Arquivo("SessaoCx").grava(antigo.path(), "SessaoCx.db", {{{"NumSessao", 55}, {"Operador", "ANTIGO"}}}, 1);
        Arquivo("TabCaixa").grava(antigo.path(), "TabCaixa.DB", {{{"Caixa", "ANTIGO"}}});
        Arquivo("FormaPag").grava(antigo.path(), "FormaPag.db", {{{"FormaPagto", "Dinheiro"}}});
        Arquivo("CTCaixa").grava(antigo.path(), "CTCaixa.db", {{{"CTSangria", 12}}});

        const Execucao e = importa(substituir ? QStringList{antigo.path(), "--substituir"} : QStringList{antigo.path()});
        if (substituir) {
            QCOMPARE(e.codigo, 0);
            QCOMPARE(test::column(kDados, "SessaoCx", "Operador"), QVariantList{"ANTIGO"});
            QCOMPARE(test::column(kDados, "TabCaixa", "Caixa"), QVariantList{"ANTIGO"});
            QCOMPARE(test::column(kDados, "CTCaixa", "CTSangria"), QVariantList{12});
        } else {
            QCOMPARE(e.codigo, 1);
            QCOMPARE(e.erros, QString("qor_caixa --importar-paradox: nada foi importado.\n"
                                      "SessaoCx: a tabela do site já tem 1 linha(s); --substituir as troca pelas importadas\n"
                                      "CTCaixa: a tabela do site já tem 2 linha(s); --substituir as troca pelas importadas\n"
                                      "TabCaixa: a tabela do site já tem 2 linha(s); --substituir as troca pelas importadas\n"));
            QCOMPARE(test::column(kDados, "SessaoCx", "Operador"), QVariantList{"NOVO"});
            QCOMPARE(test::countRows(kDados, "FormaPag"), 0);
        }
    }

    // A row the table cannot take is left out and said why; the others go in.
    void reportsRefusedRows()
    {
        test::TempSuite suite;
        QTemporaryDir antigo;
        const test::Row venda{{"NumSessao", 1}, {"NPedido", "01.000123"}, {"SinalQuitacao", "Quitação"}, {"Valor", 10.0}};
        test::Row horaDemais = venda;
        horaDemais["NPedido"] = "01.000124";
        horaDemais["HoraMov"] = 24 * 60 * 60 * 1000;
        test::Row sinal = venda;
        sinal["SinalQuitacao"] = "Sinal";
        Arquivo("MovCaixa").grava(antigo.path(), "MovCaixa.db", {venda, venda, horaDemais, sinal});

        const Execucao e = importa({antigo.path()});
        QCOMPARE(e.codigo, 0);
        QVERIFY2(e.saida.contains("MovCaixa (MovCaixa.db): lidas 4, importadas 2, recusadas 2\n"
                                  "  linha 2: repete a chave de outra linha (NPedido 01.000123, SinalQuitacao Quitação)\n"
                                  "  linha 3: hora inválida no campo HoraMov (86400000)\n"),
                 qPrintable(e.saida));
        QCOMPARE(test::column(kDados, "MovCaixa", "SinalQuitacao"), (QVariantList{"Quitação", "Sinal"}));
    }

    // Without the site's tables nothing is opened, so nothing is created.
    void needsTheSiteSetUp()
    {
        test::TempSuite suite(test::TempSuite::Site::Bare);
        QTemporaryDir antigo;
        Arquivo("SessaoCx").grava(antigo.path(), "SessaoCx.db", {{{"NumSessao", 1}}}, 1);
        Arquivo("Parsist").grava(antigo.path(), "Parsist.db", {{{"Op86", "CENTRO"}}});

        const Execucao e = importa({antigo.path()});
        QCOMPARE(e.codigo, 1);
        QCOMPARE(e.erros, QString("qor_caixa --importar-paradox: nada foi importado.\n"
                                  "SessaoCx: a tabela não existe no site (qor_caixa --configurar-site cria as tabelas)\n"
                                  "Parsist: a tabela não existe no site (qor_caixa --configurar-site cria as tabelas)\n"));
        QVERIFY(!QFile::exists(suite.path("dados/qorcaixa.sqlite")));
        QVERIFY(!QFile::exists(suite.path("qorcaixa.sqlite")));
    }

    // One unit of work per data file, kept only when every file went in:
    // another program holding the parameter folder's file undoes the cash
    // data folder's import too.
    void undoesEveryFileWhenOneFails()
    {
        test::TempSuite suite;
        QTemporaryDir antigo;
        Arquivo("SessaoCx").grava(antigo.path(), "SessaoCx.db", {{{"NumSessao", 55}}}, 1);
        Arquivo("Parsist").grava(antigo.path(), "Parsist.DB", {{{"Op86", "CENTRO"}}});
        data::Database::setBusyTimeout(50);
        const auto restaura = qScopeGuard([] { data::Database::setBusyTimeout(5000); });
        test::RawDatabase outro("QUELVORA");
        QVERIFY2(outro.exec("BEGIN IMMEDIATE"), qPrintable(outro.error()));

        const Execucao e = importa({antigo.path()});
        QCOMPARE(e.codigo, 1);
        QVERIFY2(e.erros.startsWith("qor_caixa --importar-paradox: nada foi importado: "), qPrintable(e.erros));
        outro.exec("ROLLBACK");
        QCOMPARE(test::countRows(kDados, "SessaoCx"), 0);
        QCOMPARE(test::countRows("QUELVORA", "Parsist"), 0);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("erros");
        const QString uso = "Uso: qor_caixa --importar-paradox PASTA [--substituir]\n";
        QTest::newRow("no folder") << QStringList{} << 2 << uso;
        QTest::newRow("only the option") << QStringList{"--substituir"} << 2 << uso;
        QTest::newRow("unknown option") << QStringList{"<pasta>", "--tudo"} << 2 << uso;
        QTest::newRow("two folders") << QStringList{"<pasta>", "OUTRA"} << 2 << uso;
        QTest::newRow("missing folder") << QStringList{"<pasta>/nao-existe"} << 1
                                        << "qor_caixa --importar-paradox: nada foi importado.\n"
                                           "a pasta <pasta>/nao-existe não existe\n";
        QTest::newRow("no table of the till") << QStringList{"<pasta>"} << 1
                                              << "qor_caixa --importar-paradox: nada foi importado.\n"
                                                 "nenhuma tabela do caixa em <pasta>\n";
    }
    void commandLine()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, erros);
        test::TempSuite suite;
        QTemporaryDir pasta;
        argumentos.replaceInStrings("<pasta>", pasta.path());
        const Execucao e = importa(argumentos);
        QCOMPARE(e.codigo, codigo);
        QCOMPARE(e.erros, erros.replace("<pasta>", pasta.path()));
    }

    // Through the program's entry, as a pharmacy's technician runs it.
    void throughTheProgram()
    {
        test::TempSuite suite;
        QTemporaryDir antigo;
        Arquivo("TabLab").grava(antigo.path(), "TABLAB.DB", {{{"Laboratorio", "CENTRO"}}, {{"Laboratorio", "SHOPPING"}}});
        QProcess p;
        p.start(QStringLiteral(QOR_CAIXA_EXE), {"--importar-paradox", antigo.path()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(p.readAllStandardOutput().contains("TabLab (TABLAB.DB): lidas 2, importadas 2, recusadas 0\n"),
                 p.readAllStandardError().constData());
        QCOMPARE(test::column(kDados, "TabLab", "Laboratorio"), (QVariantList{"CENTRO", "SHOPPING"}));
    }
};

QTEST_GUILESS_MAIN(TestImportaParadox)
#include "tst_importa_paradox.moc"
