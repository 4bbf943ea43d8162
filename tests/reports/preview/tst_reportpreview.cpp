#include "data/base/Clock.h"
#include "reports/engine/ReportModule.h"
#include "reports/preview/PreviewDestination.h"
#include "reports/preview/ReportDialogs.h"
#include "reports/preview/ReportPreview.h"
#include "reports/project/ReportProjectInstall.h"
#include "tests/reports/fixtures/CashReportData.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QAction>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <functional>

using namespace qor;
using namespace qor::reports;

namespace {

// Runs the preview shown (not modal) and hands it to the test, then closes it.
struct ScriptedDialogs final : ReportDialogs {
    std::function<void(ReportPreview&)> inPreview;
    std::function<void(QPrinter&)> setUpPrinter; // the operator's choices in the print dialog
    QString saveAs;
    int previews = 0;
    int printDialogs = 0;
    QAbstractPrintDialog::PrintDialogOptions printOptions;
    QString docName;
    QString filter;

    void runPreview(QDialog& preview) override
    {
        ++previews;
        preview.show();
        if (QTest::qWaitForWindowExposed(&preview) && inPreview)
            inPreview(static_cast<ReportPreview&>(preview));
        preview.close();
    }
    bool choosePrinter(QPrinter& printer, QAbstractPrintDialog::PrintDialogOptions options, QWidget*) override
    {
        ++printDialogs;
        printOptions = options;
        docName = printer.docName();
        if (!setUpPrinter)
            return false;
        setUpPrinter(printer);
        return true;
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString& offered) override
    {
        filter = offered;
        return saveAs;
    }
};

struct Fixture {
    test::TempSuite suite;
    FixedClock clock{QDateTime(QDate(2026, 12, 1), QTime(18, 30))};
    TRM rm{clock};
    test::CashReportData data;
    ScriptedDialogs dialogs;
    test::ScriptedMessageBoxes boxes;
    PreviewDestination preview{rm, dialogs, boxes, nullptr};

    Fixture()
    {
        installReportProject();
        data.registerIn(rm.connections);
        QList<test::Movement> rows;
        for (int i = 0; i < 80; ++i) {
            test::Movement m;
            m.session = 3;
            m.date = QDate(2026, 12, 1);
            m.time = QTime(8, 0).addSecs(60 * i);
            m.value = 10.0;
            m.order = "01.000777";
            m.store = "CENTRO";
            rows << m;
        }
        data.loadPeriod(QDate(2026, 12, 1), QDate(2026, 12, 1), rows);
    }
    bool run()
    {
        rm.rvpj1.Close();
        return rm.rvpj1.ExecuteReport("rpt_PeriodoDetalhado");
    }
    static void trigger(ReportPreview& p, const char* action) { p.findChild<QAction*>(action)->trigger(); }
};

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", pdf, "-"});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReportPreview : public QObject {
    Q_OBJECT
private slots:
    void reportOpensInTheModalPreview()
    {
        Fixture f;
        QString title, pageLabel, status;
        bool modal = false, maximized = false, statusVisible = true;
        int pages = 0;
        QPrintPreviewWidget::ZoomMode zoomMode{};
        qreal zoom = 0;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            title = p.windowTitle();
            modal = p.isModal();
            maximized = p.windowState().testFlag(Qt::WindowMaximized);
            auto* view = p.findChild<QPrintPreviewWidget*>("previewWidget");
            zoomMode = view->zoomMode();
            zoom = view->zoomFactor();
            pages = view->pageCount();
            pageLabel = p.findChild<QLabel*>("pageLabel")->text();
            status = f.preview.statusWindow().text();
            statusVisible = f.preview.statusWindow().isVisible();
        };
        QVERIFY(f.run());
        QCOMPARE(f.dialogs.previews, 1);
        QCOMPARE(f.dialogs.printDialogs, 0); // no output-options step before the preview
        QCOMPARE(title, QStringLiteral("Report Preview"));
        QVERIFY(modal);
        QVERIFY(maximized);
        QCOMPARE(zoomMode, QPrintPreviewWidget::CustomZoom);
        QCOMPARE(zoom, 1.0);
        QCOMPARE(pages, 2);
        QCOMPARE(pageLabel, QStringLiteral("Página 1 de 2"));
        QCOMPARE(f.preview.statusWindow().windowTitle(), QStringLiteral("Estatus do Relatório"));
        QCOMPARE(status, QStringLiteral("Aguarde - gerando pág. 2"));
        QVERIFY(!statusVisible);
    }

    void printsTheChosenPagesFromThePreview()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext not installed");
        Fixture f;
        const QString out = f.suite.path("impresso.pdf");
        f.dialogs.setUpPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
            printer.setFromTo(2, 2);
        };
        f.dialogs.inPreview = [](ReportPreview& p) { Fixture::trigger(p, "actPrint"); };
        QVERIFY(f.run());
        QCOMPARE(f.dialogs.docName, QStringLiteral("ReportPrinter Report"));
        QVERIFY(f.dialogs.printOptions.testFlag(QAbstractPrintDialog::PrintCollateCopies));
        QVERIFY(f.dialogs.printOptions.testFlag(QAbstractPrintDialog::PrintToFile));
        QVERIFY(f.dialogs.printOptions.testFlag(QAbstractPrintDialog::PrintPageRange));
        const QString text = pdfText(out);
        QVERIFY2(text.contains("Página 2 de 2"), qPrintable(text));
        QVERIFY(!text.contains("Página 1 de 2"));
        QVERIFY(text.contains(QRegularExpression("Total do período\\s+800,00")));
        QCOMPARE(f.preview.statusWindow().text(), QStringLiteral("Imprimindo pág. 2"));
        QVERIFY(!f.preview.statusWindow().isVisible());
    }

    void cancelledPrintDialogPrintsNothing()
    {
        Fixture f;
        f.dialogs.inPreview = [](ReportPreview& p) { Fixture::trigger(p, "actPrint"); };
        QVERIFY(f.run());
        QCOMPARE(f.dialogs.printDialogs, 1);
        QCOMPARE(f.preview.statusWindow().text(), QStringLiteral("Aguarde - gerando pág. 2"));
    }

    void savesAPdfFromThePreview()
    {
        Fixture f;
        f.dialogs.saveAs = f.suite.path("periodo");
        f.dialogs.inPreview = [](ReportPreview& p) { Fixture::trigger(p, "actSave"); };
        QVERIFY(f.run());
        QCOMPARE(f.dialogs.filter, QStringLiteral("Adobe Acrobat (PDF) (*.pdf)"));
        QVERIFY(QFile(f.suite.path("periodo.pdf")).size() > 0);
        if (!QStandardPaths::findExecutable("pdftotext").isEmpty())
            QVERIFY(pdfText(f.suite.path("periodo.pdf")).contains("Vendas do Período - Detalhado"));
    }

    void saveErrorIsShownAndThePreviewStays()
    {
        Fixture f;
        const QString target = f.suite.path("nao/existe/periodo.pdf");
        f.dialogs.saveAs = target;
        bool stillOpen = false;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            Fixture::trigger(p, "actSave");
            stillOpen = p.isVisible();
        };
        f.boxes.script(app::BoxAnswer::Ok);
        QVERIFY(f.run());
        QVERIFY(stillOpen);
        QCOMPARE(f.boxes.lastText(),
                 QStringLiteral("Erro inesperado.\rClasse: EInOutError\rErro: Não foi possível gravar o arquivo ") + target);
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
