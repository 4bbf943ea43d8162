#include "app/Application.h"
#include "app/backup/ComandoCopia.h"
#include "app/cli/Ajuda.h"
#include "app/demo/DemoSeed.h"
#include "app/migrate/ComandoImportaParadox.h"
#include "app/site/ConfiguraSite.h"
#include "app/site/VerificaSite.h"
#include "app/widgets/QtMessageBoxes.h"
#include "app/window/ParadaPorSinal.h"
#include "app/window/TraducaoDoQt.h"
#include "data/base/Clock.h"
#include "data/base/SuitePaths.h"
#include "reports/headless/RelatorioEmPdf.h"
#include "reports/project/ReportProjectInstall.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <exception>
#include <functional>

namespace {

// Last line of defence: an error escaping any event handler reaches the
// unexpected-error display instead of ending the program.
class CaixaApplication final : public QApplication {
public:
    using QApplication::QApplication;
    void setBoxes(qor::app::MessageBoxes* boxes) { boxes_ = boxes; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            if (boxes_)
                boxes_->unexpected(e);
        }
        return false;
    }

private:
    qor::app::MessageBoxes* boxes_ = nullptr;
};

int seedDemo(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        qor::app::configuraSite({});
        qor::demo::seedDemoTables();
        qor::reports::installReportProject();
    } catch (const std::exception& e) {
        QTextStream(stderr) << "qor_caixa --seed-demo: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    return 0;
}

using ConsoleCommand = std::function<int(const QStringList&, QTextStream&, QTextStream&)>;

// A command with no window (site set-up, import, backup): what it did on
// stdout, its reasons on stderr; needs no display.
int consoleCommand(int argc, char** argv, const ConsoleCommand& command)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return command(QCoreApplication::arguments(), out, err);
}

// A report straight into a PDF file; no window is shown, so no display is needed.
int reportToPdf(int argc, char** argv)
{
    // Taken before the application object reads them: it removes the
    // session-management option "-session"/"--session" as its own.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    return qor::reports::relatorioEmPdf(arguments, err);
}

} // namespace

int main(int argc, char** argv)
{
    if (const int code = qor::cli::ajudaOuVersao(argc, argv); code >= 0)
        return code;
    if (argc >= 2 && (QByteArray(argv[1]) == "--backup" || QByteArray(argv[1]) == "--restaurar"))
        return consoleCommand(argc, argv, [](const QStringList& arguments, QTextStream& out, QTextStream& err) {
            return qor::backup::comandoDeCopia(arguments, out, err, qor::SystemClock());
        });
    if (argc == 2 && QByteArray(argv[1]) == "--seed-demo")
        return seedDemo(argc, argv);
    if (argc >= 2 && QByteArray(argv[1]) == "--report")
        return reportToPdf(argc, argv);
    if (argc >= 2 && QByteArray(argv[1]) == "--importar-paradox")
        return consoleCommand(argc, argv, qor::migrate::comandoImportaParadox);
    if (argc >= 2 && QByteArray(argv[1]) == "--configurar-site")
        return consoleCommand(argc, argv, qor::app::comandoConfiguraSite);

    CaixaApplication app(argc, argv);
    QApplication::setApplicationName(qor::app::kApplicationTitle);
    qor::app::instalaTraducaoDoQt();
    qor::app::QtMessageBoxes boxes;
    // A site never set up gets one message, not an error per missing table.
    if (!qor::app::verificaSite(boxes))
        return 1;
    qor::SystemClock clock;
    qor::app::Application root(boxes, clock, qor::SuitePaths::root());
    app.setBoxes(&root.boxes());
    // After the data module has connected: see ParadaPorSinal.
    qor::app::ParadaPorSinal paradaPorSinal;
    return root.exec();
}
