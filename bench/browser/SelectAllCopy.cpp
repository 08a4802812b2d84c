#include "SelectAllCopy.h"

#include "ProcessMemory.h"

#include "platform/ui/WebBrowser.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace bench {
namespace {

constexpr int kCopyLimitMs = 120000;
// Copy of a selection over most rows of a page: on the clipboard within this time, the renderer within this.
constexpr double kPartialCopyGoalMs = 3000;
constexpr double kPartialCopyRendererGoalMb = 1536;

} // namespace

namespace {

// Runs `copy` and measures until the clipboard holds text.
CopyTimes MeasureCopy(bkl::WebBrowser& browser, const std::function<void()>& copy)
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
    copy();
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

QVariant RunScript(bkl::WebBrowser& browser, const QString& script)
{
    QVariant value;
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    browser.view()->page()->runJavaScript(script, [&value, waiting](const QVariant& v) {
        if (waiting) {
            value = v;
            waiting->quit();
        }
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return value;
}

// Runs `script` until it gives true, for at most 30 s.
bool WaitFor(bkl::WebBrowser& browser, const QString& script)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        if (RunScript(browser, script).toBool())
            return true;
        QEventLoop wait;
        QTimer::singleShot(50, &wait, &QEventLoop::quit);
        wait.exec();
    }
    return false;
}

// The rows of the first long table and a row of it once its block is laid out; the first and last text of a row.
constexpr char kRowScript[] = R"JS(
  var blocks = document.querySelectorAll("div.bkl-rows[data-table='0']");
  function rowCount() { var n = 0; for (var i = 0; i < blocks.length; i++) n += +blocks[i].getAttribute('data-rows'); return n; }
  function row(n) {
    for (var i = 0, first = 0; i < blocks.length; first += +blocks[i++].getAttribute('data-rows'))
      if (n < first + +blocks[i].getAttribute('data-rows'))
        return blocks[i].childElementCount > 1 ? blocks[i].lastElementChild.rows[n - first] : null;
    return null;
  }
  function texts(e) { var w = document.createTreeWalker(e, NodeFilter.SHOW_TEXT), all = [], n; while ((n = w.nextNode())) all.push(n); return all; }
)JS";

} // namespace

CopyTimes SelectAllAndCopy(bkl::WebBrowser& browser)
{
    return MeasureCopy(browser, [&browser] {
        browser.view()->triggerPageAction(QWebEnginePage::SelectAll);
        browser.view()->triggerPageAction(QWebEnginePage::Copy);
    });
}

void PrintPartialCopy(const QString& title, bkl::WebBrowser& browser)
{
    if (browser.displayCopy().isEmpty())
        return;
    const QString script = QLatin1String(kRowScript);
    const long long rows = RunScript(browser, script + QStringLiteral("rowCount()")).toLongLong();
    const long long from = 2;
    const long long to = rows - 3;
    // A click on the row at the top, Ctrl+End, a shift-click at the end of the row near the last.
    RunScript(browser, QStringLiteral("window.scrollTo(0, 0)"));
    bool selected = WaitFor(browser, script + QStringLiteral("row(%1) != null").arg(from));
    RunScript(browser, script + QStringLiteral("window.getSelection().collapse(texts(row(%1))[0], 0);"
                                               "window.scrollTo(0, document.scrollingElement.scrollHeight)")
                                    .arg(from));
    selected = selected && WaitFor(browser, script + QStringLiteral("row(%1) != null").arg(to));
    RunScript(browser, script + QStringLiteral("var t = texts(row(%1)).pop(); window.getSelection().extend(t, t.length)").arg(to));
    bool ended = false;
    const QMetaObject::Connection watch = QObject::connect(
        browser.view()->page(), &QWebEnginePage::renderProcessTerminated, [&ended] { ended = true; });
    const std::vector<pid_t> renderers = RendererProcesses();
    for (pid_t pid : renderers)
        ResetPeak(pid);
    const CopyTimes copy = MeasureCopy(browser, [&browser] { browser.view()->triggerPageAction(QWebEnginePage::Copy); });
    double peakMb = 0;
    for (pid_t pid : renderers)
        peakMb += PeakMb(pid);
    QObject::disconnect(watch);
    const long long expected = to - from + 1;
    const bool meets = selected && !ended && copy.copiedMs > 0 && copy.copiedMs <= kPartialCopyGoalMs
                       && copy.textRows == expected && copy.htmlRows == expected && peakMb <= kPartialCopyRendererGoalMb;
    std::printf("%s, Copy of rows %lld to %lld (display copy): %lld rows as text, %lld as HTML of %lld, on the clipboard "
                "after %.0f ms <= %.0f ms; renderer peak %.0f MB <= %.0f MB, %s  %s\n",
                qPrintable(title), from, to, copy.textRows, copy.htmlRows, expected, copy.copiedMs, kPartialCopyGoalMs,
                peakMb, kPartialCopyRendererGoalMb, ended ? "ended" : "alive", meets ? "meets" : "misses");
    std::fflush(stdout);
}

} // namespace bench
