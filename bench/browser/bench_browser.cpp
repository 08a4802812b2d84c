// The browser benchmark: loads large report pages into the program's real
// web-engine browser, three times each in one session, and prints per load how
// long the navigate call held the window, the time to the load-finished signal,
// the time until every row of the page is in the document and its last row shows
// after scrolling to the end, the peak resident memory of the program and of the
// web engine's renderer processes by then, how long scrolling through the whole
// page from the top then takes and the renderer's peak over that too, the
// renderer's largest count of memory maps, and whether the renderer was alive at
// the end. After the loads of a page it selects all of it and copies it, and prints
// the rows the clipboard then holds as text and as HTML, the time until they are
// there, and the window's longest gap meanwhile; then copies a selection over most
// of its rows, as from the third row to the fourth last. Run through
// scripts/bench browser [scale].
//
//   bkl_bench_browser --server <folder> --database <name> [--scale N] [--settle ms]
//                     [--rows 100000,50000] [--page <file>]... [--write-pages <folder>] [--on-display]
//                     [--text-mb 60] [--smoke]
//
// The pages are written by the program's own page builders: the audit trace of
// Show Top 100000 and of Show Top 50000, and the preview of 500 calculations.
// Then a page of 60 MB (--text-mb) of ASCII with non-ASCII text at its end is
// loaded once, and its document's encoding and that text reported.
// --page measures the given page files instead; --write-pages only writes the
// pages. --on-display runs on the display (the xcb platform, e.g. under xvfb-run)
// with the web engine's own flags, as the program itself runs (only --no-sandbox
// when run as root, where the engine refuses the sandbox); by default it runs
// offscreen. (Qt takes --display for itself: it names the X display.)
// --smoke is the test suite's run: every scenario once on small inputs (one load
// each of an audit page of 6,000 rows, shown from its display copy, and of the
// preview page; a 1 MB encoding page; one print to PDF and one from the preview of
// 1,500 rows, in slices; a Print Preview of 1,500 rows closed at its first page),
// so that it takes seconds; its figures mean nothing. Options given still count.
#include "PrintBench.h"
#include "PrintPages.h"
#include "ProcessMemory.h"
#include "SelectAllCopy.h"

#include "mainwindow/AuditTracePage.h"
#include "mainwindow/AuditTraceStatement.h"
#include "mainwindow/PreviewPage.h"
#include "platform/core/AppFolder.h"
#include "platform/db/Recordset.h"
#include "platform/ui/WebBrowser.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ToggleDivScript.h"

#include "../BenchApplication.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <cstring>
#include <unistd.h>

namespace {

int g_loads = 3;
// A repeated load may peak this much above the first one.
constexpr double kRepeatFactor = 1.1;
// The goals of a large page: every row shown within this time, the renderer under these peaks.
constexpr double kShownGoalMs = 15000;
constexpr double kRendererGoalMb = 1536;
constexpr int kMapsGoal = 30000;
// Select All and Copy: the window's longest gap while the copy is made.
constexpr double kCopyGapGoalMs = 100;
// A page whose rows do not all show within this time is given up.
constexpr int kShownLimitMs = 180000;
// Scrolling through a page: this far down at each step, a step at a time.
constexpr int kScrollStepPx = 6000;
constexpr int kScrollStepMs = 25;

struct Load {
    double navigateMs = 0; // the navigate call itself: the window is held that long
    double loadMs = 0;
    double shownMs = 0; // every row in the document and the last one on the screen; 0 when never
    double scrolledMs = 0; // the page scrolled through from the top to the end afterwards
    qint64 rows = 0;    // the rows found in the document
    QString lastRow;    // the text of the last row on the screen, as the script last saw it
    double programPeakMb = 0;
    double rendererPeakMb = 0;         // once every row showed at the end
    double rendererScrolledPeakMb = 0; // over the scrolling through the page as well
    double rendererRestMb = 0;
    int rendererMaps = 0; // the largest count seen while loading and scrolling
    bool ok = false;
    bool rendererEnded = false; // the renderer process crashed or was killed

    bool meets(qint64 fileRows) const
    {
        return ok && !rendererEnded && rows == fileRows && shownMs > 0 && shownMs <= kShownGoalMs
               && std::max(rendererPeakMb, rendererScrolledPeakMb) <= kRendererGoalMb && rendererMaps <= kMapsGoal;
    }
};

// What the benchmark knows of a page file: its rows (those the engine adds where a
// cell opens a row of its own too) and the text of its last row.
struct PageFile {
    QString path;
    qint64 rows = 0;
    QString lastRowText; // without blanks
};

void Pump(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

QString WriteAuditPage(int rows)
{
    bkl::mainwindow::AuditTraceOptions options;
    options.topCount = rows;
    const QString path = bkl::mainwindow::AuditTracePagePath();
    bkl::mainwindow::WriteAuditTracePage(path, g_cnModel, bkl::mainwindow::AuditTraceStatement(options), {});
    return path;
}

QString WritePreviewPage(int calculations)
{
    std::vector<bkl::mainwindow::ObjectRowTexts> rows;
    bkl::db::Recordset rs(QStringLiteral("SELECT TOP %1 [Name] FROM Calculation ORDER BY [Name]").arg(calculations),
                          g_cnModel);
    for (; !rs.eof(); rs.moveNext())
        rows.push_back({rs.field(0).toText(), QStringLiteral("Calculation")});
    const int n = static_cast<int>(rows.size());
    bkl::reports::PlainProgressSink sink(1, n + 1, 1);
    const QString path = bkl::mainwindow::PreviewPagePath();
    bkl::mainwindow::WritePreviewPage(path, bkl::GetToggleDivScript(), bkl::mainwindow::GroupCheckedRows(rows), sink);
    return path;
}

// A cell text as the document holds it: markup dropped, the few entities the pages use read, no blanks.
QString PlainText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    html.replace(QLatin1String("&lt;"), QLatin1String("<"));
    html.replace(QLatin1String("&gt;"), QLatin1String(">"));
    html.replace(QLatin1String("&quot;"), QLatin1String("\""));
    html.replace(QLatin1String("&#39;"), QLatin1String("'"));
    html.replace(QLatin1String("&amp;"), QLatin1String("&"));
    html.remove(QRegularExpression(QStringLiteral("\\s")));
    return html;
}

PageFile ReadPageFile(const QString& path)
{
    QFile file(path);
    PageFile page{path};
    if (!file.open(QIODevice::ReadOnly))
        return page;
    const QByteArray original = file.readAll();
    const QByteArray bytes = original.toLower();
    for (qsizetype at = bytes.indexOf("<tr"); at >= 0; at = bytes.indexOf("<tr", at + 3))
        if (at + 3 < bytes.size() && (bytes[at + 3] == '>' || bytes[at + 3] == ' '))
            ++page.rows;
    // A cell straight after a table's start or a row's end starts a row of its own in the document.
    page.rows += QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("(<table[^>]*>|</tr>)\\s*<td")));
    const qsizetype last = bytes.lastIndexOf("<tr");
    const qsizetype end = last < 0 ? -1 : bytes.indexOf("</tr>", last);
    if (end > last)
        page.lastRowText = PlainText(QString::fromUtf8(original.mid(last, end - last)));
    return page;
}

// Scrolls the page to its end and tells the rows of the page in the document, and
// whether its last row shows: [rows, last row's text if on the screen, or "not
// displayed" when it is in a collapsed part of the page]. A row counts once: the
// rows a display copy keeps as markup to lay out when scrolled to are counted in
// that markup, not again where they are laid out (in an element of a data-table),
// nor in the copy's sizer table that measures the columns.
constexpr char kRowsScript[] = R"JS(
(function () {
  window.scrollTo(0, document.documentElement.scrollHeight);
  var rows = 0;
  document.querySelectorAll('tr').forEach(function (tr) { if (!tr.closest('[data-table]')) ++rows; });
  document.querySelectorAll('script[type="text/x-table-rows"]').forEach(function (s) {
    rows += s.text.split(/<tr[ >]/i).length - 1;
  });
  var all = document.getElementsByTagName('tr');
  var last = all.length ? all[all.length - 1] : null;
  var shown = '';
  if (last && last.getClientRects().length == 0) {
    shown = 'not displayed';
  } else if (last) {
    var r = last.getBoundingClientRect();
    if (r.height > 0 && r.top < window.innerHeight && r.bottom > 0)
      shown = last.textContent.replace(/\s/g, '');
  }
  return [rows, shown];
})()
)JS";

// Runs the script now and then until every row of the page is counted and its last row shows.
void WaitForEveryRow(QWebEnginePage* page, const PageFile& file, Load& load, const QElapsedTimer& clock)
{
    QEventLoop loop;
    bool pending = false;
    QTimer poll;
    // An answer still pending when the wait gives up comes when the page goes: it finds nothing to write to.
    const auto alive = std::make_shared<bool>(true);
    const auto gone = qScopeGuard([alive] { *alive = false; });
    const auto ask = [&] {
        if (pending)
            return;
        pending = true;
        page->runJavaScript(QLatin1String(kRowsScript), [&, alive](const QVariant& v) {
            if (!*alive)
                return;
            pending = false;
            const QVariantList result = v.toList();
            load.rows = result.value(0).toLongLong();
            const QString shown = result.value(1).toString();
            load.lastRow = shown;
            if (load.rows == file.rows && (shown == file.lastRowText || shown == QLatin1String("not displayed"))) {
                load.shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                loop.quit();
            }
        });
    };
    QObject::connect(&poll, &QTimer::timeout, &loop, ask);
    QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    QTimer::singleShot(std::max<qint64>(0, kShownLimitMs - clock.elapsed()), &loop, &QEventLoop::quit);
    poll.start(100);
    ask();
    loop.exec();
}

// Scrolls through the page from the top to the end, a step at a time, as a user
// dragging the scroll bar down would; returns how long it took.
double ScrollThrough(QWebEnginePage* page)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    bool pending = false;
    int y = 0;
    QTimer step;
    const auto alive = std::make_shared<bool>(true);
    const auto gone = qScopeGuard([alive] { *alive = false; });
    QObject::connect(&step, &QTimer::timeout, &loop, [&] {
        if (pending)
            return;
        pending = true;
        page->runJavaScript(QStringLiteral("window.scrollTo(0, %1); window.scrollY + window.innerHeight >= "
                                           "document.documentElement.scrollHeight")
                                .arg(y),
                            [&, alive](const QVariant& atEnd) {
                                if (!*alive)
                                    return;
                                pending = false;
                                y += kScrollStepPx;
                                if (atEnd.toBool())
                                    loop.quit();
                            });
    });
    QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    QTimer::singleShot(kShownLimitMs, &loop, &QEventLoop::quit);
    step.start(kScrollStepMs);
    loop.exec();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The largest count of memory maps of the renderer processes, sampled while it runs.
class MapsSampler {
public:
    MapsSampler()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (pid_t pid : bench::RendererProcesses())
                most_ = std::max(most_, bench::MemoryMaps(pid));
        });
        timer_.start(200);
    }
    int most() const { return most_; }

private:
    QTimer timer_;
    int most_ = 0;
};

double Sum(const std::vector<pid_t>& pids, double (*mb)(pid_t))
{
    double total = 0;
    for (pid_t pid : pids)
        total += mb(pid);
    return total;
}

// Navigates to the page, waits for its load to finish and for every row to show
// at the end; the peaks are read once the renderer has had `settleMs` more.
Load LoadOnce(bkl::WebBrowser& browser, const PageFile& file, int settleMs)
{
    bench::ResetPeak(getpid());
    for (pid_t pid : bench::RendererProcesses())
        bench::ResetPeak(pid);
    Load load;
    MapsSampler maps;
    QEventLoop loop;
    const auto done = QObject::connect(browser.view(), &QWebEngineView::loadFinished, &loop, [&](bool ok) {
        load.ok = ok;
        loop.quit();
    });
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    browser.navigate(file.path);
    load.navigateMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    QWebEnginePage* page = browser.view()->page();
    QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop,
                     [&](QWebEnginePage::RenderProcessTerminationStatus, int) {
                         load.rendererEnded = true;
                         load.ok = false;
                         loop.quit();
                     });
    loop.exec();
    load.loadMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    QObject::disconnect(done);
    if (!load.rendererEnded)
        WaitForEveryRow(page, file, load, clock);
    Pump(settleMs);
    load.programPeakMb = bench::PeakMb(getpid());
    load.rendererPeakMb = Sum(bench::RendererProcesses(), bench::PeakMb);
    if (!load.rendererEnded && load.shownMs > 0) {
        load.scrolledMs = ScrollThrough(page);
        Pump(settleMs);
    }
    const std::vector<pid_t> renderers = bench::RendererProcesses();
    load.rendererEnded = load.rendererEnded || renderers.empty();
    load.rendererScrolledPeakMb = Sum(renderers, bench::PeakMb);
    load.rendererRestMb = Sum(renderers, bench::ResidentMb);
    load.rendererMaps = maps.most();
    return load;
}

// The goal line for one process: each repeated load finished and peaked at most 1.1 x the first load.
void PrintRepeatGoal(const QString& what, const std::vector<Load>& loads, double Load::*peakMb)
{
    const double first = loads[0].*peakMb;
    bool meets = first > 0 && loads[0].ok;
    QStringList repeats;
    for (size_t i = 1; i < loads.size(); ++i) {
        repeats << QString::number(loads[i].*peakMb, 'f', 0);
        meets = meets && loads[i].ok && loads[i].*peakMb <= kRepeatFactor * first;
    }
    std::printf("%s: repeat peak <= 1.1 x first peak (%.0f MB): %s MB  %s\n", qPrintable(what), first,
                qPrintable(repeats.join(QStringLiteral(", "))), meets ? "meets" : "misses");
}

// Select All and Copy of the page as loaded last, with its goal line for a page shown from
// its display copy: every row on the clipboard as text (a line with a tab each) and as HTML,
// the window's longest gap at most 100 ms.
void PrintCopy(const QString& title, bkl::WebBrowser& browser, const PageFile& file)
{
    const bool fromCopy = !browser.displayCopy().isEmpty();
    const bench::CopyTimes copy = bench::SelectAllAndCopy(browser);
    const bool meets = copy.copiedMs > 0 && copy.textRows == file.rows && copy.htmlRows == file.rows
                       && copy.longestGapMs <= kCopyGapGoalMs;
    // The rows of a page as it is are the engine's own copy: told, with no goal.
    const char* verdict = !fromCopy ? "reported" : meets ? "meets" : "misses";
    std::printf("%s, Select All and Copy (%s): %lld rows as text, %lld as HTML of %lld, on the clipboard after %.0f ms; "
                "window's longest gap %.0f ms <= %.0f ms  %s\n",
                qPrintable(title), fromCopy ? "display copy" : "page as it is", copy.textRows, copy.htmlRows,
                static_cast<long long>(file.rows), copy.copiedMs, copy.longestGapMs, kCopyGapGoalMs,
                verdict);
    std::fflush(stdout);
}

// Loads one page three times into a fresh browser and prints a line per load and per goal.
std::vector<Load> Measure(const QString& title, const QString& path, int settleMs)
{
    const PageFile file = ReadPageFile(path);
    std::printf("%s: %s, %.1f MB, %lld rows\n", qPrintable(title), qPrintable(QFileInfo(path).fileName()),
                static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0), static_cast<long long>(file.rows));
    std::fflush(stdout);
    bkl::WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    std::vector<Load> loads;
    for (int i = 1; i <= g_loads; ++i) {
        const Load l = LoadOnce(browser, file, settleMs);
        const char* failure = l.rendererEnded ? " (renderer ended)" : l.ok ? "" : " (failed)";
        const QString shown = l.shownMs > 0 ? QStringLiteral("%1 ms").arg(l.shownMs, 8, 'f', 0)
                                            : QStringLiteral("never (%1 rows, last row shown: '%2')").arg(l.rows).arg(l.lastRow.left(40));
        std::printf("  load %d: navigate %4.0f ms  load-finished %8.0f ms%s  every row shown at the end %s  program peak "
                    "%6.0f MB  renderer peak %6.0f MB;  scrolled through %6.0f ms: renderer peak %6.0f MB, at rest "
                    "%6.0f MB, %6d maps at most, %s\n",
                    i, l.navigateMs, l.loadMs, failure, qPrintable(shown), l.programPeakMb, l.rendererPeakMb,
                    l.scrolledMs, l.rendererScrolledPeakMb, l.rendererRestMb, l.rendererMaps,
                    l.rendererEnded ? "ended" : "alive");
        std::fflush(stdout);
        loads.push_back(l);
    }
    PrintCopy(title, browser, file);
    bench::PrintPartialCopy(title, browser);
    const bool meets = std::all_of(loads.begin(), loads.end(), [&](const Load& l) { return l.meets(file.rows); });
    std::printf("%s: every row shown at the end <= %.0f s, renderer peak <= %.0f MB and <= %d maps, alive, in every "
                "load  %s\n",
                qPrintable(title), kShownGoalMs / 1000, kRendererGoalMb, kMapsGoal, meets ? "meets" : "misses");
    PrintRepeatGoal(title + QStringLiteral(", program"), loads, &Load::programPeakMb);
    PrintRepeatGoal(title + QStringLiteral(", renderer"), loads, &Load::rendererPeakMb);
    std::fflush(stdout);
    return loads;
}

// A page of `mb` MB of ASCII table rows, then a name in other scripts in its last row
// and after the table: loaded into the browser, the name must read back as written and
// the document's encoding be UTF-8 (the page scheme declares it; without it, the engine
// guesses the encoding of a long page from its bytes).
void MeasureEncoding(int mb)
{
    const QByteArray name = "Gr\xc3\xbc\xc3\x9f" "e \xe6\xbc\xa2\xe5\xad\x97 \xf0\x9f\x98\x80";
    QByteArray html = "<html><body>\r\n<table border='1' width='100%'>";
    html.reserve(qsizetype(mb) * 1024 * 1024 + 4096);
    for (int i = 1; html.size() < qsizetype(mb) * 1024 * 1024; ++i)
        html += "<tr><td>" + QByteArray::number(i) + "</td><td>jsmith</td><td>Calculations of the plan</td></tr>";
    html += "<tr><td>last</td><td class='name'>" + name + "</td><td>x</td></tr></table>\r\n<p class='name'>" + name
            + "</p>\r\n</body>\r\n</html>\r\n";
    const QString path = bkl::ApplicationFolderPath(QStringLiteral("temp")) + QStringLiteral("_temp_06.html");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size())
        return;
    file.close();
    bkl::WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QObject::connect(browser.view(), &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kShownLimitMs, &loop, &QEventLoop::quit);
    browser.navigate(path);
    loop.exec();
    const QString read = QStringLiteral(
        "window.scrollTo(0, document.documentElement.scrollHeight); var names = [];"
        "document.querySelectorAll('.name').forEach(function (n) {"
        "  if (!n.closest('.bkl-sizer')) names.push(n.textContent); });"
        "[document.characterSet, names.join('|')]");
    const QString expected = QString::fromUtf8(name + "|" + name);
    QVariantList seen;
    while (seen.value(1).toString().size() < expected.size() && clock.elapsed() < kShownLimitMs) {
        QEventLoop wait;
        browser.view()->page()->runJavaScript(read, [&](const QVariant& v) {
            seen = v.toList();
            wait.quit();
        });
        wait.exec();
        Pump(100);
    }
    const bool meets = seen.value(0).toString() == QLatin1String("UTF-8") && seen.value(1).toString() == expected;
    std::printf("Page of %d MB of ASCII, then \"%s\" in its last row and after the table: characterSet %s, the text "
                "read back %s, in %.0f ms  %s\n",
                mb, name.constData(), qPrintable(seen.value(0).toString()),
                seen.value(1).toString() == expected ? "as written" : "otherwise", double(clock.elapsed()),
                meets ? "meets" : "misses");
    std::fflush(stdout);
}

// --on-display: the platform and the web engine's flags the program itself runs with.
bool OnDisplay(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--on-display") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool onDisplay = OnDisplay(argc, argv);
    if (onDisplay) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "xcb");
        // The engine refuses to start sandboxed as root.
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS") && geteuid() == 0)
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
        bench::PrepareWebEngine();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    } else {
        bench::PrepareOffscreenApplication();
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisklane"));

    QCommandLineParser p;
    bench::AddModelOptions(p);
    p.addOption({QStringLiteral("settle"), QStringLiteral("Milliseconds before the peaks are read, after every row shows and after the scrolling."),
                 QStringLiteral("ms"), QStringLiteral("3000")});
    p.addOption({QStringLiteral("loads"), QStringLiteral("Loads of each page."), QStringLiteral("n"),
                 QStringLiteral("3")});
    p.addOption({QStringLiteral("rows"), QStringLiteral("Rows of the audit trace pages (Show Top), comma-separated."),
                 QStringLiteral("n,..."), QStringLiteral("100000,50000")});
    p.addOption({QStringLiteral("page"), QStringLiteral("Measure this page file instead (repeatable)."),
                 QStringLiteral("file")});
    p.addOption({QStringLiteral("write-pages"), QStringLiteral("Only write the pages into this folder."),
                 QStringLiteral("folder")});
    p.addOption({QStringLiteral("print-rows"),
                 QStringLiteral("Rows of the audit trace pages printed to PDF (three times each, then from the preview), "
                                "comma-separated; 0: none."),
                 QStringLiteral("n,..."), QStringLiteral("100000,30000")});
    p.addOption({QStringLiteral("print-pages"),
                 QStringLiteral("Also print these pages (as the audit pages): the preview of 1541 calculations, the compare "
                                "Detailed Summary of 1000, the audit page of 3000 rows of long texts; none: no more."),
                 QStringLiteral("preview,compare,long-texts|none"), QStringLiteral("preview,compare,long-texts")});
    p.addOption({QStringLiteral("print-only"), QStringLiteral("Only the printing (no loads, copies or encoding page).")});
    p.addOption({QStringLiteral("preview-rows"), QStringLiteral("Rows of the audit trace page print-previewed; 0: none."),
                 QStringLiteral("n"), QStringLiteral("10001")});
    p.addOption({QStringLiteral("on-display"), QStringLiteral("Run on the display (xcb) with the web engine's own flags.")});
    p.addOption({QStringLiteral("text-mb"), QStringLiteral("MB of ASCII before the non-ASCII text of the encoding page."),
                 QStringLiteral("n"), QStringLiteral("60")});
    p.addOption({QStringLiteral("smoke"), QStringLiteral("Every scenario once on small inputs, in seconds (the test suite's run).")});
    const auto [server, database] = bench::ProcessModelOptions(p, app);
    const bool smoke = p.isSet(QStringLiteral("smoke"));
    // An option as given, else its smoke run's value, else its default.
    const auto option = [&](const char* name, const QString& smokeValue) {
        const QString n = QLatin1String(name);
        return smoke && !p.isSet(n) ? smokeValue : p.value(n);
    };
    const QString rowsOption = option("rows", QStringLiteral("6000"));
    const QString printRowsOption = option("print-rows", QStringLiteral("1500"));
    const int settleMs = option("settle", QStringLiteral("0")).toInt();
    g_loads = std::max(1, option("loads", QStringLiteral("1")).toInt());

    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/bkl-bench-browser-XXXXXX"));
    bench::UseApplicationFolder(home.path());
    g_cnModel.setConnectionString(bench::ModelConnectionString(server, database));
    g_cnModel.setCommandTimeout(600);
    g_cnModel.open();

    std::printf("Browser benchmark on %s (scale %s): the real web engine %s, each page loaded %d times in one "
                "session; peaks (VmHWM) read %d ms after every row shows and again after the scrolling\n",
                qPrintable(server), qPrintable(p.value(QStringLiteral("scale"))),
                onDisplay ? qPrintable(QStringLiteral("on the display (%1)").arg(QApplication::platformName()))
                          : "offscreen",
                g_loads, settleMs);
    if (p.isSet(QStringLiteral("write-pages"))) {
        const QDir to(p.value(QStringLiteral("write-pages")));
        for (const QString& n : rowsOption.split(QLatin1Char(','), Qt::SkipEmptyParts))
            QFile::rename(WriteAuditPage(n.toInt()), to.filePath(QStringLiteral("audit-%1.html").arg(n)));
        QFile::rename(WritePreviewPage(500), to.filePath(QStringLiteral("preview-500.html")));
    } else if (p.isSet(QStringLiteral("page"))) {
        for (const QString& page : p.values(QStringLiteral("page")))
            Measure(QFileInfo(page).fileName(), page, settleMs);
    } else {
        std::vector<std::pair<int, std::vector<Load>>> audits;
        for (const QString& n : rowsOption.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (p.isSet(QStringLiteral("print-only")))
                break;
            const int rows = n.toInt();
            audits.emplace_back(rows, Measure(QStringLiteral("Audit trace page, Show Top %1").arg(rows),
                                              WriteAuditPage(rows), settleMs));
        }
        if (!p.isSet(QStringLiteral("print-only"))) {
            Measure(QStringLiteral("Preview page of 500 calculations"), WritePreviewPage(500), settleMs);
            MeasureEncoding(option("text-mb", QStringLiteral("1")).toInt());
        }
        for (const QString& n : printRowsOption.split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (n.toInt() > 0)
                bench::MeasurePrint(QStringLiteral("Audit trace page, Show Top %1").arg(n), WriteAuditPage(n.toInt()), g_loads);
        const QString printPages = option("print-pages", QStringLiteral("none"));
        if (printPages.contains(QLatin1String("preview")))
            bench::MeasurePrint(QStringLiteral("Preview page of 1541 calculations"), WritePreviewPage(1541), g_loads);
        if (printPages.contains(QLatin1String("compare")))
            bench::MeasurePrint(QStringLiteral("Compare Detailed Summary of 1000 calculations"),
                                bench::WriteDetailedSummaryPage(server, 1000), g_loads);
        if (printPages.contains(QLatin1String("long-texts")))
            bench::MeasurePrint(QStringLiteral("Audit trace page, Show Top 3000, 1000-character texts with quotes"),
                                bench::WriteLongTextAuditPage(server, 3000), g_loads);
        if (const int rows = option("preview-rows", QStringLiteral("1500")).toInt(); rows > 0)
            bench::MeasurePreview(QStringLiteral("Audit trace page, Show Top %1").arg(rows), WriteAuditPage(rows), smoke);
        for (const auto& [rows, loads] : audits) {
            QStringList times;
            for (const Load& l : loads)
                times << QString::number(l.loadMs, 'f', 0);
            std::printf("Audit trace page, Show Top %d, time to load-finished (no goal): %s ms  reported\n", rows,
                        qPrintable(times.join(QStringLiteral(", "))));
        }
    }
    std::fflush(stdout);
    // Tearing down the web engine tells nothing: leave at once.
    home.remove();
    std::_Exit(0);
}
