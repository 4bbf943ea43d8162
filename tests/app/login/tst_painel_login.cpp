#include "app/log/ActivityLog.h"
#include "app/login/CodificaSenha.h"
#include "app/login/ui/PainelLogin.h"
#include "data/orderdb/SqlCommand.h"
#include "data/orderdb/TDM.h"
#include "tests/app/fixture/FormFixture.h"
#include "tests/data/orderdb/TempOrderDb.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace qor;

namespace {

const QString kLog = QStringLiteral("LOG261210_1000.txt");

// The identification panel on a main window, over a data module connected
// to the class's order database.
struct LoginFixture {
    explicit LoginFixture(const test::TempOrderDb& db) : log(f.state, f.clock)
    {
        db.connect(dm.SQLConnection1);
        painel = new app::PainelLogin(f.form(), dm, log);
        f.form().installPanel(painel);
        f.form().RegistraSaida = [this] { log.RegistraSaida(nome()->text()); };
        f.start();
    }

    QLineEdit* nome() { return f.find<QLineEdit>("EditNome"); }
    QLineEdit* senha() { return f.find<QLineEdit>("EditSenhaU"); }
    QWidget* focused() { return QApplication::focusWidget(); }

    void typeAndEnter(const QString& name, const QString& password)
    {
        nome()->setFocus();
        QTest::keyClicks(nome(), name);
        QTest::keyClick(nome(), Qt::Key_Return);   // moves on to the password
        QTest::keyClicks(senha(), password);
        QTest::keyClick(senha(), Qt::Key_Return);  // identifies
    }

    bool toolbarShown() { return f.find<QToolButton>("btnVenda")->isVisibleTo(&f.form()); }

    test::FormFixture f;
    orderdb::TDM dm;
    app::ActivityLog log;
    app::PainelLogin* painel = nullptr;
};

} // namespace

class TestPainelLogin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        db_ = std::make_unique<test::TempOrderDb>(dir_.filePath("quelvora.bd"));
        orderdb::TDM dm;
        db_->connect(dm.SQLConnection1);
        orderdb::SqlCommand cmd(dm.SQLConnection1);
        const auto user = [&](const QString& name, const QString& password, const QString& acesso) {
            cmd.setCommandText("insert into USUARIOS (USUARIO, SENHA, ACESSO) values (?, ?, ?)");
            cmd.addBindValue(app::CodificaSenha(name));
            cmd.addBindValue(app::CodificaSenha(password));
            cmd.addBindValue(acesso);
            cmd.execute();
        };
        user("SEMESTACAO", "1", "SSSSSSSSSS_");  // S + 12 = _
        user("SEMAREA", "1", "SSSSSSSSSS_");
        user("NEGADO", "1", "SSSSSSSSSSX");
        cmd.setCommandText("insert into ESTACOES (ESTACAO, DATBASNAM, USUARIO) values ('08', null, 'SEMAREA')");
        cmd.execute();
    }

    void panelAsShown()
    {
        LoginFixture l(*db_);
        QCOMPARE(l.painel->geometry(), QRect(80, 64, 401, 193));
        QVERIFY(l.painel->isVisible());
        auto* titulo = l.f.find<QLabel>("Panel48");
        QCOMPARE(titulo->text(), QString::fromUtf8("Identificação do Usuário"));
        QCOMPARE(titulo->geometry(), QRect(0, 0, 401, 26));
        const auto at = [&](const QString& name) {
            const QWidget* w = l.f.find(name);
            return QList<int>{w->x(), w->y(), w->width()};
        };
        QCOMPARE(at("EditNome"), (QList<int>{100, 73, 166}));
        QCOMPARE(at("EditSenhaU"), (QList<int>{100, 105, 73}));
        QCOMPARE(at("BotOkSenha"), (QList<int>{287, 72, 69}));
        QCOMPARE(at("BotCancSenha"), (QList<int>{287, 101, 69}));
        QCOMPARE(l.f.find<QPushButton>("BotOkSenha")->text(), "OK");
        QCOMPARE(l.f.find<QPushButton>("BotCancSenha")->text(), "Cancela");

        QCOMPARE(l.focused(), l.nome());
        QStringList chain;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(l.focused(), Qt::Key_Tab);
            chain << l.focused()->objectName();
        }
        QCOMPARE(chain, (QStringList{"EditSenhaU", "BotOkSenha", "BotCancSenha"}));

        QCOMPARE(l.senha()->echoMode(), QLineEdit::Password);
        QCOMPARE(l.senha()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, l.senha()), int('#'));
    }

    void demoLoginByKeyboard()
    {
        LoginFixture l(*db_);
        l.typeAndEnter("caixa", "123");

        QVERIFY(l.f.boxes.shown().isEmpty());
        QVERIFY(!l.painel->isVisible());
        QVERIFY(l.toolbarShown());
        QCOMPARE(l.f.form().windowTitle(),
            QString::fromUtf8("  CAD. DE VEÍCULOS / BASES  -  Usuário: \"CAIXA\"   Estação: 01"));
        QCOMPARE(l.f.state.NomeOperador(), "CAIXA");
        QCOMPARE(l.f.state.CodigoEstacao, "01");
        QCOMPARE(l.nome()->text(), "CAIXA");
        QCOMPARE(l.senha()->text(), QString());
        QCOMPARE(l.f.suite.readFile(kLog), QByteArray("CAIXA entrou no caixa em 10/12/26 as 10:00\r\n"));

        l.f.trigger("act_Sair");
        QCOMPARE(l.f.suite.readFile(kLog),
            QByteArray("CAIXA entrou no caixa em 10/12/26 as 10:00\r\n"
                       "CAIXA saiu do caixa em 10/12/26 as 10:00\r\n"));
    }

    void nameIsUpperCasedWhenLeft()
    {
        LoginFixture l(*db_);
        QTest::keyClicks(l.nome(), "jos");
        l.nome()->insert(QString::fromUtf8("é")); // QTest types ASCII only
        QTest::keyClick(l.nome(), Qt::Key_Tab);
        QCOMPARE(l.nome()->text(), QString::fromUtf8("JOSé"));
    }

    void refusalsKeepThePanel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("empty name") << "" << "123" << QString::fromUtf8("Não foi informado o Nome do Usuário.")
                                    << "EditNome";
        QTest::newRow("unknown") << "fulano" << "1" << QString::fromUtf8("Usuário FULANO não autorizado")
                                 << "EditNome";
        QTest::newRow("wrong password") << "CAIXA" << "999" << "Senha incorreta. Tente novamente." << "EditSenhaU";
        QTest::newRow("no cash right") << "NEGADO" << "1" << QString::fromUtf8("Usuário NEGADO não autorizado")
                                       << "EditNome";
    }
    void refusalsKeepThePanel()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        LoginFixture l(*db_);
        l.f.boxes.script(app::BoxAnswer::Ok);
        l.typeAndEnter(name, password);

        QCOMPARE(l.f.boxes.texts(), QStringList{message});
        QCOMPARE(l.focused()->objectName(), focus);
        QVERIFY(l.painel->isVisible());
        QVERIFY(!l.toolbarShown());
        QCOMPARE(l.senha()->text(), password);
        QVERIFY(l.f.form().isVisible());
    }

    void missingWorkstationEndsTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("longMessage");
        QTest::newRow("no workstation") << "SEMESTACAO" << true;
        QTest::newRow("empty data area") << "SEMAREA" << false;
    }
    void missingWorkstationEndsTheProgram()
    {
        QFETCH(QString, name);
        QFETCH(bool, longMessage);
        LoginFixture l(*db_);
        l.f.boxes.answerAllOk();
        l.typeAndEnter(name, "1");

        QStringList texts = l.f.boxes.texts();
        QCOMPARE(texts.size(), longMessage ? 2 : 1);
        if (longMessage)
            QVERIFY(texts.takeFirst().startsWith(QString::fromUtf8("Não foi possível selecionar uma área de trabalho")));
        QCOMPARE(texts, QStringList{QString::fromUtf8("Não foi identificada uma área de trabalho para o usuáro ") + name});
        QVERIFY(!l.f.form().isVisible());
        QVERIFY(!l.painel->isVisibleTo(&l.f.form()));
        QCOMPARE(l.f.state.NomeOperador(), name);
        // The program was closing already when the entered line was written.
        QCOMPARE(l.f.suite.readFile(kLog), (name + " entrou no caixa em 10/12/26 as 10:00\r\n").toLatin1());
    }

    void escAndCancelaEndTheProgram_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("Cancela") << false;
    }
    void escAndCancelaEndTheProgram()
    {
        QFETCH(bool, escape);
        LoginFixture l(*db_);
        QTest::keyClicks(l.nome(), "caixa");
        if (escape)
            QTest::keyClick(l.nome(), Qt::Key_Escape);
        else
            QTest::mouseClick(l.f.find<QPushButton>("BotCancSenha"), Qt::LeftButton);
        QVERIFY(!l.f.form().isVisible());
        QVERIFY(!l.painel->isVisibleTo(&l.f.form()));
        QVERIFY(l.f.boxes.shown().isEmpty());
        QVERIFY(QDir(l.f.suite.root()).entryList({"LOG*"}).isEmpty()); // no log, no exit line
    }

    void databaseErrorLeavesThePanel()
    {
        LoginFixture l(*db_);
        l.dm.SQLConnection1.close();
        l.f.boxes.script(app::BoxAnswer::Ok);
        l.typeAndEnter("CAIXA", "123");
        QVERIFY(l.f.boxes.lastText().startsWith("Erro inesperado.\rClasse: "));
        QVERIFY(l.painel->isVisible());
        QVERIFY(!l.toolbarShown());
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<test::TempOrderDb> db_;
};

QTEST_MAIN(TestPainelLogin)
#include "tst_painel_login.moc"
