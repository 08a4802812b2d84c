// Printing in the real web engine, offscreen: the page is printed as the web
// engine's PDF (text, embedded fonts) with the print dialog's choices, and the
// print preview survives orientation changes in a row and shows the new pages.
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"
#include "support/PrintedPdf.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

using test::Pdf;

// Prints the shown page to a PDF file on A4 in `orientation`, the `pages` only
// when given, as the print dialog would leave the printer.
QString PrintToFile(WebBrowser& browser, const QString& name, QPageLayout::Orientation orientation,
                    const QString& pages = QString())
{
    const QString path = test::TestHome() + QLatin1Char('/') + name;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    if (!pages.isEmpty()) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(pages));
    }
    browser.printTo(printer);
    return path;
}

// The browser shown with a table of 70 rows: two portrait pages.
void ShowTable(WebBrowser& browser)
{
    browser.resize(640, 360);
    browser.show();
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(),
                                      test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(70))));
}

QAction* ToolbarAction(QWidget* dialog, const QString& text)
{
    for (QAction* action : dialog->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

TEST(PrintRender, PrintWritesTheEnginesPdfWithTextFontsAndTheDialogsPagesAndOrientation)
{
    WebBrowser browser;
    ShowTable(browser);
    if (HasFatalFailure())
        return;

    // The page as text and vector graphics: its words are in the PDF, in fonts the PDF carries.
    Pdf portrait(PrintToFile(browser, QStringLiteral("portrait.pdf"), QPageLayout::Portrait));
    ASSERT_EQ(portrait.document.status(), QPdfDocument::Status::Ready);
    ASSERT_EQ(portrait.document.pageCount(), 2);
    EXPECT_TRUE(portrait.text(0).contains(QStringLiteral("jsmith")));
    EXPECT_TRUE(portrait.text(0).contains(QStringLiteral("Calculations")));
    EXPECT_TRUE(portrait.text(1).contains(QStringLiteral("70")));
    EXPECT_TRUE(portrait.bytes.contains("/FontFile"));
    EXPECT_LT(portrait.bytes.size(), 1024 * 1024);
    EXPECT_LT(portrait.document.pagePointSize(0).width(), portrait.document.pagePointSize(0).height());

    Pdf landscape(PrintToFile(browser, QStringLiteral("landscape.pdf"), QPageLayout::Landscape));
    ASSERT_GT(landscape.document.pageCount(), 2);
    EXPECT_GT(landscape.document.pagePointSize(0).width(), landscape.document.pagePointSize(0).height());

    // Print with the real dialog: "Print to File (PDF)" writes the same PDF.
    const QString chosen = test::TestHome() + QStringLiteral("/chosen.pdf");
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
        dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(chosen);
        dialog->accept();
    });
    poll.start(10);
    browser.print();
    Pdf printed(chosen);
    ASSERT_EQ(printed.document.pageCount(), 2);
    EXPECT_EQ(printed.text(1), portrait.text(1));

    // Pages 2 of the dialog's page range: the second page only.
    Pdf pageTwo(PrintToFile(browser, QStringLiteral("page-two.pdf"), QPageLayout::Portrait, QStringLiteral("2")));
    ASSERT_EQ(pageTwo.document.pageCount(), 1);
    EXPECT_EQ(pageTwo.text(0), portrait.text(1));
}

TEST(PrintPreviewRender, TwoOrientationChangesInARowKeepTheDialogAndItShowsTheNewPages)
{
    WebBrowser browser;
    ShowTable(browser);
    if (HasFatalFailure())
        return;
    const int portraitPages = Pdf(PrintToFile(browser, QStringLiteral("p.pdf"), QPageLayout::Portrait)).document.pageCount();
    const int landscapePages
        = Pdf(PrintToFile(browser, QStringLiteral("l.pdf"), QPageLayout::Landscape)).document.pageCount();
    ASSERT_NE(portraitPages, landscapePages);

    // Each step acts on a later turn of the event loop than the one before, as clicks do.
    int step = 0;
    int turnsSettled = 0;
    PrintPreviewDialog* shown = nullptr;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<PrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog->pageCount() == 0)
            return;
        shown = dialog;
        const bool isPortrait = dialog->printer().pageLayout().orientation() == QPageLayout::Portrait;
        switch (step) {
        case 0: // the first pages are shown: Landscape, then Portrait at once
            EXPECT_EQ(dialog->pageCount(), portraitPages);
            ToolbarAction(dialog, QStringLiteral("Landscape"))->trigger();
            ++step;
            break;
        case 1:
            ToolbarAction(dialog, QStringLiteral("Portrait"))->trigger();
            ++step;
            break;
        case 2: // the PDF made for the landscape pages meanwhile does not replace the portrait ones
            if (isPortrait && dialog->pageCount() == portraitPages && ++turnsSettled == 50) {
                ToolbarAction(dialog, QStringLiteral("Landscape"))->trigger();
                ++step;
            }
            break;
        case 3: // the new PDF is shown once the engine has made it
            if (!isPortrait && dialog->pageCount() == landscapePages) {
                ++step;
                dialog->accept();
            }
            break;
        }
    });
    poll.start(10);
    QTimer::singleShot(60000, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_NO_THROW(browser.printPreview());
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(step, 4);
}
