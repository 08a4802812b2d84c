#include "SelectAllCopy.h"

#include "platform/ui/WebBrowser.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>

namespace bench {
namespace {

constexpr int kCopyLimitMs = 120000;

} // namespace

CopyTimes SelectAllAndCopy(bkl::WebBrowser& browser)
{
    CopyTimes times;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QElapsedTimer clock;
    QElapsedTimer sinceTurn;
    QEventLoop loop;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, &loop, [&] {
        times.longestGapMs = std::max(times.longestGapMs, static_cast<double>(sinceTurn.nsecsElapsed()) / 1e6);
        sinceTurn.restart();
    });
    // The engine may empty the clipboard first: the copy is there once it holds text.
    QObject::connect(clipboard, &QClipboard::dataChanged, &loop, [&] {
        if (!clipboard->text().isEmpty()) {
            times.copiedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            loop.quit();
        }
    });
    QTimer::singleShot(kCopyLimitMs, &loop, &QEventLoop::quit);
    clock.start();
    sinceTurn.start();
    turns.start(5);
    // The engine selects and copies in the page that has the focus, as after a click in it.
    QWidget* page = browser.view()->focusProxy() ? browser.view()->focusProxy() : browser.view();
    page->setFocus();
    browser.view()->triggerPageAction(QWebEnginePage::SelectAll);
    browser.view()->triggerPageAction(QWebEnginePage::Copy);
    loop.exec();
    turns.stop();
    const QMimeData* mime = clipboard->mimeData();
    if (!mime)
        return times;
    const QString text = mime->text();
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        if (QStringView(text).sliced(at, end - at).contains(QLatin1Char('\t')))
            ++times.textRows;
        at = end + 1;
    }
    const QString html = mime->html();
    for (qsizetype at = html.indexOf(QLatin1String("<tr"), 0, Qt::CaseInsensitive); at >= 0 && at + 3 < html.size();
         at = html.indexOf(QLatin1String("<tr"), at + 3, Qt::CaseInsensitive))
        if (html[at + 3] == QLatin1Char(' ') || html[at + 3] == QLatin1Char('>'))
            ++times.htmlRows;
    return times;
}

} // namespace bench
