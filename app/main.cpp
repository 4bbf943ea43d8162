#include "app/Application.h"
#include "app/demo/DemoSeed.h"
#include "app/site/ConfiguraSite.h"
#include "app/site/VerificaSite.h"
#include "app/widgets/QtMessageBoxes.h"
#include "reports/headless/RelatorioEmPdf.h"
#include "reports/project/ReportProjectInstall.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <exception>

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

// The site set-up; prints what it did, needs no display.
int configureSite(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return qor::app::comandoConfiguraSite(QCoreApplication::arguments(), out, err);
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
    if (argc == 2 && QByteArray(argv[1]) == "--seed-demo")
        return seedDemo(argc, argv);
    if (argc >= 2 && QByteArray(argv[1]) == "--report")
        return reportToPdf(argc, argv);
    if (argc >= 2 && QByteArray(argv[1]) == "--configurar-site")
        return configureSite(argc, argv);

    CaixaApplication app(argc, argv);
    QApplication::setApplicationName(qor::app::kApplicationTitle);
    {
        // A site never set up gets one message, not an error per missing table.
        qor::app::QtMessageBoxes boxes;
        if (!qor::app::verificaSite(boxes))
            return 1;
    }
    qor::app::Application root;
    app.setBoxes(&root.boxes());
    return root.exec();
}
