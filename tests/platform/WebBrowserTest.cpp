// The program's web-engine browser, rendered offscreen: a new page releases the
// one shown before.
#include "platform/ui/Browser.h"
#include "platform/ui/WebBrowser.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

using namespace bkl;

namespace {

QString WritePage(const QString& name, const QByteArray& bytes)
{
    const QString path = test::TestHome() + QLatin1Char('/') + name;
    test::WriteFileBytes(path, bytes);
    return path;
}

bool NavigateAndWait(Browser& browser, QWebEngineView* view, const QString& path)
{
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    browser.navigate(path);
    return loaded.wait(30000) && loaded.first().first().toBool();
}

QString BodyText(QWebEngineView* view)
{
    QString text;
    QEventLoop loop;
    view->page()->toPlainText([&](const QString& t) {
        text = t;
        loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return text;
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

    const QString audit = WritePage(QStringLiteral("_temp_04.html"), "<html><body>first trace</body></html>\r\n");
    ASSERT_TRUE(NavigateAndWait(*browser, view, audit));
    const QPointer<QWebEnginePage> first = view->page();
    // The next trace rewrites the same file: the new text shows, the first page is gone.
    test::WriteFileBytes(audit, "<html><body>second trace</body></html>\r\n");
    ASSERT_TRUE(NavigateAndWait(*browser, view, audit));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(BodyText(view), QStringLiteral("second trace"));
    const QPointer<QWebEnginePage> second = view->page();
    const QString preview = WritePage(QStringLiteral("_temp_02.html"), "<html><body>preview</body></html>\r\n");
    ASSERT_TRUE(NavigateAndWait(*browser, view, preview));
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(BodyText(view), QStringLiteral("preview"));
    EXPECT_EQ(view->history()->count(), 1);
    EXPECT_EQ(browser->currentFile(), preview);
}
