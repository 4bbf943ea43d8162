#include "app/login/CodificaSenha.h"
#include "app/login/LocalizaEstacao.h"
#include "app/login/VerificaUsuario.h"
#include "data/base/Text.h"
#include "data/orderdb/SqlCommand.h"
#include "data/orderdb/TDM.h"
#include "tests/data/orderdb/TempOrderDb.h"
#include "tests/support/TempSuite.h"

#include <QTest>

#include <memory>

using namespace qor;

Q_DECLARE_METATYPE(qor::app::CampoLogin)

namespace {

const QString kCR = QStringLiteral("\r");

} // namespace

// One order database for the whole class (creating one takes a while);
// every case uses its own users and workstations.
class TestIdentificacao : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        suite_ = std::make_unique<test::TempSuite>();
        db_ = std::make_unique<test::TempOrderDb>();
        db_->connect(dm_.SQLConnection1);
        // name as stored (before encoding), password, ACESSO
        addUser("CAIXA2", "ABC", "SSSSSSSSSSO");
        addUser(QString::fromUtf8("JOSé"), "1", QString::fromUtf8("SSSSSSSSSSV"));      // J + 12 = V
        addUser(QString::fromUtf8("ZÉ"), "1", QString::fromUtf8("SSSSSSSSSSf"));        // Z + 12 = f
        addUser("CURTO", "1", "SSSSSSSSSS");
        addUser("SEMDIREITO", "1", "SSSSSSSSSSX");
        addUser("SEMSENHA", "", "SSSSSSSSSS_");                                           // S + 12 = _
        addStation("05", "DUPLO", "C:\\Quelvora\\Interfac05");
        addStation("03", "DUPLO", "C:\\Quelvora\\Interfac03");
        addStation("07", "minusculo", "C:\\Quelvora\\Interfac07");
        addStation("08", "SEMAREA", "");
    }

    void cleanupTestCase()
    {
        dm_.SQLConnection1.close();
        db_.reset();
        suite_.reset();
    }

    void checksTheTypedUser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message"); // "" = accepted
        QTest::addColumn<app::CampoLogin>("focus");
        const auto nome = app::CampoLogin::Nome;
        const auto senha = app::CampoLogin::Senha;
        QTest::newRow("demo user") << "CAIXA" << "123" << "" << nome;
        QTest::newRow("lower-case name and password") << "caixa2" << "abc" << "" << nome;
        QTest::newRow("empty name") << "" << "123" << QString::fromUtf8("Não foi informado o Nome do Usuário.") << nome;
        QTest::newRow("blank name is not empty")
            << "  " << "123" << QString::fromUtf8("Usuário    não autorizado") << nome;
        QTest::newRow("unknown, as typed") << "ninguém" << "1" << QString::fromUtf8("Usuário ninguém não autorizado")
                                          << nome;
        QTest::newRow("wrong password") << "CAIXA" << "124" << "Senha incorreta. Tente novamente." << senha;
        QTest::newRow("seven-character password") << "CAIXA" << "1234567" << "Senha incorreta. Tente novamente."
                                                  << senha;
        QTest::newRow("empty password matches an empty one") << "semsenha" << "" << "" << nome;
        QTest::newRow("accented letter kept") << QString::fromUtf8("josé") << "1" << "" << nome;
        QTest::newRow("accented letter not upper-cased")
            << QString::fromUtf8("zé") << "1" << QString::fromUtf8("Usuário zé não autorizado") << nome;
        QTest::newRow("ACESSO of 10") << "curto" << "1" << QString::fromUtf8("Usuário curto não autorizado") << nome;
        QTest::newRow("no cash right") << "SEMDIREITO" << "1"
                                       << QString::fromUtf8("Usuário SEMDIREITO não autorizado") << nome;
        QTest::newRow("sixteen characters") << "ABCDEFGHIJKLMNOP" << "1"
                                            << QString::fromUtf8("Usuário ABCDEFGHIJKLMNOP não autorizado") << nome;
        QTest::newRow("outside the code page") << QString::fromUtf8("日本") << "1"
                                               << QString::fromUtf8("Usuário 日本 não autorizado") << nome;
    }
    void checksTheTypedUser()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(app::CampoLogin, focus);
        const app::ResultadoLogin r = app::verificaUsuario(dm_.Usuarios, name, password);
        QCOMPARE(r.accepted, message.isEmpty());
        QCOMPARE(r.message, message);
        if (r.accepted)
            QCOMPARE(r.typedName, text::upperAZ(name));
        else
            QCOMPARE(r.focus, focus);
        QVERIFY(!dm_.Usuarios.active());
    }

    void findsTheOperatorsWorkstation()
    {
        FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
        app::AppState state;
        state.setNomeOperador("CAIXA");
        const app::EstacaoDoOperador found = app::LocalizaEstacao(dm_, state, clock);
        QCOMPARE(found.datbasnam, "C:\\Quelvora\\Interfac01");
        QCOMPARE(found.mensagem, QString());
        QCOMPARE(state.CodigoEstacao, "01");
        QCOMPARE(found.legenda, QString::fromUtf8("  CAD. DE VEÍCULOS / BASES  -  Usuário: \"CAIXA\"   Estação: 01"));
        QVERIFY(!dm_.Estacoes.active());
        // The in-use mark stays in the data module's copy.
        QCOMPARE(serverValue("select EMUSO from ESTACOES where ESTACAO = '01'"), QVariant("N"));
        QVERIFY(serverValue("select ATCAIXA from ESTACOES where ESTACAO = '01'").isNull());
    }

    void workstationCases_data()
    {
        QTest::addColumn<QString>("operador");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("datbasnam");
        QTest::newRow("first row of two") << "DUPLO" << "05" << "C:\\Quelvora\\Interfac05";
        QTest::newRow("stored in lower case") << "MINUSCULO" << "07" << "C:\\Quelvora\\Interfac07";
        QTest::newRow("empty data area") << "SEMAREA" << "08" << "";
    }
    void workstationCases()
    {
        QFETCH(QString, operador);
        QFETCH(QString, codigo);
        QFETCH(QString, datbasnam);
        FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        app::AppState state;
        state.setNomeOperador(operador);
        const app::EstacaoDoOperador found = app::LocalizaEstacao(dm_, state, clock);
        QCOMPARE(state.CodigoEstacao, codigo);
        QCOMPARE(found.datbasnam, datbasnam);
        QCOMPARE(found.mensagem, QString());
        QVERIFY(found.legenda.endsWith(QString::fromUtf8("Estação: ") + codigo));
    }

    void noWorkstation_data()
    {
        QTest::addColumn<QString>("operador");
        QTest::newRow("none") << "SEMESTACAO";
        QTest::newRow("quote in the name") << "O'NEIL";
        QTest::newRow("quote that would close the statement") << "X' OR '1'='1";
    }
    void noWorkstation()
    {
        QFETCH(QString, operador);
        FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        app::AppState state;
        state.CodigoEstacao = "XX";
        state.setNomeOperador(operador);
        const app::EstacaoDoOperador found = app::LocalizaEstacao(dm_, state, clock);
        QCOMPARE(state.CodigoEstacao, QString());
        QCOMPARE(found.datbasnam, QString());
        QCOMPARE(found.legenda, QString());
        QCOMPARE(found.mensagem,
            QString::fromUtf8("Não foi possível selecionar uma área de trabalho para o usuário \"") + operador
                + "\". " + kCR + kCR + QString::fromUtf8("Causas prováveis: ") + kCR + kCR
                + QString::fromUtf8("  1) Na tabela \"Estacoes.db\" não foi incluída uma estação para o usuário \"")
                + operador + "\"." + kCR
                + QString::fromUtf8("     Obs: Criar também a área de trabalho física (pasta C:\\Quelvora\\InterfacXX) "
                                    "para este usuário.")
                + kCR + QString::fromUtf8("  --> Favor contactar o suporte técnico da QOR SISTEMAS <--"));
    }

private:
    void exec(const QString& sql, const QVariantList& values)
    {
        orderdb::SqlCommand cmd(dm_.SQLConnection1);
        cmd.setCommandText(sql);
        for (const QVariant& v : values)
            cmd.addBindValue(v);
        cmd.execute();
    }

    void addUser(const QString& name, const QString& password, const QString& acesso)
    {
        exec("insert into USUARIOS (USUARIO, SENHA, ACESSO) values (?, ?, ?)",
             {app::CodificaSenha(name), app::CodificaSenha(password), acesso});
    }

    void addStation(const QString& code, const QString& user, const QString& datbasnam)
    {
        exec("insert into ESTACOES (ESTACAO, DATBASNAM, EMUSO, USUARIO) values (?, ?, 'N', ?)",
             {code, datbasnam, user});
    }

    QVariant serverValue(const QString& sql)
    {
        orderdb::SqlCommand cmd(dm_.SQLConnection1);
        cmd.setCommandText(sql);
        const orderdb::RowData rows = cmd.fetchAll();
        return rows.rows.isEmpty() ? QVariant() : rows.rows.first().first();
    }

    std::unique_ptr<test::TempSuite> suite_;
    std::unique_ptr<test::TempOrderDb> db_;
    orderdb::TDM dm_;
};

QTEST_GUILESS_MAIN(TestIdentificacao)
#include "tst_identificacao.moc"
