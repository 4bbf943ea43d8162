#include "app/cli/Ajuda.h"
#include "reports/project/ReportProjectInstall.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace qor;

namespace {

// The manual page as a reader sees its words: roff's "\-" is a hyphen.
QString paginaDoManual()
{
    QFile f(QStringLiteral(QOR_MAN_PAGE));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void withoutADisplay_data()
    {
        QTest::addColumn<QString>("opcao");
        QTest::addColumn<QString>("saida");
        QTest::newRow("help") << "--help" << cli::textoDeAjuda();
        QTest::newRow("version") << "--version" << cli::textoDeVersao() + '\n';
    }

    void withoutADisplay()
    {
        QFETCH(QString, opcao);
        QFETCH(QString, saida);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QOR_CAIXA_EXE), {opcao});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), saida);
        QCOMPARE(p.readAllStandardError(), QByteArray());
    }

    void manualDocumentsEveryOptionOfTheHelp()
    {
        const QString manual = paginaDoManual();
        QVERIFY(!manual.isEmpty());
        for (const QString& opcao : cli::opcoesDaAjuda())
            QVERIFY2(manual.contains(QRegularExpression(QRegularExpression::escape(opcao) + "\\b(?!-)")),
                     qPrintable(opcao));
    }

    // Every report the program's project holds is named in the help and the manual.
    void helpAndManualNameEveryReport()
    {
        static const QRegularExpression nome(QStringLiteral("<report name=\"([^\"]+)\""));
        const QString projeto = QString::fromUtf8(reports::builtInReportProject());
        const QString manual = paginaDoManual();
        int relatorios = 0;
        for (const auto& m : nome.globalMatch(projeto)) {
            ++relatorios;
            QVERIFY2(cli::textoDeAjuda().contains(m.captured(1)), qPrintable(m.captured(1)));
            QVERIFY2(manual.contains(m.captured(1)), qPrintable(m.captured(1)));
        }
        QVERIFY(relatorios > 0);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
