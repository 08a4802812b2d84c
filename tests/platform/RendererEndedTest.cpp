// The renderer of a shown page ends (here: killed): the user is told in a
// critical box where the page's file is, the log has an ERROR line, and the
// next page shows in the same browser.
#include "platform/core/ScriptedSeams.h"
#include "platform/ui/WebBrowser.h"
#include "support/LogReader.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QDir>
#include <QPrinter>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <csignal>
#include <gtest/gtest.h>

using namespace bkl;

TEST(RendererEndedRender, AKilledRendererIsReportedAndLoggedAndTheNextPageShows)
{
    SeamGuard seams;
    seams.install();
    test::ClearLog();
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    const QString trace = test::WritePage(QStringLiteral("_temp_04.html"), "<html><body>first trace</body></html>\r\n");
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), trace));
    const qint64 pid = browser.view()->page()->renderProcessPid();
    ASSERT_GT(pid, 0);

    QSignalSpy ended(browser.view()->page(), &QWebEnginePage::renderProcessTerminated);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
    ASSERT_TRUE(ended.wait(30000));
    const int exitCode = ended.first().at(1).toInt();
    const QString description
        = QStringLiteral("The page's renderer was killed (for example when the system ran out of memory). "
                         "The page is kept in ")
          + QDir::toNativeSeparators(trace) + QLatin1Char('.');
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Unable to show the page\r\n\r\nError Number: ")
                                               + QString::number(exitCode) + QStringLiteral("\r\nDescription: ")
                                               + description);
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Preview Error"));
    EXPECT_EQ(test::LogMessages(), QStringList(QStringLiteral("Function: WebBrowser.renderProcessTerminated() --> Code: ")
                                               + QString::number(exitCode) + QStringLiteral(" --> Description: ")
                                               + description));

    // A page without its renderer cannot be printed: printing says so instead of waiting for it.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(test::TestHome() + QStringLiteral("/blank.pdf"));
    try {
        browser.printTo(printer);
        ADD_FAILURE() << "a page without its renderer was printed";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "The page is no longer shown: its renderer ended. Show it again to print it.");
    }

    // The browser shows pages again, in a renderer of their own.
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(),
                                      test::WritePage(QStringLiteral("_temp_02.html"), "<html><body>preview</body></html>\r\n")));
    EXPECT_EQ(test::BodyText(browser.view()), QStringLiteral("preview"));
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
}
