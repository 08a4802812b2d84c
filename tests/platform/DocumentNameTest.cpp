// What is printed is named after the window the page is shown in: the preview's
// title, the name the print dialog offers for the PDF file, never the temporary
// page file; the file name is one every file system takes. Save As suggests the same name.
#include "platform/core/ScriptedSeams.h"
#include "platform/core/Seams.h"
#include "platform/ui/DocumentName.h"
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"
#include "support/WebPages.h"

#include <QApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace bkl;

TEST(DocumentName, TheWindowsCaptionElseThePagesTitleElseItsFileAsAFileSafeName)
{
    QWidget window;
    auto* browser = new QWidget(&window);
    window.setWindowTitle(QStringLiteral("  Trace Audit Log "));
    EXPECT_EQ(PrintedDocumentName(*browser, QStringLiteral("Page"), QStringLiteral("/t/_temp_04.html")),
              QStringLiteral("Trace Audit Log"));
    window.setWindowTitle(QString());
    EXPECT_EQ(PrintedDocumentName(*browser, QStringLiteral("Sales Summary"), QStringLiteral("/t/_temp_04.html")),
              QStringLiteral("Sales Summary"));
    // The engine titles a page without a title of its own with its address.
    EXPECT_EQ(PrintedDocumentName(*browser, QStringLiteral("file:///t/_temp_04_display.html"), QStringLiteral("/t/_temp_04.html")),
              QStringLiteral("_temp_04"));
    EXPECT_EQ(PrintedDocumentName(*browser, QStringLiteral("_temp_04.html"), QStringLiteral("/t/_temp_04.html")),
              QStringLiteral("_temp_04"));

    EXPECT_EQ(FileSafeName(QStringLiteral("Compare: Sales/Target <2026> \"a|b\" *?\\x\t.")),
              QStringLiteral("Compare_ Sales_Target _2026_ _a_b_ ___x_"));
    EXPECT_EQ(FileSafeName(QStringLiteral(" ..Model v1.2.. ")), QStringLiteral("Model v1.2"));
    EXPECT_EQ(FileSafeName(QStringLiteral(" / ")), QStringLiteral("_"));
    EXPECT_EQ(FileSafeName(QStringLiteral(" . ")), QStringLiteral("print"));
    EXPECT_EQ(FileSafeName(QString(300, QLatin1Char('x'))).size(), 200);
}

TEST(DocumentNameRender, PreviewAndPrintDialogAreNamedAfterTheWindowsCaption)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Trace Audit Log: jsmith/2026"));
    auto* layout = new QVBoxLayout(&window);
    auto* browser = new WebBrowser(&window);
    layout->addWidget(browser);
    window.resize(640, 360);
    window.show();
    ASSERT_TRUE(test::NavigateAndWait(*browser, browser->view(),
                                      test::WritePage(QStringLiteral("_temp_02.html"), test::NumberedTable(10))));

    QString previewTitle;
    QString docName;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* preview = qobject_cast<PrintPreviewDialog*>(QApplication::activeModalWidget())) {
            previewTitle = preview->windowTitle();
            preview->reject();
        } else if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            docName = dialog->printer()->docName();
            dialog->reject();
        }
    });
    poll.start(10);
    browser->printPreview();
    browser->print();
    EXPECT_EQ(previewTitle, QStringLiteral("Print Preview: Trace Audit Log: jsmith/2026"));
    // The dialog offers the name without its last suffix, in the home folder, as the PDF file's name.
    EXPECT_EQ(docName, QStringLiteral("Trace Audit Log_ jsmith_2026.pdf"));
}

TEST(DocumentNameRender, SaveAsSuggestsTheWindowsCaptionAsAnHtmlFile)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Trace Audit Log: jsmith/2026"));
    auto* browser = new WebBrowser(&window);
    browser->navigate(test::WritePage(QStringLiteral("_temp_02.html"), test::NumberedTable(10)));
    ScriptedFileDialogs dialogs;
    SetFileDialogs(&dialogs);
    browser->saveAs();
    SetFileDialogs(nullptr);
    EXPECT_EQ(dialogs.suggested, QStringList{QDir::homePath() + QStringLiteral("/Trace Audit Log_ jsmith_2026.html")});
}
