#include "support/WebPages.h"

#include "platform/ui/Browser.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QEventLoop>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

namespace bkl::test {

QString WritePage(const QString& name, const QByteArray& bytes)
{
    const QString path = TestHome() + QLatin1Char('/') + name;
    WriteFileBytes(path, bytes);
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

bool LoadAsItIs(QWebEngineView& view, const QString& page, int width)
{
    view.resize(width, 700);
    view.show();
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.load(QUrl::fromLocalFile(page));
    return loaded.wait(60000) && loaded.first().first().toBool();
}

QVariant RunScript(QWebEngineView* view, const QString& script)
{
    // The answer may come after the wait gave up (when the page goes): it then finds no loop to quit.
    struct Answer {
        QVariant value;
        QPointer<QEventLoop> loop;
    };
    const auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    view->page()->runJavaScript(script, [answer](const QVariant& v) {
        answer->value = v;
        if (answer->loop)
            answer->loop->quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return answer->value;
}

QByteArray NumberedTable(int rows)
{
    QByteArray page = "<html><body>\r\n<table border=1>";
    for (int i = 1; i <= rows; ++i)
        page += "<tr><td>" + QByteArray::number(i) + "</td><td>jsmith</td><td>Calculations</td></tr>";
    return page + "</table>\r\n</body>\r\n</html>\r\n";
}

} // namespace bkl::test
