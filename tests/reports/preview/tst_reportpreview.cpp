#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "reports/engine/ReportModule.h"
#include "reports/preview/PreviewDestination.h"
#include "reports/preview/ReportDialogs.h"
#include "reports/preview/PreviewSearch.h"
#include "reports/preview/ReportPreview.h"
#include "reports/project/ReportProjectInstall.h"
#include "tests/reports/fixtures/CashReportData.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempSuite.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

#include <functional>

using namespace qor;
using namespace qor::reports;

namespace {

// Runs the preview shown (not modal) and hands it to the test, then closes it.
struct ScriptedDialogs final : ReportDialogs {
    std::function<void(ReportPreview&)> whileLaying; // the preview shown before the report is laid out
    std::function<void(ReportPreview&)> inPreview;
    std::function<void(QPrinter&)> setUpPrinter; // the operator's choices in the print dialog
    QString saveAs;
    int previews = 0;
    int printDialogs = 0;
    QAbstractPrintDialog::PrintDialogOptions printOptions;
    QString docName;
    QString filter;
    QStringList offered; // what each save dialog opened on

    void showWhileLaying(QDialog& preview) override
    {
        ReportDialogs::showWhileLaying(preview);
        if (whileLaying)
            whileLaying(static_cast<ReportPreview&>(preview));
    }
    void runPreview(QDialog& preview) override
    {
        ++previews;
        preview.show();
        preview.activateWindow(); // shortcuts act in the active window
        if (QTest::qWaitForWindowActive(&preview) && inPreview)
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
    QString chooseSaveFile(QWidget*, const QString&, const QString& openOn, const QString& offeredFilter) override
    {
        offered << openOn;
        filter = offeredFilter;
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

    // movements sales of 10,00; those at the rows in checked carry the
    // history "Conferência".
    explicit Fixture(int movements = 80, const QList<int>& checked = {})
    {
        installReportProject();
        data.registerIn(rm.connections);
        QList<test::Movement> rows;
        for (int i = 0; i < movements; ++i) {
            test::Movement m;
            m.session = 3;
            m.date = QDate(2026, 12, 1);
            m.time = QTime(8, 0).addSecs(60 * i);
            m.value = 10.0;
            m.order = "01.000777";
            m.store = "CENTRO";
            if (checked.contains(i))
                m.history = QStringLiteral("Conferência");
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

// Keys as the operator types them: to the widget with the focus.
void press(ReportPreview& p, const QKeySequence& keys)
{
    QTest::keySequence(p.focusWidget() ? p.focusWidget() : static_cast<QWidget*>(&p), keys);
}

QPrintPreviewWidget* pagesOf(ReportPreview& p) { return p.findChild<QPrintPreviewWidget*>("previewWidget"); }
QString pageCountOf(ReportPreview& p) { return p.findChild<QLabel*>("pageCount")->text(); }
QString searchStatus(ReportPreview& p) { return p.findChild<QLabel*>("searchStatus")->text(); }

// Where the preview shows search highlights, as the operator sees it: the
// report is black, white and grey; hits are tinted yellow, the current one
// orange (much less green than red).
struct Marks {
    QRect all, current;
    QSize screen;
};
Marks marksOn(ReportPreview& p)
{
    const QImage image = pagesOf(p)->grab().toImage();
    Marks marks{{}, {}, image.size()};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 200 || c.red() - c.blue() < 60)
                continue;
            marks.all |= QRect(x, y, 1, 1);
            if (c.red() - c.green() > 35)
                marks.current |= QRect(x, y, 1, 1);
        }
    return marks;
}

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
        QString title, pageCount, status;
        bool modal = false, maximized = false, statusVisible = true, focusOnPages = false;
        int pageNumber = 0;
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
            pageNumber = p.findChild<QSpinBox*>("pageNumber")->value();
            pageCount = p.findChild<QLabel*>("pageCount")->text();
            focusOnPages = view->isAncestorOf(p.focusWidget());
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
        QCOMPARE(pageNumber, 1);
        QCOMPARE(pageCount, QStringLiteral("de 2"));
        QVERIFY(focusOnPages);
        QCOMPARE(f.preview.statusWindow().windowTitle(), QStringLiteral("Estatus do Relatório"));
        QCOMPARE(status, QStringLiteral("Aguarde - gerando pág. 2"));
        QVERIFY(!statusVisible);
    }

    void firstPageShowsWhileTheRestIsLaidOut()
    {
        Fixture f(200);
        const QDialog* early = nullptr;
        const QDialog* modal = nullptr;
        bool visible = false, closable = true;
        int earlyPages = 0, runsBefore = -1, pages = 0;
        QString earlyCount, earlyStatus, countFound, count;
        f.dialogs.whileLaying = [&](ReportPreview& p) {
            early = &p;
            visible = p.isVisible();
            earlyPages = pagesOf(p)->pageCount();
            earlyCount = pageCountOf(p);
            earlyStatus = f.preview.statusWindow().text();
            runsBefore = f.dialogs.previews;
            closable = p.close();
            // The page's own count reads "?" too, not the layout's placeholder.
            p.findChild<QLineEdit*>("searchText")->setText(QStringLiteral("Página 1 de ?"));
            Fixture::trigger(p, "actFindNext");
            countFound = searchStatus(p);
        };
        f.dialogs.inPreview = [&](ReportPreview& p) {
            modal = &p;
            pages = pagesOf(p)->pageCount();
            count = pageCountOf(p);
        };
        QVERIFY(f.run());
        QVERIFY(early);
        QCOMPARE(modal, early);
        QVERIFY(visible);
        QCOMPARE(earlyPages, 1);
        QCOMPARE(earlyCount, QStringLiteral("de ?"));
        QCOMPARE(earlyStatus, QStringLiteral("Aguarde - gerando pág. 1")); // the second page not yet begun
        QCOMPARE(runsBefore, 0);
        QVERIFY(!closable);
        QCOMPARE(countFound, QStringLiteral("1 de 1"));
        QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));
        QCOMPARE(count, QStringLiteral("de %1").arg(pages));
    }

    void failedLayoutTakesTheFirstPageAway()
    {
        Fixture f(200);
        const auto previewsOnScreen = [] {
            int shown = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                shown += qobject_cast<ReportPreview*>(w) && w->isVisible();
            return shown;
        };
        int onScreen = 0;
        f.dialogs.whileLaying = [&](ReportPreview&) {
            onScreen = previewsOnScreen();
            throw Error(kind::IoError, QStringLiteral("leitura interrompida"));
        };
        QVERIFY_THROWS_EXCEPTION(Error, f.run());
        QCOMPARE(onScreen, 1);
        QCOMPARE(previewsOnScreen(), 0);
        QCOMPARE(f.dialogs.previews, 0);

        f.dialogs.whileLaying = nullptr;
        QVERIFY(f.run());
        QCOMPARE(f.dialogs.previews, 1);
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

    void pageKeysTurnThePages_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("expected"); // 0: the last page
        QTest::newRow("PgDn") << QKeySequence(Qt::Key_PageDown) << 1 << 2;
        QTest::newRow("PgUp") << QKeySequence(Qt::Key_PageUp) << 3 << 2;
        QTest::newRow("End") << QKeySequence(Qt::Key_End) << 1 << 0;
        QTest::newRow("Home") << QKeySequence(Qt::Key_Home) << 3 << 1;
        QTest::newRow("Ctrl+End") << QKeySequence(Qt::CTRL | Qt::Key_End) << 2 << 0;
        QTest::newRow("Ctrl+Home") << QKeySequence(Qt::CTRL | Qt::Key_Home) << 3 << 1;
        QTest::newRow("PgDn on the last page") << QKeySequence(Qt::Key_PageDown) << 0 << 0;
        QTest::newRow("PgUp on the first page") << QKeySequence(Qt::Key_PageUp) << 1 << 1;
    }
    void pageKeysTurnThePages()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, from);
        QFETCH(int, expected);
        Fixture f(200);
        int pages = 0, page = 0, shown = 0;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            auto* view = pagesOf(p);
            pages = view->pageCount();
            view->setCurrentPage(from ? from : pages);
            press(p, keys);
            page = view->currentPage();
            shown = p.findChild<QSpinBox*>("pageNumber")->value();
        };
        QVERIFY(f.run());
        QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));
        QCOMPARE(page, expected ? expected : pages);
        QCOMPARE(shown, page);
    }

    void typedPageNumberJumpsThere_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expected"); // 0: the last page
        QTest::newRow("a middle page") << "3" << 3;
        QTest::newRow("the first page") << "1" << 1;
        QTest::newRow("0 is no page") << "0" << 2;
    }
    void typedPageNumberJumpsThere()
    {
        QFETCH(QString, typed);
        QFETCH(int, expected);
        Fixture f(200);
        int page = 0;
        bool numberFocused = false;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            press(p, QKeySequence(Qt::Key_PageDown));
            press(p, QKeySequence(Qt::CTRL | Qt::Key_G));
            numberFocused = p.focusWidget() == p.findChild<QSpinBox*>("pageNumber");
            QTest::keyClicks(p.focusWidget(), typed);
            QTest::keyClick(p.focusWidget(), Qt::Key_Return);
            page = pagesOf(p)->currentPage();
        };
        QVERIFY(f.run());
        QVERIFY(numberFocused);
        QCOMPARE(page, expected);
    }

    void commandKeys_data()
    {
        QTest::addColumn<QKeySequence>("toField"); // the keys to a field of the toolbar; none: on the pages
        QTest::addColumn<QString>("field");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("printDialogs");
        QTest::addColumn<int>("saveDialogs");
        QTest::addColumn<bool>("closed");
        const QKeySequence pages, search(QKeySequence::Find), number(Qt::CTRL | Qt::Key_G);
        const QKeySequence print(QKeySequence::Print), save(QKeySequence::Save), esc(Qt::Key_Escape);
        QTest::newRow("Ctrl+P prints") << pages << "" << print << 1 << 0 << false;
        QTest::newRow("Ctrl+S saves") << pages << "" << save << 0 << 1 << false;
        QTest::newRow("Ctrl+P from the search field") << search << "searchText" << print << 1 << 0 << false;
        QTest::newRow("Ctrl+S from the page number") << number << "pageNumber" << save << 0 << 1 << false;
        QTest::newRow("Esc closes") << pages << "" << esc << 0 << 0 << true;
        QTest::newRow("Esc closes from the search field") << search << "searchText" << esc << 0 << 0 << true;
        QTest::newRow("Esc closes from the page number") << number << "pageNumber" << esc << 0 << 0 << true;
    }
    void commandKeys()
    {
        QFETCH(QKeySequence, toField);
        QFETCH(QString, field);
        QFETCH(QKeySequence, keys);
        QFETCH(int, printDialogs);
        QFETCH(int, saveDialogs);
        QFETCH(bool, closed);
        Fixture f;
        QString focused;
        bool open = true;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            if (!toField.isEmpty())
                press(p, toField);
            focused = p.focusWidget()->objectName();
            press(p, keys);
            open = p.isVisible();
        };
        QVERIFY(f.run());
        if (!field.isEmpty())
            QCOMPARE(focused, field);
        QCOMPARE(f.dialogs.printDialogs, printDialogs);
        QCOMPARE(f.dialogs.offered.size(), saveDialogs);
        QCOMPARE(!open, closed);
    }

    void fitModesSetTheZoom()
    {
        Fixture f;
        QMap<QString, std::pair<QPrintPreviewWidget::ZoomMode, qreal>> zoom;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            auto* view = pagesOf(p);
            const auto after = [&](const QString& name, const QKeySequence& keys) {
                press(p, keys);
                zoom[name] = {view->zoomMode(), view->zoomFactor()};
            };
            after("width", QKeySequence(Qt::CTRL | Qt::Key_3));
            after("page", QKeySequence(Qt::CTRL | Qt::Key_2));
            after("100%", QKeySequence(Qt::CTRL | Qt::Key_1));
            after("in", QKeySequence(QKeySequence::ZoomIn));
        };
        QVERIFY(f.run());
        QCOMPARE(zoom["width"].first, QPrintPreviewWidget::FitToWidth);
        QCOMPARE(zoom["page"].first, QPrintPreviewWidget::FitInView);
        QCOMPARE(zoom["100%"], std::make_pair(QPrintPreviewWidget::CustomZoom, qreal(1.0)));
        // A portrait page is higher than wide: the whole page is smaller than its width.
        QVERIFY2(zoom["page"].second < zoom["width"].second,
                 qPrintable(QString("%1 %2").arg(zoom["page"].second).arg(zoom["width"].second)));
        QVERIFY(!qFuzzyCompare(zoom["width"].second, 1.0));
        QVERIFY(zoom["in"].second > 1.0);
    }

    void searchGoesFromHitToHitAndWraps()
    {
        // Two hits at the top of the first page, one on the last page.
        Fixture f(200, {0, 1, 199});
        QStringList seen;
        int pages = 0;
        bool searchFocused = false;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            auto* view = pagesOf(p);
            pages = view->pageCount();
            const auto step = [&](const QKeySequence& keys) {
                press(p, keys);
                seen << QStringLiteral("%1 p%2").arg(searchStatus(p)).arg(view->currentPage());
            };
            press(p, QKeySequence(QKeySequence::Find));
            searchFocused = p.focusWidget() == p.findChild<QLineEdit*>("searchText");
            QTest::keyClicks(p.focusWidget(), "CONFERENCIA");
            step(QKeySequence(Qt::Key_Return));
            step(QKeySequence(Qt::Key_Return));
            step(QKeySequence(QKeySequence::FindNext));
            step(QKeySequence(QKeySequence::FindNext));
            step(QKeySequence(QKeySequence::FindPrevious));
            step(QKeySequence(QKeySequence::FindPrevious));
        };
        QVERIFY(f.run());
        QVERIFY(searchFocused);
        const QString last = QString::number(pages);
        QCOMPARE(seen, QStringList({"1 de 3 p1", "2 de 3 p1", "3 de 3 p" + last, "1 de 3 p1", "3 de 3 p" + last,
                                    "2 de 3 p1"}));
    }

    void searchStartsFromThePageOnScreen_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("forwards") << QKeySequence(QKeySequence::FindNext) << "3 de 3";
        QTest::newRow("backwards") << QKeySequence(QKeySequence::FindPrevious) << "2 de 3";
    }
    void searchStartsFromThePageOnScreen()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, expected);
        Fixture f(200, {0, 1, 199});
        QString status;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            pagesOf(p)->setCurrentPage(3);
            press(p, QKeySequence(QKeySequence::Find));
            QTest::keyClicks(p.focusWidget(), "conferencia");
            press(p, keys);
            status = searchStatus(p);
        };
        QVERIFY(f.run());
        QCOMPARE(status, expected);
    }

    void searchHitsAreHighlightedOnThePage()
    {
        // The first two rows, under "Histórico" at the right of the page's top.
        Fixture f(80, {0, 1});
        Marks before, first, second, missing, cleared;
        QString notFound;
        f.dialogs.inPreview = [&](ReportPreview& p) {
            press(p, QKeySequence(Qt::CTRL | Qt::Key_2)); // the whole first page on screen
            before = marksOn(p);
            press(p, QKeySequence(QKeySequence::Find));
            QTest::keyClicks(p.focusWidget(), "conferencia");
            press(p, QKeySequence(Qt::Key_Return));
            first = marksOn(p);
            press(p, QKeySequence(QKeySequence::FindNext));
            second = marksOn(p);
            QTest::keyClicks(p.focusWidget(), "x");
            press(p, QKeySequence(Qt::Key_Return));
            missing = marksOn(p);
            notFound = searchStatus(p);
            p.findChild<QLineEdit*>("searchText")->clear();
            press(p, QKeySequence(Qt::Key_Return));
            cleared = marksOn(p);
        };
        QVERIFY(f.run());
        QVERIFY(before.all.isEmpty());
        QVERIFY(!first.all.isEmpty());
        QVERIFY(first.all.left() > first.screen.width() / 2 && first.all.bottom() < first.screen.height() / 3);
        // The current hit moves from the upper row to the lower one.
        QVERIFY(first.current.isValid() && second.current.isValid());
        QCOMPARE(first.current.top(), first.all.top());
        QCOMPARE(second.current.bottom(), first.all.bottom());
        QVERIFY(second.current.top() > first.current.center().y());
        QCOMPARE(second.all, first.all);
        QVERIFY(missing.all.isEmpty());
        QCOMPARE(notFound, QStringLiteral("Não encontrado"));
        QVERIFY(cleared.all.isEmpty());
    }

    void saveDialogOpensWhereTheLastReportWasSaved()
    {
        Fixture f;
        QVERIFY(QDir().mkpath(f.suite.path("escolhida")));
        f.dialogs.inPreview = [](ReportPreview& p) { press(p, QKeySequence(QKeySequence::Save)); };
        f.boxes.script(app::BoxAnswer::Ok);
        const auto saveAs = [&](const QString& file) {
            f.dialogs.saveAs = file;
            QVERIFY(f.run());
        };
        saveAs(f.suite.path("escolhida/periodo"));
        saveAs(""); // cancelled
        saveAs(f.suite.path("nao/existe/periodo.pdf")); // failed
        saveAs(f.suite.path("escolhida/outro.pdf"));
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString remembered = f.suite.path("escolhida/rpt_PeriodoDetalhado.pdf");
        QCOMPARE(f.dialogs.offered, QStringList({QDir(documents).filePath("rpt_PeriodoDetalhado.pdf"), remembered,
                                                 remembered, remembered}));
        QVERIFY(QFile::exists(f.suite.path("escolhida/periodo.pdf")));
    }

    void findTextFindsRunsInReadingOrder_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<SearchHit>>("expected");
        const SearchHit top{0, QRectF(10, 10, 30, 5)}, leftOfLine{0, QRectF(10, 20, 30, 5)},
            rightOfLine{0, QRectF(50, 20, 30, 5)}, nextPage{1, QRectF(0, 5, 30, 5)};
        QTest::newRow("case and accents ignored") << "operacao"
                                                  << QList<SearchHit>{leftOfLine, rightOfLine, nextPage};
        QTest::newRow("accented query") << "OPERAÇÃO" << QList<SearchHit>{leftOfLine, rightOfLine, nextPage};
        QTest::newRow("part of a run") << "tal" << QList<SearchHit>{top};
        QTest::newRow("nothing") << "sangria" << QList<SearchHit>{};
        QTest::newRow("blank query") << "  " << QList<SearchHit>{};
    }
    void findTextFindsRunsInReadingOrder()
    {
        QFETCH(QString, query);
        QFETCH(QList<SearchHit>, expected);
        Document doc;
        doc.pages.resize(2);
        // Listed out of reading order on purpose.
        doc.pages[0].texts = {{QRectF(50, 20, 30, 5), "OPERACAO 2"},
                              {QRectF(10, 20, 30, 5), "Operação"},
                              {QRectF(10, 10, 30, 5), "Total"}};
        doc.pages[1].texts = {{QRectF(0, 5, 30, 5), "operação"}};
        QCOMPARE(findText(doc, query), expected);
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
