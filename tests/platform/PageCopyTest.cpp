// Copy of a page shown from its display copy, in the real web engine: Select All
// and Copy put every row of the page on the clipboard, the text as the engine
// copies the page shown as it is and the page's own HTML; a selection spanning
// blocks not laid out copies every row it covers. The text made from the page
// file matches the engine's copy of pages of the kinds the program writes.
#include "platform/core/ScriptedSeams.h"
#include "platform/core/UserTextFile.h"
#include "platform/ui/PageCopy.h"
#include "platform/ui/PageText.h"
#include "platform/ui/WebBrowser.h"
#include "support/FailingFile.h"
#include "support/FileBytes.h"
#include "support/LongAuditPage.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <semaphore>

using namespace bkl;

namespace {

struct Copied {
    QString text;
    QString html;
};

// Runs `copy` and waits for the clipboard to hold text (the engine may empty it first).
template <typename Copy> Copied CopyWith(Copy copy)
{
    QGuiApplication::clipboard()->clear();
    copy();
    for (int i = 0; i < 600 && QGuiApplication::clipboard()->text().isEmpty(); ++i)
        QTest::qWait(50);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return {mime->text(), mime->html()};
}

// The page in `view` takes the focus, as when the user clicks in it: the engine selects and copies there.
QWidget* FocusPage(QWebEngineView* view)
{
    QWidget* page = view->focusProxy() ? view->focusProxy() : view;
    page->setFocus();
    return page;
}

// Select All and Copy as the user presses them.
void PressSelectAllAndCopy(QWebEngineView* view)
{
    QWidget* target = FocusPage(view);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::qWait(100);
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
}

Copied SelectAllAndCopy(QWebEngineView* view)
{
    return CopyWith([view] { PressSelectAllAndCopy(view); });
}

// Runs `copy`, which copies nothing: the box `prompt` tells why, and the clipboard keeps what it held.
void ExpectCopyRefused(SeamGuard& seams, const std::function<void()>& copy, const QString& prompt)
{
    seams.boxes.shown.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("held before"));
    copy();
    for (int i = 0; i < 300 && seams.boxes.shown.empty(); ++i)
        QTest::qWait(50);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, prompt);
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, "Copy Error");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "held before");
}

// The engine's text of the page `page` shown as it is, as the user copies it.
Copied EngineCopy(const QString& page)
{
    QWebEngineView plain;
    if (!test::LoadAsItIs(plain, page, 1000))
        return {};
    return SelectAllAndCopy(&plain);
}

// Waits until `script` gives true.
bool WaitFor(QWebEngineView* view, const QString& script)
{
    for (int i = 0; i < 300; ++i) {
        if (test::RunScript(view, script).toBool())
            return true;
        QTest::qWait(100);
    }
    return false;
}

} // namespace

TEST(PageCopy, SelectAllAndCopyOfAPageShownFromItsDisplayCopyTakeEveryRowAsThePageShownAsItIs)
{
    const QString page = test::TestHome() + QStringLiteral("/_temp_04.html");
    ASSERT_EQ(test::WriteLongAuditPage(page, 15), 6000);
    const Copied expected = EngineCopy(page);
    ASSERT_EQ(expected.text.count(QLatin1Char('\n')), 6002); // the title's empty line, the header and the records

    WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
    ASSERT_FALSE(browser.displayCopy().isEmpty());
    const Copied copied = SelectAllAndCopy(browser.view());
    EXPECT_EQ(copied.text.count(QLatin1Char('\n')), 6002);
    const QString last = copied.text.mid(copied.text.lastIndexOf(QLatin1Char('\n')) + 1);
    EXPECT_TRUE(last.startsWith(QStringLiteral(" 6000 \t admin \t Calculations \t Calculation Created \t ")))
        << last.toStdString();
    EXPECT_TRUE(copied.text == expected.text);
    // The HTML is the page's own: its header and every record, as many rows as the engine's HTML holds.
    EXPECT_TRUE(copied.html == QString::fromUtf8(test::FileBytes(page)));
    EXPECT_EQ(copied.html.count(QStringLiteral("<tr>")), 6001);
    EXPECT_EQ(expected.html.count(QStringLiteral("<tr>")), 6001);
}

TEST(PageCopy, APageFileThatCannotBeReadAtCopyIsReportedAndTheClipboardKeepsWhatItHeld)
{
    SeamGuard seams;
    seams.install();
    const QString page = test::TestHome() + QStringLiteral("/_temp_04.html");
    ASSERT_EQ(test::WriteLongAuditPage(page, 15), 6000);
    WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
    ASSERT_FALSE(browser.displayCopy().isEmpty());
    // The page file is gone when the user copies the page still on screen.
    ASSERT_TRUE(QFile::remove(page));
    QGuiApplication::clipboard()->setText(QStringLiteral("held before"));
    QWidget* target = FocusPage(browser.view());
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::qWait(100);
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    for (int i = 0; i < 300 && seams.boxes.shown.empty(); ++i)
        QTest::qWait(50);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt,
              "Unable to perform the command\r\n\r\nThe page " + page
                  + " could not be copied: No such file or directory");
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, "Copy Error");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "held before");
}

TEST(PageCopy, APartialSelectionSpanningBlocksNotLaidOutCopiesEveryRowItCovers)
{
    QByteArray html = "<html><body><table border='1'>";
    for (int i = 1; i <= 6000; ++i)
        html += "<tr><td>row " + QByteArray::number(i) + "</td><td>x</td></tr>";
    const QString page = test::WritePage(QStringLiteral("_temp_05.html"), html + "</table></body></html>");
    WebBrowser browser;
    QWebEngineView* view = browser.view();
    browser.resize(1000, 700);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, view, page));
    ASSERT_FALSE(browser.displayCopy().isEmpty());

    // A click on row 10 at the top; scrolled down to row 1,200 (the third block), a shift-click after
    // its first cell. The second block lies between, not laid out.
    const QString cell = QStringLiteral(
        "function cell(n) { var all = document.querySelectorAll('div.bkl-rows td');"
        " for (var i = 0; i < all.length; i++) if (all[i].textContent == 'row ' + n) return all[i]; return null; }"
        "var blocks = document.getElementsByClassName('bkl-rows');");
    ASSERT_TRUE(WaitFor(view, cell + QStringLiteral("cell(10) != null")));
    FocusPage(view);
    test::RunScript(view, cell + QStringLiteral("window.getSelection().collapse(cell(10).firstChild, 0); blocks[2].scrollIntoView()"));
    ASSERT_TRUE(WaitFor(view, cell + QStringLiteral("cell(1200) != null")));
    test::RunScript(view, cell + QStringLiteral("cell(1200).scrollIntoView()"));
    ASSERT_TRUE(WaitFor(view, cell + QStringLiteral("blocks[1].childElementCount == 1")));
    test::RunScript(view, cell + QStringLiteral("window.getSelection().extend(cell(1200).firstChild, 8)"));

    const Copied copied = CopyWith([view] { QTest::keyClick(FocusPage(view), Qt::Key_C, Qt::ControlModifier); });
    QString expected;
    for (int i = 10; i < 1200; ++i)
        expected += QStringLiteral("row %1\tx\n").arg(i);
    expected += QStringLiteral("row 1200");
    EXPECT_TRUE(copied.text == expected) << copied.text.left(100).toStdString() << " ... "
                                         << copied.text.right(100).toStdString();
    for (int i : {10, 11, 500, 501, 750, 1000, 1001, 1200})
        EXPECT_TRUE(copied.html.contains(QStringLiteral(">row %1<").arg(i))) << i;
    EXPECT_EQ(copied.html.count(QStringLiteral("<tr")), 1191);
    // The blocks laid out for the copy that are far from the screen are dropped again.
    EXPECT_TRUE(WaitFor(view, cell + QStringLiteral("blocks[1].childElementCount == 1")));
}

TEST(PageCopy, PageTextIsTheEnginesCopyOfThePage)
{
    // Blocks, cells, line breaks, blanks, entities, hidden parts, a NUL: as the engine copies them.
    const QByteArray html = QByteArrayLiteral(
        "<html><head><title>T</title><style>p{}</style><script>var x = \"<p>no</p>\";</script></head><body>\r\n"
        "Text   before\r\n"
        "<p align='center'><b><font face='Calibri' size='3'>&nbsp;Title &amp; &lt;x&gt; &quot;q&quot; &#39;s&#39;"
        "</font></b></p>\r\n<p></p>\r\n<div>  div text <span> span </span> tail  </div>\r\n<table border=1>\r\n"
        "<tr> <th> H1 </th>  <th>H2</th> </tr>\r\n<tr><td></td><td>second only</td></tr>\r\n"
        "<tr><td>a</td><td></td><td>c</td></tr>\r\n<tr><td>one<br>two</td><td> x <b>y</b>  z </td></tr>\r\n"
        "<tr><td><p>para in cell</p></td><td>after para</td></tr>\r\n"
        "<tr><td>nested<table><tr><td>n1</td><td>n2</td></tr></table>after nested</td><td>last</td></tr>\r\n"
        "</table>\r\n<!-- comment <p>not</p> -->\r\n<div style='display: none'>hidden text</div>\r\n"
        "<h2>Heading</h2>\r\nmid &#x41;\0&#66; end\r\n<hr>\r\n<p>x<br></p>\r\n<ul><li>item1</li><li>item2</li></ul>\r\n"
        "<center><b>centered</b></center><table><tr><td>&nbsp;&nbsp;t&nbsp; </td></tr></table>\r\ntrailing\r\n"
        "</body></html>\r\n");
    const QString text = QStringLiteral(
        "Text before\n Title & <x> \"q\" 's'\n\ndiv text span tail\nH1\tH2\nsecond only\na\t\tc\none\ntwo\tx y z\n"
        "para in cell\n\nafter para\nnested\nn1\tn2\nafter nested\tlast\nHeading\nmid AB end\nx\n\nitem1\nitem2\n"
        "centered\n  t \ntrailing");
    EXPECT_EQ(PageText(html), text);
    EXPECT_EQ(EngineCopy(test::WritePage(QStringLiteral("_temp_06.html"), html)).text, text);
    // A table at the start of the page starts with a line end.
    const QString numbered = test::WritePage(QStringLiteral("_temp_02.html"), test::NumberedTable(3));
    EXPECT_EQ(PageText(test::FileBytes(numbered)),
              QStringLiteral("\n1\tjsmith\tCalculations\n2\tjsmith\tCalculations\n3\tjsmith\tCalculations"));
    EXPECT_EQ(EngineCopy(numbered).text, PageText(test::FileBytes(numbered)));
}

namespace {

// A page with a title and text (and `section`) before a long table of two columns (a no-break space,
// entities and blanks in the cells) and a paragraph after it.
QByteArray SelectionPage(int rows, const QByteArray& section = {})
{
    QByteArray html = "<html><head><title>Trace</title></head><body>\r\n<p align='center'><b>Audit&nbsp;Trace &amp; "
                      "more</b></p>\r\n" + section + "<table border='1'>\r\n<tr><th>No</th><th>Text</th></tr>\r\n";
    for (int i = 1; i <= rows; ++i)
        html += "<tr><td>&nbsp;row " + QByteArray::number(i) + "&nbsp;</td><td>a &lt;b&gt;  c\r\n d</td></tr>\r\n";
    return html + "</table>\r\n<p>After the table</p>\r\n</body></html>\r\n";
}

// The script's means to find a row's first cell (among `cells`) and to select.
QString SelectionScript(const QString& cells)
{
    return QStringLiteral("function cell(n) { var all = document.querySelectorAll('%1');"
                          " for (var i = 0; i < all.length; i++) if (all[i].textContent.trim() == 'row ' + n) return all[i];"
                          " return null; }"
                          "var title = document.querySelector('p b').firstChild, after = document.querySelector('body > p:last-of-type').firstChild;")
        .arg(cells);
}

// The selection from `start` to `end` (script points "node, offset") made in the page shown as it is
// (after `before` ran), copied by the engine.
Copied EngineCopyOf(const QString& page, const QString& start, const QString& end, const QString& before = {})
{
    QWebEngineView plain;
    if (!test::LoadAsItIs(plain, page, 1000))
        return {};
    test::RunScript(&plain, SelectionScript(QStringLiteral("td")) + before
                                + QStringLiteral(";window.getSelection().setBaseAndExtent(%1, %2)").arg(start, end));
    return CopyWith([&plain] { QTest::keyClick(FocusPage(&plain), Qt::Key_C, Qt::ControlModifier); });
}

// Shows `page` in `browser`, from its display copy.
void ShowFromDisplayCopy(WebBrowser& browser, const QString& page)
{
    browser.resize(1000, 700);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
    ASSERT_FALSE(browser.displayCopy().isEmpty());
}

// In the page shown from its display copy in `view`: the selection from `start`, made at the top of the
// page, to `end`, made once scrolled to `scrollTo` and on to `end`, where the blocks before are dropped.
void SelectAcrossBlocks(QWebEngineView* view, const QString& start, const QString& scrollTo, const QString& end)
{
    const QString script = SelectionScript(QStringLiteral("div.bkl-rows td"))
                           + QStringLiteral("var blocks = document.getElementsByClassName('bkl-rows');");
    test::RunScript(view, script + QStringLiteral("window.scrollTo(0, 0)"));
    ASSERT_TRUE(WaitFor(view, script + QStringLiteral("cell(10) != null")));
    FocusPage(view);
    test::RunScript(view, script + QStringLiteral("window.getSelection().collapse(%1); %2.scrollIntoView()").arg(start, scrollTo));
    const QString endNode = end.section(QLatin1Char(','), 0, 0);
    ASSERT_TRUE(WaitFor(view, script + QStringLiteral("(function () { try { return %1 != null; } catch (e) { return false; } })()").arg(endNode)));
    test::RunScript(view, script + QStringLiteral("%1.parentNode.scrollIntoView()").arg(endNode));
    ASSERT_TRUE(WaitFor(view, script + QStringLiteral("blocks[1].childElementCount == 1")));
    test::RunScript(view, script + QStringLiteral("window.getSelection().extend(%1)").arg(end));
}

} // namespace

TEST(PageCopy, APartialSelectionIsCopiedFromThePageFileAsTheEngineCopiesItWithoutLayingOutTheRowsBetween)
{
    const QString page = test::WritePage(QStringLiteral("_temp_05.html"), SelectionPage(6000));
    WebBrowser browser;
    QWebEngineView* view = browser.view();
    ASSERT_NO_FATAL_FAILURE(ShowFromDisplayCopy(browser, page));
    const QString script = SelectionScript(QStringLiteral("div.bkl-rows td"))
                           + QStringLiteral("var blocks = document.getElementsByClassName('bkl-rows');");
    ASSERT_TRUE(WaitFor(view, script + QStringLiteral("cell(10) != null")));
    // A block laid out while the copy is handled is noted.
    test::RunScript(view, script + QStringLiteral(
        "window.laidOut = 0; window.addEventListener('copy', function () { window.copying = true; }, true);"
        "window.addEventListener('copy', function () { window.copying = false; });"
        "for (var i = 0; i < blocks.length; i++) new MutationObserver(function () { if (window.copying) window.laidOut++; })"
        ".observe(blocks[i], {childList: true});"));

    // Selections from a row, or from the text before the table, to a row further down or to the
    // text after the table: the start made at the top, the end once scrolled to it.
    // The HTML is the page's markup between the ends, in the elements open there.
    struct Selection {
        QString start;
        QString end;
        QString scrollTo;
        QString htmlStart;
        QString htmlEnd;
        qsizetype rows;
    };
    const QString row10 = QStringLiteral("cell(10).firstChild, 3");
    const QString row1200 = QStringLiteral("cell(1200).nextElementSibling.firstChild, 5");
    const QString fromRow10 = QStringLiteral("<table border='1'><tr><td>w 10&nbsp;</td><td>a &lt;b&gt;  c\r\n d</td></tr>");
    const QString toRow1200 = QStringLiteral("<tr><td>&nbsp;row 1200&nbsp;</td><td>a &lt;b&gt;</td></tr></table>");
    const std::vector<Selection> selections = {
        {row10, row1200, QStringLiteral("blocks[2]"), fromRow10, toRow1200, 1191},
        {QStringLiteral("title, 6"), row1200, QStringLiteral("blocks[2]"),
         QStringLiteral("<p align='center'><b>Trace &amp; more</b></p>\r\n<table"), toRow1200, 1201},
        {row10, QStringLiteral("after, 5"), QStringLiteral("after.parentNode"), fromRow10,
         QStringLiteral("</table>\r\n<p>After</p>"), 5991},
    };
    for (const Selection& s : selections) {
        SCOPED_TRACE(s.start.toStdString() + " to " + s.end.toStdString());
        ASSERT_NO_FATAL_FAILURE(SelectAcrossBlocks(view, s.start, s.scrollTo, s.end));
        const Copied copied = CopyWith([view] { QTest::keyClick(FocusPage(view), Qt::Key_C, Qt::ControlModifier); });
        const Copied expected = EngineCopyOf(page, s.start, s.end);
        ASSERT_FALSE(expected.text.isEmpty());
        EXPECT_TRUE(copied.text == expected.text) << copied.text.left(120).toStdString() << " ... "
                                                  << copied.text.right(120).toStdString() << "\nexpected "
                                                  << expected.text.left(120).toStdString() << " ... "
                                                  << expected.text.right(120).toStdString();
        EXPECT_TRUE(copied.html.startsWith(s.htmlStart)) << copied.html.left(120).toStdString();
        EXPECT_TRUE(copied.html.endsWith(s.htmlEnd)) << copied.html.right(120).toStdString();
        EXPECT_EQ(copied.html.count(QStringLiteral("<tr>")), s.rows);
    }
    EXPECT_EQ(test::RunScript(view, QStringLiteral("window.laidOut")).toInt(), 0);
}

TEST(PageCopy, APageFileReadShortCopiesNothingAndSavesNothingAndSaysWhy)
{
    SeamGuard seams;
    seams.install();
    const QString page = test::WritePage(QStringLiteral("_temp_05.html"), SelectionPage(6000));
    WebBrowser browser;
    QWebEngineView* view = browser.view();
    ASSERT_NO_FATAL_FAILURE(ShowFromDisplayCopy(browser, page));
    // Reading the page file fails after its first 100,000 bytes, as on a failing disk.
    test::FailingFile failing(page, 100000);
    const QString box = "Unable to perform the command\r\n\r\nThe page " + page + " could not be copied: Input/output error";
    // Select All and Copy.
    ExpectCopyRefused(seams, [view] { PressSelectAllAndCopy(view); }, box);
    // A selection over rows not laid out.
    ASSERT_NO_FATAL_FAILURE(SelectAcrossBlocks(view, QStringLiteral("cell(10).firstChild, 0"), QStringLiteral("blocks[2]"),
                                               QStringLiteral("cell(1200).firstChild, 2")));
    ExpectCopyRefused(seams, [view] { QTest::keyClick(FocusPage(view), Qt::Key_C, Qt::ControlModifier); }, box);
    // Save As writes nothing over the file chosen.
    const QString target = test::WritePage(QStringLiteral("saved.html"), "kept");
    seams.dialogs.answers = {target};
    try {
        browser.saveAs();
        ADD_FAILURE() << "saved";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "The page " + page.toStdString() + " could not be read: Input/output error");
    }
    EXPECT_EQ(test::FileBytes(target), "kept");
}

TEST(PageCopy, OnlyTheLatestCopyAskedForReachesTheClipboard)
{
    const QString first = test::WritePage(QStringLiteral("first.html"), "<p>first</p>");
    const QString second = test::WritePage(QStringLiteral("second.html"), "<p>second</p>");
    // The first copy's page file is slow to open: the second copy is made meanwhile.
    std::binary_semaphore opened{0};
    std::atomic<bool> firstRead = false;
    SetUserTextFileAccessForTesting({[](const QString&) { return 0; }, [&](const QString& path) {
                                         if (path == first) {
                                             opened.acquire();
                                             firstRead = true;
                                         }
                                         return std::make_unique<QFile>(path);
                                     }});
    const auto restore = qScopeGuard([&] {
        opened.release();
        SetUserTextFileAccessForTesting({});
    });
    QString shown = first;
    PageCopy copy([&shown] { return shown; });
    QSignalSpy copied(&copy, &PageCopy::copied);
    QGuiApplication::clipboard()->clear();
    copy.copyWholePage();
    shown = second;
    copy.copyWholePage();
    ASSERT_TRUE(copied.wait(10000));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "second");
    // The first copy, made later, is dropped.
    opened.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return firstRead.load(); }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "second");
    EXPECT_EQ(copied.count(), 1);
}

TEST(PageCopy, APageThatHidesPartsIsCopiedAsShownAndASelectionTooLongToLayOutIsRefused)
{
    SeamGuard seams;
    seams.install();
    // A section the user collapsed, as in a preview.
    const QByteArray section = "<script>function toggleDiv(id) { var e = document.getElementById(id);"
                               " e.style.display = e.style.display == '' ? 'none' : ''; }</script>\r\n"
                               "<p id='heading' onclick=\"toggleDiv('details')\">Details</p>\r\n"
                               "<div id='details'><p>Hidden details</p></div>\r\n";
    const QString page = test::WritePage(QStringLiteral("_temp_05.html"), SelectionPage(11000, section));
    const QString collapse = QStringLiteral("toggleDiv('details')");
    WebBrowser browser;
    QWebEngineView* view = browser.view();
    ASSERT_NO_FATAL_FAILURE(ShowFromDisplayCopy(browser, page));
    ASSERT_TRUE(WaitFor(view, QStringLiteral("typeof toggleDiv == 'function'")));
    test::RunScript(view, collapse);

    // A selection from the heading over the hidden section to row 1200 is the engine's copy of what shows.
    const QString heading = QStringLiteral("document.getElementById('heading').firstChild, 0");
    const QString row1200 = QStringLiteral("cell(1200).firstChild, 9");
    ASSERT_NO_FATAL_FAILURE(SelectAcrossBlocks(view, heading, QStringLiteral("blocks[2]"), row1200));
    const Copied copied = CopyWith([view] { QTest::keyClick(FocusPage(view), Qt::Key_C, Qt::ControlModifier); });
    const Copied expected = EngineCopyOf(page, heading, row1200, collapse);
    EXPECT_FALSE(copied.text.contains(QStringLiteral("Hidden details")));
    EXPECT_TRUE(copied.text.endsWith(QStringLiteral("\n row 1200")));
    EXPECT_TRUE(copied.text == expected.text) << copied.text.left(120).toStdString();

    // Select All would lay out every block: nothing is copied, and the user is told why.
    ExpectCopyRefused(seams, [view] { PressSelectAllAndCopy(view); },
                      QStringLiteral("Unable to perform the command\r\n\r\nThe selection is too long to be copied "
                                     "while parts of the page are hidden: show them, or select fewer rows."));
}

// The window closes (Switch Model, Close) while its copy is made beside it: the copy's
// worker is waited for, nothing is delivered to the window that went, and the
// clipboard holds either what it held or the whole page, never a part.
TEST(PageCopy, AWindowClosedWhileItsCopyIsMadeLeavesTheClipboardWholeOrAsItWas)
{
    const QString page = test::TestHome() + QStringLiteral("/_temp_05.html");
    ASSERT_EQ(test::WriteLongAuditPage(page, 15), 6000);
    for (int turnsBeforeClose : {0, 1, 3, 10}) {
        SCOPED_TRACE(turnsBeforeClose);
        auto* browser = new WebBrowser;
        browser->resize(1000, 700);
        browser->show();
        ASSERT_TRUE(test::NavigateAndWait(*browser, browser->view(), page));
        QGuiApplication::clipboard()->setText(QStringLiteral("held before"));
        PressSelectAllAndCopy(browser->view());
        for (int turn = 0; turn < turnsBeforeClose; ++turn)
            QTest::qWait(1);
        browser->close();
        delete browser;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        QTest::qWait(300);
        const QString held = QGuiApplication::clipboard()->text();
        EXPECT_TRUE(held == QLatin1String("held before") || held.count(QLatin1Char('\n')) == 6002)
            << held.count(QLatin1Char('\n'));
    }
}
