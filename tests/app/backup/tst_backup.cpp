#include "app/backup/ComandoCopia.h"
#include "app/backup/CopiaDeSeguranca.h"
#include "app/backup/Restauracao.h"
#include "data/base/Clock.h"
#include "data/local/Database.h"
#include "tests/support/ExpectError.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/TempSuite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace qor;
using test::RawDatabase;

namespace {

const QDateTime kAgora(QDate(2026, 12, 11), QTime(13, 30, 5));

// Another till: commits a movement and its running total in one
// transaction, over and over, through the table layer's own connection,
// until the stop file appears.
int escritor(const QString& pasta, const QString& pare)
{
    auto db = data::Database::forFolder(pasta);
    for (int n = 1; !QFile::exists(pare); ++n) {
        db->exec(QStringLiteral("BEGIN IMMEDIATE"));
        db->exec(QStringLiteral("INSERT INTO Lanc VALUES (%1, randomblob(3000))").arg(n));
        db->exec(QStringLiteral("UPDATE Saldo SET total = total + %1").arg(n));
        db->exec(QStringLiteral("COMMIT"));
    }
    return 0;
}

qlonglong numero(RawDatabase& db, const QString& sql) { return db.scalar(sql).toLongLong(); }

QStringList conteudo(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// Three data files, as a site has them: the root, dados and quitacao.
void criaSuite(const test::TempSuite& suite)
{
    for (const QString& pasta : {QStringLiteral("QUELVORA"), QStringLiteral("QORFDADOS"),
                                 QStringLiteral("C:\\QUELVORA\\QUITACAO")}) {
        RawDatabase db(pasta);
        QVERIFY(db.exec(QStringLiteral("PRAGMA journal_mode=WAL")));
        QVERIFY(db.exec(QStringLiteral("CREATE TABLE Origem(pasta TEXT)")));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Origem VALUES ('%1')").arg(pasta)));
    }
    QVERIFY(QFile::exists(suite.path("quitacao/qorcaixa.sqlite")));
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { data::Database::releaseIdle(); }

    void copiesEveryDataFileWithItsFolder()
    {
        test::TempSuite suite;
        criaSuite(suite);
        QTemporaryDir destino;
        const FixedClock relogio(kAgora);
        const backup::CopiaFeita feita = backup::fazCopiaDeSeguranca(destino.path(), 30, relogio);

        QCOMPARE(feita.pasta, destino.path() + "/qor-caixa-20261211-133005");
        QStringList relativos;
        for (const auto& a : feita.arquivos)
            relativos << a.relativo;
        QCOMPARE(relativos, QStringList({"dados/qorcaixa.sqlite", "qorcaixa.sqlite", "quitacao/qorcaixa.sqlite"}));
        for (const auto& a : feita.arquivos) {
            auto copia = RawDatabase::atPath(feita.pasta + '/' + a.relativo);
            QCOMPARE(copia.scalar("PRAGMA journal_mode").toString(), "delete");
            QVERIFY(!copia.scalar("SELECT pasta FROM Origem").toString().isEmpty());
        }
        QCOMPARE(conteudo(feita.pasta + "/dados"), QStringList{"qorcaixa.sqlite"});
        QCOMPARE(conteudo(destino.path()), QStringList{"qor-caixa-20261211-133005"});
    }

    void aBackupFolderInsideTheRootIsNotCopiedAgain()
    {
        test::TempSuite suite;
        criaSuite(suite);
        FixedClock relogio(kAgora);
        backup::fazCopiaDeSeguranca(suite.path("copias"), 30, relogio);
        relogio.set(kAgora.addDays(1));
        const backup::CopiaFeita segunda = backup::fazCopiaDeSeguranca(suite.path("copias"), 30, relogio);
        QCOMPARE(segunda.arquivos.size(), 3);
    }

    void keepsTheLastN_data()
    {
        QTest::addColumn<int>("manter");
        QTest::addColumn<QStringList>("ficam");
        QTest::addColumn<QStringList>("removidas");
        const QStringList antigas{"qor-caixa-20261101-080000", "qor-caixa-20261201-080000",
                                  "qor-caixa-20261201-080000-2"};
        const QString nova = "qor-caixa-20261211-133005";
        QTest::newRow("one") << 1 << QStringList{nova} << antigas;
        QTest::newRow("two") << 2 << QStringList{antigas.at(2), nova} << antigas.mid(0, 2);
        QTest::newRow("default") << backup::CopiasMantidasPadrao << antigas + QStringList{nova} << QStringList();
    }

    void keepsTheLastN()
    {
        QFETCH(int, manter);
        QFETCH(QStringList, ficam);
        QFETCH(QStringList, removidas);
        test::TempSuite suite;
        criaSuite(suite);
        QTemporaryDir destino;
        for (const char* antiga : {"qor-caixa-20261101-080000", "qor-caixa-20261201-080000",
                                      "qor-caixa-20261201-080000-2", "fotos", "qor-caixa-antiga"})
            QVERIFY(QDir(destino.path()).mkpath(QString(antiga) + "/dados"));

        const auto feita = backup::fazCopiaDeSeguranca(destino.path(), manter, FixedClock(kAgora));
        QCOMPARE(feita.removidas, removidas);
        QCOMPARE(backup::copiasEm(destino.path()), ficam);
        QVERIFY(QDir(destino.path() + "/fotos").exists());
        QVERIFY(QDir(destino.path() + "/qor-caixa-antiga").exists());
    }

    // The copies are taken while a second process keeps committing: each one
    // is a moment of the file (every movement counted in the total, no more).
    void backupWhileAnotherProcessWrites()
    {
        test::TempSuite suite;
        {
            RawDatabase db("QORFDADOS");
            QVERIFY(db.exec("CREATE TABLE Lanc(n INTEGER, carga BLOB)"));
            QVERIFY(db.exec("CREATE TABLE Saldo(total INTEGER)"));
            QVERIFY(db.exec("INSERT INTO Saldo VALUES (0)"));
        }
        const QString pare = suite.path("pare");
        QProcess outro;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QOR_ESCRITOR", suite.path("dados"));
        env.insert("QOR_ESCRITOR_PARE", pare);
        outro.setProcessEnvironment(env);
        outro.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        outro.start(QCoreApplication::applicationFilePath());
        QVERIFY(outro.waitForStarted());

        QTemporaryDir destino;
        FixedClock relogio(kAgora);
        RawDatabase vivo("QORFDADOS");
        for (int i = 0; i < 3; ++i) {
            const qlonglong antes = numero(vivo, "SELECT count(*) FROM Lanc");
            QTRY_VERIFY_WITH_TIMEOUT(numero(vivo, "SELECT count(*) FROM Lanc") > antes + 20, 20000);
            relogio.set(kAgora.addSecs(i));
            const auto feita = backup::fazCopiaDeSeguranca(destino.path(), 30, relogio);
            auto copia = RawDatabase::atPath(feita.pasta + "/dados/qorcaixa.sqlite");
            const qlonglong linhas = numero(copia, "SELECT count(*) FROM Lanc");
            QVERIFY2(linhas > antes + 20, qPrintable(QString::number(linhas)));
            QCOMPARE(numero(copia, "SELECT max(n) FROM Lanc"), linhas);
            QCOMPARE(numero(copia, "SELECT total FROM Saldo"), numero(copia, "SELECT sum(n) FROM Lanc"));
        }
        QFile(pare).open(QIODevice::WriteOnly);
        QVERIFY(outro.waitForFinished(20000));
        QCOMPARE(outro.exitCode(), 0);
        QCOMPARE(backup::copiasEm(destino.path()).size(), 3);
    }

    void restoreRefusesWhileInUse()
    {
        test::TempSuite suite;
        criaSuite(suite);
        QTemporaryDir destino;
        const auto feita = backup::fazCopiaDeSeguranca(destino.path(), 30, FixedClock(kAgora));
        QVERIFY(QFile::remove(suite.path("quitacao/qorcaixa.sqlite")));
        RawDatabase caixa("QORFDADOS");
        QVERIFY(caixa.exec("INSERT INTO Origem VALUES ('depois da cópia')"));

        for (const bool confirmado : {false, true})
            test::expectError(kind::DatabaseLocked, [&] { backup::restauraCopia(feita.pasta, confirmado); },
                              suite.path("dados/qorcaixa.sqlite") + " está em uso por outro programa");
        QCOMPARE(numero(caixa, "SELECT count(*) FROM Origem"), 2);
        QVERIFY(!QFile::exists(suite.path("quitacao/qorcaixa.sqlite")));
    }

    void restorePutsEveryFileBack()
    {
        test::TempSuite suite;
        criaSuite(suite);
        QTemporaryDir destino;
        const auto feita = backup::fazCopiaDeSeguranca(destino.path(), 30, FixedClock(kAgora));
        {
            RawDatabase caixa("QORFDADOS");
            QVERIFY(caixa.exec("INSERT INTO Origem VALUES ('depois da cópia')"));
        }
        QVERIFY(QFile::remove(suite.path("quitacao/qorcaixa.sqlite")));

        const auto plano = backup::restauraCopia(feita.pasta, false);
        QCOMPARE(plano.size(), 3);
        QCOMPARE(plano.at(0).caminho, suite.path("dados/qorcaixa.sqlite"));
        QVERIFY(plano.at(0).substitui);
        QVERIFY(!plano.at(2).substitui);
        QVERIFY(!QFile::exists(suite.path("quitacao/qorcaixa.sqlite")));

        backup::restauraCopia(feita.pasta, true);
        RawDatabase dados("QORFDADOS");
        QCOMPARE(numero(dados, "SELECT count(*) FROM Origem"), 1);
        QCOMPARE(dados.scalar("PRAGMA integrity_check").toString(), "ok");
        RawDatabase quitacao("C:\\QUELVORA\\QUITACAO");
        QCOMPARE(quitacao.scalar("SELECT pasta FROM Origem").toString(), "C:\\QUELVORA\\QUITACAO");
    }

    void restoreRefusesADamagedCopy()
    {
        test::TempSuite suite;
        criaSuite(suite);
        QTemporaryDir destino;
        const auto feita = backup::fazCopiaDeSeguranca(destino.path(), 30, FixedClock(kAgora));
        QFile copia(feita.pasta + "/dados/qorcaixa.sqlite");
        QVERIFY(copia.open(QIODevice::ReadWrite));
        copia.seek(4096); // the header of the table's page
        copia.write(QByteArray(12, '\x5a'));
        copia.close();

        test::expectError(kind::DatabaseCorrupt, [&] { backup::restauraCopia(feita.pasta, true); });
        RawDatabase dados("QORFDADOS");
        QCOMPARE(dados.scalar("PRAGMA integrity_check").toString(), "ok");
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("erro");
        QTest::newRow("no folder") << QStringList{"--backup"} << 2
                                   << "qor_caixa --backup: falta a pasta de destino\n"
                                      "Uso: qor_caixa --backup PASTA [--manter N]\n";
        QTest::newRow("keep zero") << QStringList{"--backup", "x", "--manter", "0"} << 2
                                   << "qor_caixa --backup: opções inválidas (--manter pede um número a partir de 1)\n"
                                      "Uso: qor_caixa --backup PASTA [--manter N]\n";
        QTest::newRow("keep text") << QStringList{"--backup", "x", "--manter", "dez"} << 2
                                   << "qor_caixa --backup: opções inválidas (--manter pede um número a partir de 1)\n"
                                      "Uso: qor_caixa --backup PASTA [--manter N]\n";
        QTest::newRow("restore, no folder") << QStringList{"--restaurar", "--confirmar"} << 2
                                            << "qor_caixa --restaurar: falta a pasta da cópia\n"
                                               "Uso: qor_caixa --restaurar CÓPIA [--confirmar]\n";
        QTest::newRow("restore, unknown") << QStringList{"--restaurar", "x", "--sim"} << 2
                                          << "qor_caixa --restaurar: opção desconhecida: --sim\n"
                                             "Uso: qor_caixa --restaurar CÓPIA [--confirmar]\n";
        QTest::newRow("not a backup") << QStringList{"--restaurar", "/nao/existe"} << 1
                                      << "qor_caixa --restaurar: /nao/existe não é uma cópia de segurança do caixa\n";
        QTest::newRow("empty suite") << QStringList{"--backup", "x"} << 1
                                     << "qor_caixa --backup: Nenhum arquivo de dados na pasta da suíte ROOT\n";
    }

    void commandLine()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, erro);
        test::TempSuite suite(test::TempSuite::Site::Bare);
        QString saida, erros;
        QTextStream out(&saida), err(&erros);
        QCOMPARE(backup::comandoDeCopia(QStringList{"qor_caixa"} + argumentos, out, err, FixedClock(kAgora)), codigo);
        err.flush();
        QCOMPARE(erros, erro.replace("ROOT", suite.root()));
        QCOMPARE(saida, QString());
    }

    void commandLineTellsWhatItWrote()
    {
        test::TempSuite suite;
        criaSuite(suite);
        QTemporaryDir destino;
        QString saida, erros;
        QTextStream out(&saida), err(&erros);
        const QStringList args{"qor_caixa", "--backup", destino.path(), "--manter", "1"};
        QCOMPARE(backup::comandoDeCopia(args, out, err, FixedClock(kAgora)), 0);
        QCOMPARE(backup::comandoDeCopia(args, out, err, FixedClock(kAgora.addSecs(60))), 0);
        out.flush();
        const QString copia = destino.path() + "/qor-caixa-20261211-133105";
        const auto bytes = [&](const QString& relativo) { return QString::number(QFileInfo(copia + '/' + relativo).size()); };
        QVERIFY(saida.endsWith("Cópia de segurança de " + suite.root() + " em " + copia + ":\n"
                               "  dados/qorcaixa.sqlite (" + bytes("dados/qorcaixa.sqlite") + " bytes, íntegro)\n"
                               "  qorcaixa.sqlite (" + bytes("qorcaixa.sqlite") + " bytes, íntegro)\n"
                               "  quitacao/qorcaixa.sqlite (" + bytes("quitacao/qorcaixa.sqlite") + " bytes, íntegro)\n"
                               "Cópia antiga removida: qor-caixa-20261211-133005\n"));
        QCOMPARE(erros, QString());

        saida.clear();
        QCOMPARE(backup::comandoDeCopia({"qor_caixa", "--restaurar", copia}, out, err, FixedClock(kAgora)), 1);
        out.flush();
        QCOMPARE(saida, "A cópia " + copia + " substituiria:\n"
                        "  " + suite.root() + "/dados/qorcaixa.sqlite\n"
                        "  " + suite.root() + "/qorcaixa.sqlite\n"
                        "  " + suite.root() + "/quitacao/qorcaixa.sqlite\n"
                        "Nada foi alterado. Para restaurar, repita o comando com --confirmar.\n");
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("QOR_ESCRITOR"))
        return escritor(qEnvironmentVariable("QOR_ESCRITOR"), qEnvironmentVariable("QOR_ESCRITOR_PARE"));
    QCoreApplication app(argc, argv);
    TestBackup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backup.moc"
