// The web-engine browser, rendered offscreen: the toggle script hides and shows
// a block, the page is read as UTF-8, print goes to a PDF file, cancelled print
// dialogs do nothing, and Save As copies the shown page.
#include "platform/core/ScriptedSeams.h"
#include "platform/ui/WebBrowser.h"
#include "shell/ToggleDivScript.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineView>
#include <functional>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

// A preview page as the run writes it, with the program's own toggle script.
QByteArray TogglePage()
{
    return "<html><body>\r\n" + GetToggleDivScript().toUtf8()
        + "\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
          "<p><b><font face='Calibri' size='2'><span title='Click here to see more information' "
          "style='cursor:pointer; cursor:hand' onclick='toggleDiv(\"TAB_1\")'>CUST \xc3\x9c\xe2\x82\xac</span></font></b></p>"
          "<div id='TAB_1'><p><b><font face='Calibri' size='2'>Block of CUST</font></b></p></div>\r\n"
          "</body>\r\n</html>\r\n";
}

QString WritePage(const QString& name, const QByteArray& bytes)
{
    const QString path = test::TestHome() + QLatin1Char('/') + name;
    test::WriteFileBytes(path, bytes);
    return path;
}

bool NavigateAndWait(WebBrowser& browser, const QString& path)
{
    QSignalSpy loaded(browser.view(), &QWebEngineView::loadFinished);
    browser.navigate(path);
    return loaded.wait(30000) && loaded.first().first().toBool();
}

QVariant RunScript(WebBrowser& browser, const QString& script) { return test::RunScript(browser.view(), script); }

QString BlockDisplay(WebBrowser& browser)
{
    return RunScript(browser, QStringLiteral("getComputedStyle(document.getElementById('TAB_1')).display")).toString();
}

} // namespace

TEST(PreviewBrowserRender, TitleClickTogglesTheBlockPrintSaveAsAndCancelledDialogs)
{
    SeamGuard seams;
    seams.install();
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    EXPECT_THROW(browser.saveAs(), std::runtime_error); // nothing shown yet
    ASSERT_TRUE(NavigateAndWait(browser, WritePage(QStringLiteral("_temp_01.html"), TogglePage())));
    EXPECT_EQ(RunScript(browser, QStringLiteral("document.querySelector('span').innerText")).toString(),
              QString::fromUtf8("CUST \xc3\x9c\xe2\x82\xac"));
    EXPECT_EQ(BlockDisplay(browser), QStringLiteral("block"));
    RunScript(browser, QStringLiteral("document.querySelector('span').click()"));
    EXPECT_EQ(BlockDisplay(browser), QStringLiteral("none"));
    RunScript(browser, QStringLiteral("document.querySelector('span').click()"));
    EXPECT_EQ(BlockDisplay(browser), QStringLiteral("block"));

    const QString pdf = test::TestHome() + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    browser.printTo(printer);
    const QByteArray bytes = test::FileBytes(pdf);
    EXPECT_GT(bytes.size(), 500);
    EXPECT_TRUE(bytes.startsWith("%PDF"));

    // Cancels the print or preview dialog as soon as it is open.
    int dialogs = 0;
    std::function<void()> cancelNextDialog = [&] {
        QTimer::singleShot(100, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
                    ++dialogs;
                    dialog->reject();
                    return;
                }
            }
            cancelNextDialog();
        });
    };
    cancelNextDialog();
    EXPECT_NO_THROW(browser.print());
    cancelNextDialog();
    EXPECT_NO_THROW(browser.printPreview());
    EXPECT_EQ(dialogs, 2);

    // Save As copies the shown page over the chosen file; a cancelled dialog writes nothing.
    const QString target = WritePage(QStringLiteral("saved.html"), "old contents");
    seams.dialogs.answers.push_back(target);
    browser.saveAs();
    EXPECT_EQ(test::FileBytes(target), TogglePage());
    QFile::remove(target);
    browser.saveAs();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(seams.dialogs.titles.size(), 2);
}
