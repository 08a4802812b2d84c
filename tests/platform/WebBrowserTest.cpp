// The program's web-engine browser, rendered offscreen: a new page releases the
// one shown before, Print Preview shows the pages at screen resolution while
// printing from it still prints what Print prints, and a page with a very long
// table shows from its display copy down to its last row.
#include "compare/CompareReportPage.h"
#include "platform/core/ScriptedSeams.h"
#include "platform/ui/Browser.h"
#include "platform/ui/DisplayCopy.h"
#include "platform/ui/PageScheme.h"
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"
#include "support/FileBytes.h"
#include "support/LongAuditPage.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QApplication>
#include <QFile>
#include <QImage>
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

using test::LoadAsItIs;
using test::RunScript;

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

// Scrolls to the end and tells the last row's text, its first cell's, and the left and right
// edges of its cells.
constexpr char kLastRowEdges[] = R"JS(
(function () {
  window.scrollTo(0, document.documentElement.scrollHeight);
  var all = document.getElementsByTagName('tr'), last = all[all.length - 1];
  var seen = [last.textContent, last.cells[0].textContent];
  Array.prototype.forEach.call(last.cells, function (c) {
    var r = c.getBoundingClientRect();
    seen.push(r.left, r.right);
  });
  return seen;
})()
)JS";

// How far the last row's cell edges in `view` are from `expected` (as kLastRowEdges tells
// them), once the view shows them within `tolerance` px or after 10 s; far when the last row
// (by its first cell) or its cells differ.
double EdgesApart(QWebEngineView* view, const QVariantList& expected, double tolerance)
{
    double most = 0;
    for (int i = 0; i < 100; ++i) {
        if (i > 0)
            QTest::qWait(100);
        const QVariantList seen = RunScript(view, QLatin1String(kLastRowEdges)).toList();
        most = seen.size() == expected.size() && seen.value(1) == expected.value(1) ? 0 : 1e9;
        for (qsizetype k = 2; k < seen.size() && k < expected.size(); ++k)
            most = std::max(most, std::abs(seen[k].toDouble() - expected[k].toDouble()));
        if (most <= tolerance)
            break;
    }
    return most;
}

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
        // The first slice's pages show first and the others join them as they are made:
        // looked at once every page is in (on a loaded machine that takes a while).
        pages = preview->pageCount();
        if (drawn.empty() || pages < 33)
            return;
        poll.stop();
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
    EXPECT_EQ(view->url(), PageUrl(copy));

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
    const QVariantList expected = RunScript(&plain, QLatin1String(kLastRowEdges)).toList();
    ASSERT_EQ(expected.size(), 14);
    browser->resize(770, 700);
    EXPECT_LE(EdgesApart(view, expected, 0.5), 0.5)
        << QVariant(expected).toStringList().join(QLatin1Char(' ')).toStdString();

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

TEST(WebBrowserRender, LongPagesAreReadAsUtf8)
{
    // Non-ASCII names after 10 KB and 2 MB of ASCII, in pages shown as they are and in one shown
    // from its display copy: the engine reads the bytes as UTF-8, whatever it would guess from them.
    const QByteArray name = "Gr\xc3\xbc\xc3\x9f" "e \xe6\xbc\xa2\xe5\xad\x97 \xf0\x9f\x98\x80";
    const auto plainPage = [&](qsizetype ascii) {
        QByteArray plain = "<html><body>\r\n<img id='dot' src='dot.png'>\r\n";
        while (plain.size() < ascii)
            plain += "<div>row " + QByteArray::number(plain.size()) + " jsmith Calculations</div>\r\n";
        return plain + "<div class='name'>" + name + "</div>\r\n</body>\r\n</html>\r\n";
    };
    QByteArray table = "<html><body>\r\n<table border='1' width='100%'>";
    for (int i = 1; table.size() < 2 * 1024 * 1024; ++i)
        table += "<tr><td>" + QByteArray::number(i)
                 + "</td><td>jsmith</td><td>Calculations of the audit trace</td></tr>";
    table += "<tr><td>last</td><td class='name'>" + name + "</td><td>x</td></tr></table>\r\n<p class='name'>" + name
             + "</p>\r\n</body>\r\n</html>\r\n";
    // A picture beside the page, which the page names by its relative path.
    QImage dot(3, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(test::TestHome() + QStringLiteral("/dot.png")));

    WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    const QString read = QStringLiteral(
        "(function () { var d = document.getElementById('dot'), names = [];"
        " document.querySelectorAll('.name').forEach(function (n) {"
        "   if (!n.closest('.bkl-sizer')) names.push(n.textContent); });"
        " return [document.characterSet, names.join('|'), d ? d.naturalWidth : -1]; })()");
    for (const auto& [file, bytes] : {std::pair{QStringLiteral("_temp_01.html"), plainPage(10 * 1024)},
                                      std::pair{QStringLiteral("_temp_02.html"), plainPage(2 * 1024 * 1024)},
                                      std::pair{QStringLiteral("_temp_04.html"), table}}) {
        const QString page = test::WritePage(file, bytes);
        const bool plain = file != QStringLiteral("_temp_04.html");
        ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
        EXPECT_EQ(browser.displayCopy().isEmpty(), plain);
        EXPECT_EQ(browser.currentFile(), page);
        QVariantList seen;
        const QString names = plain ? QString::fromUtf8(name) : QString::fromUtf8(name + "|" + name);
        for (int i = 0; i < 100 && seen.value(1).toString().size() < names.size(); ++i) {
            if (i > 0) {
                RunScript(browser.view(), QStringLiteral("window.scrollTo(0, document.documentElement.scrollHeight)"));
                QTest::qWait(100);
            }
            seen = RunScript(browser.view(), read).toList();
        }
        EXPECT_EQ(seen.value(0).toString(), QStringLiteral("UTF-8")) << file.toStdString();
        EXPECT_EQ(seen.value(1).toString(), names) << file.toStdString();
        if (plain)
            EXPECT_EQ(seen.value(2).toInt(), 3);
        EXPECT_TRUE(test::FileBytes(page) == bytes);
    }
}

TEST(WebBrowserRender, TheCopyLaysOutTheColumnsOfThePageWithBannerRowsOrALongWordAndDropsANulAsThePageDoes)
{
    // The compare status table of 5,041 calculations: two rows over its three columns first.
    std::vector<compare::CompareRowTexts> rows;
    for (int i = 1; i <= 5041; ++i)
        rows.push_back({QStringLiteral("Calculation %1 of the quarter").arg(i), QStringLiteral("Calculation"),
                        i % 3 ? QStringLiteral("Identical") : QStringLiteral("Mismatch")});
    const QByteArray status = compare::CompareReportPageText(compare::StatusSummaryTable(
                                  QStringLiteral("SalesModel2026"), QStringLiteral("SalesModel2026 Copy"), rows))
                                  .toUtf8();
    // A word of 3,000 characters that breaks nowhere, and a NUL in the text of the last row.
    QByteArray word = "<html><body>\r\n<table border='1' width='100%'>";
    for (int i = 1; i <= 5001; ++i)
        word += "<tr><td>" + QByteArray::number(i) + "</td><td>" + (i == 2500 ? QByteArray(3000, 'w') : "jsmith")
                + "</td><td>Calculations of the plan</td></tr>";
    word += QByteArrayLiteral("<tr><td>last</td><td>j\0smith</td><td>Calculations</td></tr></table>\r\n"
                              "</body>\r\n</html>\r\n");

    for (const auto& [name, bytes] : {std::pair{QStringLiteral("_temp_03.html"), status},
                                      std::pair{QStringLiteral("_temp_04.html"), word}}) {
        const QString page = test::WritePage(name, bytes);
        QWebEngineView plain;
        ASSERT_TRUE(LoadAsItIs(plain, page, 1000));
        const QVariantList expected = RunScript(&plain, QLatin1String(kLastRowEdges)).toList();
        ASSERT_EQ(expected.size(), 8);
        WebBrowser browser;
        browser.resize(1000, 700);
        browser.show();
        ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
        ASSERT_FALSE(browser.displayCopy().isEmpty());
        EXPECT_LE(EdgesApart(browser.view(), expected, 0.5), 0.5)
            << name.toStdString() << ": " << QVariant(expected).toStringList().join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(RunScript(browser.view(), QLatin1String(kLastRowEdges)).toList().value(0).toString(),
                  expected.value(0).toString());
    }
}
