// The program's web-engine browser, rendered offscreen: a new page releases the
// one shown before, Print Preview shows the pages at screen resolution while
// printing from it still prints what Print prints, and a page with a very long
// table shows from its display copy down to its last row.
#include "platform/core/ScriptedSeams.h"
#include "platform/ui/Browser.h"
#include "platform/ui/DisplayCopy.h"
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"
#include "support/FileBytes.h"
#include "support/LongAuditPage.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QComboBox>
#include <QLineEdit>
#include <QPdfPageRenderer>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace bkl;

namespace {

QVariant RunScript(QWebEngineView* view, const QString& script)
{
    QVariant result;
    QEventLoop loop;
    view->page()->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

// Loads a page file into a bare view of the given width, as it is (no display copy).
bool LoadAsItIs(QWebEngineView& view, const QString& page, int width)
{
    view.resize(width, 700);
    view.show();
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.load(QUrl::fromLocalFile(page));
    return loaded.wait(60000) && loaded.first().first().toBool();
}

// Scrolls to the end as a user would and tells [the rows of the page, each once, whether
// laid out or kept as a block's markup (the sizer's not counted); the text of the last
// row if it is on the screen].
constexpr char kScrollToEnd[] = R"JS(
(function () {
  window.scrollTo(0, document.documentElement.scrollHeight);
  var rows = 0;
  document.querySelectorAll('tr').forEach(function (tr) { if (!tr.closest('[data-table]')) ++rows; });
  document.querySelectorAll('script[type="text/x-table-rows"]').forEach(function (s) {
    rows += s.text.split('<tr>').length - 1;
  });
  var all = document.getElementsByTagName('tr'), last = all[all.length - 1], r = last.getBoundingClientRect();
  return [rows, r.height > 0 && r.top < window.innerHeight && r.bottom > 0 ? last.textContent : ''];
})()
)JS";

// A PDF file's bytes without the dates it was made and changed at (two PDFs of one
// page made a second apart differ there only), and its page count.
QByteArray PdfWithoutDate(const QString& path)
{
    return QString::fromLatin1(test::FileBytes(path))
        .remove(QRegularExpression(QStringLiteral("/(CreationDate|ModDate) \\([^)]*\\)")))
        .toLatin1();
}

// Chooses "Print to File (PDF)" with `file` in the print dialog and prints.
void ChoosePdfFile(QPrintDialog& dialog, const QString& file)
{
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
    dialog.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
    dialog.accept();
}

qsizetype PdfPages(const QByteArray& pdf)
{
    return QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
}

} // namespace

TEST(WebBrowserRender, ASecondPageReleasesTheFirstWithItsHistory)
{
    std::unique_ptr<Browser> browser(CreateBrowser(nullptr));
    auto* web = qobject_cast<WebBrowser*>(browser.get());
    ASSERT_NE(web, nullptr);
    QWebEngineView* view = web->view();
    browser->resize(640, 360);
    browser->show();

    const QString audit = test::WritePage(QStringLiteral("_temp_04.html"), "<html><body>first trace</body></html>\r\n");
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, audit));
    const QPointer<QWebEnginePage> first = view->page();
    // The next trace rewrites the same file: the new text shows, the first page is gone.
    test::WriteFileBytes(audit, "<html><body>second trace</body></html>\r\n");
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, audit));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(test::BodyText(view), QStringLiteral("second trace"));
    const QPointer<QWebEnginePage> second = view->page();
    const QString preview = test::WritePage(QStringLiteral("_temp_02.html"), "<html><body>preview</body></html>\r\n");
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, preview));
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(test::BodyText(view), QStringLiteral("preview"));
    EXPECT_EQ(view->history()->count(), 1);
    EXPECT_EQ(browser->currentFile(), preview);
}

TEST(WebBrowserRender, PrintPreviewShowsScreenImagesAndPrintsWhatPrintPrints)
{
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(70))));

    // What Print sends to a printer: the page printed at the printer's high resolution.
    const QString printed = test::TestHome() + QStringLiteral("/printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    browser.printTo(printer);

    // Once the preview shows its pages, its own Print sends them to a PDF file.
    const QString fromPreview = test::TestHome() + QStringLiteral("/from-preview.pdf");
    int shownPages = 0;
    QSize largestImage;
    QSize viewport;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            ChoosePdfFile(*dialog, fromPreview);
            return;
        }
        auto* preview = qobject_cast<PrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        if (viewport.isEmpty()) {
            // The pages as the view draws them: screen images of the pages on the screen.
            QObject::connect(preview->view()->findChild<QPdfPageRenderer*>(), &QPdfPageRenderer::pageRendered,
                             [&](int, QSize size) { largestImage = largestImage.expandedTo(size); });
            viewport = preview->view()->viewport()->size();
        }
        if (preview->pageCount() == 0 || largestImage.isEmpty() || shownPages > 0)
            return;
        shownPages = preview->pageCount();
        // The preview's Print, as a click: its print dialog opens on a later turn.
        for (QAction* action : preview->findChildren<QAction*>())
            if (action->text() == QStringLiteral("Print"))
                QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    });
    poll.start(10);
    browser.printPreview();

    // An image of a page at the printer's 1200 dpi is half a gigabyte: the preview draws screen-sized ones.
    EXPECT_GT(largestImage.width(), 0);
    EXPECT_LE(largestImage.width(), viewport.width());
    const QByteArray expected = PdfWithoutDate(printed);
    EXPECT_EQ(PdfPages(expected), 2);
    EXPECT_EQ(shownPages, 2);
    EXPECT_TRUE(PdfWithoutDate(fromPreview) == expected);
}

TEST(WebBrowserRender, PrintPreviewDrawsOnlyThePagesItShowsAndNothingOnceClosed)
{
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(),
                                      test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(1400))));

    // The preview opens at the first of its 33 pages: the view draws those on the screen, a few.
    std::set<int> drawn;
    int pages = 0;
    QPointer<QPdfView> view;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<PrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        if (!view) {
            view = preview->view();
            QObject::connect(view->findChild<QPdfPageRenderer*>(), &QPdfPageRenderer::pageRendered,
                             [&](int page) { drawn.insert(page); });
        }
        if (drawn.empty() || preview->pageCount() == 0)
            return;
        poll.stop();
        pages = preview->pageCount();
        preview->reject();
    });
    poll.start(10);
    QTimer::singleShot(120000, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    browser.printPreview();
    EXPECT_EQ(pages, 33);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(*drawn.begin(), 0);
    EXPECT_LE(*drawn.rbegin(), 2);
    // Nothing of the preview is kept once it has closed.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
}

TEST(WebBrowserRender, ALongTableShowsFromItsDisplayCopyDownToTheLastRowWhileSaveAsSavesThePage)
{
    const QString page = test::TestHome() + QStringLiteral("/_temp_04.html");
    ASSERT_EQ(test::WriteLongAuditPage(page, 15), 6000);
    const QByteArray bytes = test::FileBytes(page);
    const QString copy = DisplayCopyPath(page);
    auto browser = std::make_unique<WebBrowser>();
    QWebEngineView* view = browser->view();
    browser->resize(1000, 700);
    browser->show();
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, page));
    EXPECT_EQ(browser->currentFile(), page);
    EXPECT_EQ(browser->displayCopy(), copy);
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(copy));

    // Scrolled to the end, the last record shows; the document holds the header and every record.
    QVariantList seen;
    for (int i = 0; i < 300 && !seen.value(1).toString().startsWith(QStringLiteral("\u00a06000\u00a0")); ++i) {
        if (i > 0)
            QTest::qWait(100);
        seen = RunScript(view, QLatin1String(kScrollToEnd)).toList();
    }
    EXPECT_EQ(seen.value(0).toLongLong(), 6001);
    EXPECT_TRUE(seen.value(1).toString().startsWith(QStringLiteral("\u00a06000\u00a0"))) << seen.value(1).toString().toStdString();

    // The columns are those of the page itself (each as wide as its longest words need), also
    // once the window is narrowed to the audit window's width.
    QWebEngineView plain;
    ASSERT_TRUE(LoadAsItIs(plain, page, 770));
    const QString lastRowLefts = QStringLiteral(
        "window.scrollTo(0, document.documentElement.scrollHeight); var all = document.getElementsByTagName('tr');"
        "Array.prototype.map.call(all[all.length - 1].cells, function (c) { return c.getBoundingClientRect().left; })");
    const QVariantList expected = RunScript(&plain, lastRowLefts).toList();
    ASSERT_EQ(expected.size(), 6);
    browser->resize(770, 700);
    const auto columnsApart = [&] {
        const QVariantList lefts = RunScript(view, lastRowLefts).toList();
        double most = lefts.size() == expected.size() ? 0 : 1e9;
        for (qsizetype i = 0; i < lefts.size() && i < expected.size(); ++i)
            most = std::max(most, std::abs(lefts[i].toDouble() - expected[i].toDouble()));
        return most;
    };
    for (int i = 0; i < 100 && columnsApart() > 4; ++i)
        QTest::qWait(100);
    EXPECT_LE(columnsApart(), 4);

    // Save As copies the page file, which stays as it was written.
    ScriptedFileDialogs dialogs;
    const QString saved = test::TestHome() + QStringLiteral("/saved-trace.html");
    dialogs.answers = {saved};
    SetFileDialogs(&dialogs);
    browser->saveAs();
    SetFileDialogs(nullptr);
    EXPECT_TRUE(test::FileBytes(saved) == bytes);
    EXPECT_TRUE(test::FileBytes(page) == bytes);

    // The copy goes with the page: when another page is shown (also one asked for while the
    // copy is still being written) and when the browser goes.
    const QString small = test::WritePage(QStringLiteral("_temp_02.html"), "<html><body>small</body></html>\r\n");
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, small));
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(browser->displayCopy().isEmpty());
    browser->navigate(page);
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, small));
    EXPECT_EQ(test::BodyText(view), QStringLiteral("small"));
    EXPECT_FALSE(QFile::exists(copy));
    ASSERT_TRUE(test::NavigateAndWait(*browser, view, page));
    EXPECT_TRUE(QFile::exists(copy));
    browser.reset();
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(test::FileBytes(page) == bytes);
}

TEST(WebBrowserRender, OneScrollToTheEndStaysThereOnceTheBlocksNearItAreLaidOut)
{
    // The first block's rows are one line high and the later ones three: the heights of the
    // blocks not yet laid out, estimated from the first, are far too low.
    QByteArray html = "<html><body><table border=1><tr><th>No</th><th>Text</th></tr>\r\n";
    for (int i = 1; i <= 6000; ++i)
        html += "<tr><td>" + QByteArray::number(i) + "</td><td>" + (i <= 500 ? "one" : "one<br>two<br>three")
                + "</td></tr>\r\n";
    html += "</table></body></html>\r\n";
    const QString page = test::WritePage(QStringLiteral("_temp_05.html"), html);
    WebBrowser browser;
    QWebEngineView* view = browser.view();
    browser.resize(800, 600);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, view, page));
    ASSERT_FALSE(browser.displayCopy().isEmpty());
    QTest::qWait(300);

    // A user's Ctrl+End, once: the view ends at the end of the page, the last row whole on it.
    RunScript(view, QStringLiteral("window.scrollTo(0, document.documentElement.scrollHeight)"));
    const QString lastRowAtTheEnd = QStringLiteral(
        "(function () { var all = document.getElementsByTagName('tr'), last = all[all.length - 1],"
        " r = last.getBoundingClientRect(), d = document.scrollingElement;"
        " return r.height > 0 && r.top >= 0 && r.bottom <= window.innerHeight"
        " && d.scrollTop + window.innerHeight >= d.scrollHeight - 1 ? last.cells[0].textContent : ''; })()");
    QString last;
    for (int i = 0; i < 50 && last != QStringLiteral("6000"); ++i) {
        QTest::qWait(100);
        last = RunScript(view, lastRowAtTheEnd).toString();
    }
    EXPECT_EQ(last, QStringLiteral("6000"));
}

TEST(WebBrowserRender, APageShownFromItsDisplayCopyPrintsEveryRowAsThePageItself)
{
    QByteArray html = "<html><body>\r\n<table border='1' width='100%'>";
    for (int i = 1; i <= 5001; ++i)
        html += "<tr><td>row " + QByteArray::number(i) + "</td></tr>";
    const QString page = test::WritePage(QStringLiteral("_temp_05.html"), html + "</table>\r\n</body>\r\n</html>\r\n");
    const auto printToPdf = [](QWebEnginePage* shown, const QString& pdf) {
        QSignalSpy printed(shown, &QWebEnginePage::pdfPrintingFinished);
        shown->printToPdf(pdf);
        return printed.wait(120000) && printed.first().at(1).toBool();
    };

    // The page itself, loaded as it is.
    QWebEngineView plain;
    ASSERT_TRUE(LoadAsItIs(plain, page, 1000));
    const QString whole = test::TestHome() + QStringLiteral("/whole.pdf");
    ASSERT_TRUE(printToPdf(plain.page(), whole));

    // Shown from its display copy, of which only the blocks near the screen are laid out: printing lays out all.
    WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
    ASSERT_FALSE(browser.displayCopy().isEmpty());
    const QString fromCopy = test::TestHome() + QStringLiteral("/from-copy.pdf");
    ASSERT_TRUE(printToPdf(browser.view()->page(), fromCopy));
    const qsizetype pages = PdfPages(PdfWithoutDate(whole));
    EXPECT_GT(pages, 50);
    EXPECT_EQ(PdfPages(PdfWithoutDate(fromCopy)), pages);
}
