// The program's web-engine browser, rendered offscreen: a new page releases the
// one shown before, and Print Preview shows the pages at screen resolution while
// printing from it still prints what Print prints.
#include "platform/ui/Browser.h"
#include "platform/ui/WebBrowser.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QApplication>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

using namespace bkl;

namespace {

// A PDF file's bytes without its creation date, and its page count.
QByteArray PdfWithoutDate(const QString& path)
{
    return QString::fromLatin1(test::FileBytes(path))
        .remove(QRegularExpression(QStringLiteral("/CreationDate \\([^)]*\\)")))
        .toLatin1();
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
    int previewDpi = 0;
    int shownPages = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        auto* preview = dialog ? dialog->findChild<QPrintPreviewWidget*>() : nullptr;
        if (!preview || preview->pageCount() == 0)
            return;
        poll.stop();
        previewDpi = dialog->printer()->resolution();
        shownPages = preview->pageCount();
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(fromPreview);
        preview->print();
        dialog->accept();
    });
    poll.start(10);
    browser.printPreview();

    // An image of a page at the printer's 1200 dpi is half a gigabyte: the preview draws screen-sized ones.
    EXPECT_GT(previewDpi, 0);
    EXPECT_LE(previewDpi, 200);
    const QByteArray expected = PdfWithoutDate(printed);
    EXPECT_EQ(PdfPages(expected), 2);
    EXPECT_EQ(shownPages, 2);
    EXPECT_TRUE(PdfWithoutDate(fromPreview) == expected);
}
