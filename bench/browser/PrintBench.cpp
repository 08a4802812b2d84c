#include "PrintBench.h"

#include "ProcessMemory.h"

#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPdfPageRenderer>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <cstdio>
#include <unistd.h>

namespace bench {
namespace {

constexpr double kPrintGoalMs = 120000;
constexpr double kRendererGoalMb = 1536;
constexpr double kProgramGoalMb = 1024;
constexpr double kFirstPageGoalMs = 3000;
constexpr double kPreviewProgramGoalMb = 600;
constexpr double kPreviewRestGoalMb = 20;
constexpr double kGapGoalMs = 100;

// The peaks of the program and of the renderers (all of them together), sampled while something runs.
class PeakSampler {
public:
    PeakSampler()
    {
        ResetPeak(getpid());
        for (pid_t pid : RendererProcesses())
            ResetPeak(pid);
        QObject::connect(&timer_, &QTimer::timeout, [this] { sample(); });
        timer_.start(100);
    }
    // The renderers together: the largest sum of their resident sizes at one sample (a sum of
    // their peaks would add up peaks of renderers that came one after the other).
    void sample()
    {
        program = std::max(program, PeakMb(getpid()));
        double renderers = 0;
        for (pid_t pid : RendererProcesses())
            renderers += ResidentMb(pid);
        renderer = std::max(renderer, renderers);
    }
    double program = 0;
    double renderer = 0;

private:
    QTimer timer_;
};

// The window's longest gap between two turns of its event loop, sampled by a timer while something runs.
class GapSampler {
public:
    GapSampler()
    {
        since_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longestMs = std::max(longestMs, static_cast<double>(since_.nsecsElapsed()) / 1e6);
            since_.restart();
        });
        timer_.start(5);
    }
    double longestMs = 0;

private:
    QTimer timer_;
    QElapsedTimer since_;
};

// The time from `clock`'s start until the preview's first page is drawn, once hooked to the preview.
void HookFirstPage(bkl::PrintPreviewDialog* preview, const QElapsedTimer& clock, double& firstPageMs)
{
    if (preview->property("benchHooked").toBool())
        return;
    preview->setProperty("benchHooked", true);
    QObject::connect(preview->view()->findChild<QPdfPageRenderer*>(), &QPdfPageRenderer::pageRendered, preview,
                     [&clock, &firstPageMs](int page) {
                         if (page == 0 && firstPageMs == 0)
                             firstPageMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                     });
}

void Pump(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool Show(bkl::WebBrowser& browser, const QString& page)
{
    QEventLoop loop;
    bool ok = false;
    QObject::connect(browser.view(), &QWebEngineView::loadFinished, &loop, [&](bool done) {
        ok = done;
        loop.quit();
    });
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);
    browser.navigate(page);
    loop.exec();
    Pump(1000);
    return ok;
}

QString NoBlanks(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

// The rows of the page file, each as the text of its first two cells without blanks (on the trace page
// the serial number and the user, which never wrap into the lines of the other cells).
QStringList RowKeys(const QString& page)
{
    QFile file(page);
    file.open(QIODevice::ReadOnly);
    const QString html = QString::fromUtf8(file.readAll());
    QStringList keys;
    static const QRegularExpression row(QStringLiteral("<tr[ >](.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                         QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    for (auto r = row.globalMatch(html); r.hasNext();) {
        QString key;
        int cells = 0;
        for (auto c = cell.globalMatch(r.next().captured(1)); c.hasNext() && cells < 2; ++cells) {
            QString text = c.next().captured(1);
            text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            text.replace(QLatin1String("&nbsp;"), QLatin1String(" ")).replace(QLatin1String("&amp;"), QLatin1String("&"));
            text.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&gt;"), QLatin1String(">"));
            key += NoBlanks(text);
        }
        keys << key;
    }
    return keys;
}

// How many of the rows `keys` the PDF holds in order (pdftotext in the order its content is drawn).
qsizetype RowsInOrder(const QString& pdf, const QStringList& keys)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    text.waitForFinished(600000);
    const QString all = NoBlanks(QString::fromUtf8(text.readAllStandardOutput()));
    qsizetype at = 0;
    qsizetype found = 0;
    for (const QString& key : keys) {
        const qsizetype next = all.indexOf(key, at);
        if (next < 0)
            break;
        at = next + key.size();
        ++found;
    }
    return found;
}

void ChoosePdfFile(QPrintDialog& dialog, const QString& file)
{
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
    dialog.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
    dialog.accept();
}

struct Printed {
    double ms = 0;
    qsizetype rows = 0;
    double programMb = 0;
    double rendererMb = 0;
    double gapMs = 0;
    double firstPageMs = 0; // from the preview
    QString failure;
    bool meets(qsizetype pageRows, bool fromPreview) const
    {
        return failure.isEmpty() && rows == pageRows && ms <= kPrintGoalMs && programMb <= kProgramGoalMb
               && rendererMb <= kRendererGoalMb && gapMs <= kGapGoalMs
               && (!fromPreview || (firstPageMs > 0 && firstPageMs <= kFirstPageGoalMs));
    }
};

void Report(const char* what, int i, const Printed& p, qsizetype pageRows)
{
    std::printf("  %s %d: %8.0f ms  rows in order %lld of %lld  program peak %6.0f MB  renderer peak %6.0f MB  "
                "window's longest gap %5.0f ms%s%s%s\n",
                what, i, p.ms, static_cast<long long>(p.rows), static_cast<long long>(pageRows), p.programMb,
                p.rendererMb, p.gapMs,
                p.firstPageMs > 0 ? qPrintable(QStringLiteral("  first page shown %1 ms").arg(p.firstPageMs, 0, 'f', 0)) : "",
                p.failure.isEmpty() ? "" : "  failed: ", qPrintable(p.failure));
    std::fflush(stdout);
}

} // namespace

void MeasurePrint(const QString& title, const QString& page, int times)
{
    const QStringList keys = RowKeys(page);
    std::printf("%s: print to a PDF file, %lld rows\n", qPrintable(title), static_cast<long long>(keys.size()));
    std::fflush(stdout);
    bkl::WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    if (!Show(browser, page)) {
        std::printf("  the page did not load\n");
        return;
    }
    QTemporaryDir folder;
    bool meets = true;
    for (int i = 0; i <= times; ++i) {
        const bool fromPreview = i == times;
        const QString pdf = folder.filePath(QStringLiteral("printed-%1.pdf").arg(i));
        Printed p;
        PeakSampler peaks;
        GapSampler gaps;
        QElapsedTimer clock;
        clock.start();
        try {
            if (fromPreview) {
                bool printing = false;
                QTimer poll;
                QObject::connect(&poll, &QTimer::timeout, [&] {
                    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                        poll.stop();
                        ChoosePdfFile(*dialog, pdf);
                        return;
                    }
                    auto* preview = qobject_cast<bkl::PrintPreviewDialog*>(QApplication::activeModalWidget());
                    if (preview)
                        HookFirstPage(preview, clock, p.firstPageMs);
                    // Print once the first page is drawn.
                    if (!preview || p.firstPageMs == 0 || printing)
                        return;
                    printing = true;
                    for (QAction* action : preview->findChildren<QAction*>())
                        if (action->text() == QStringLiteral("Print"))
                            QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
                });
                poll.start(20);
                browser.printPreview();
            } else {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                browser.printTo(printer);
            }
        } catch (const std::exception& e) {
            p.failure = QString::fromUtf8(e.what());
        }
        p.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        p.gapMs = gaps.longestMs;
        peaks.sample();
        p.programMb = peaks.program;
        p.rendererMb = peaks.renderer;
        p.rows = RowsInOrder(pdf, keys);
        Report(fromPreview ? "preview, print" : "print", fromPreview ? 1 : i + 1, p, keys.size());
        meets = meets && p.meets(keys.size(), fromPreview);
        QFile::remove(pdf);
    }
    const bool alive = browser.view()->page()->renderProcessPid() > 0;
    std::printf("%s: print to PDF %d times and from the preview once: every row in order, <= %.0f s, renderer peak "
                "<= %.0f MB, program peak <= %.0f MB, window's longest gap <= %.0f ms, preview's first page <= %.0f s, "
                "the page's renderer alive  %s\n",
                qPrintable(title), times, kPrintGoalMs / 1000, kRendererGoalMb, kProgramGoalMb, kGapGoalMs,
                kFirstPageGoalMs / 1000, meets && alive ? "meets" : "misses");
    std::fflush(stdout);
}

void MeasurePreview(const QString& title, const QString& page, bool quick)
{
    bkl::WebBrowser browser;
    browser.resize(1000, 700);
    browser.show();
    if (!Show(browser, page)) {
        std::printf("  the page did not load\n");
        return;
    }
    const int quietMs = quick ? 0 : 5000;
    Pump(quick ? 0 : 2000);
    const double before = ResidentMb(getpid());
    PeakSampler peaks;
    QElapsedTimer clock;
    clock.start();
    double firstPageMs = 0;
    int pages = 0;
    qint64 lastPagesMs = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<bkl::PrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        HookFirstPage(preview, clock, firstPageMs);
        // The preview stays open until no more pages have come for `quietMs` (its PDF is complete), then closes.
        if (preview->pageCount() > pages) {
            pages = preview->pageCount();
            lastPagesMs = clock.elapsed();
        } else if (firstPageMs > 0 && clock.elapsed() >= lastPagesMs + quietMs) {
            preview->reject();
        }
    });
    poll.start(200);
    QString failure;
    try {
        browser.printPreview();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    peaks.sample();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Pump(quick ? 0 : 3000);
    const double after = ResidentMb(getpid());
    const bool meets = failure.isEmpty() && firstPageMs > 0 && firstPageMs <= kFirstPageGoalMs
                       && peaks.program <= kPreviewProgramGoalMb && after - before <= kPreviewRestGoalMb;
    std::printf("%s: Print Preview: first page shown %.0f ms (%d pages by the close), program %.0f MB before, peak %.0f "
                "MB, %.0f MB after it closed%s%s\n",
                qPrintable(title), firstPageMs, pages, before, peaks.program, after,
                failure.isEmpty() ? "" : "; failed: ", qPrintable(failure));
    std::printf("%s: Print Preview: first page <= %.0f s, program peak <= %.0f MB, back within %.0f MB once closed  %s\n",
                qPrintable(title), kFirstPageGoalMs / 1000, kPreviewProgramGoalMb, kPreviewRestGoalMb,
                meets ? "meets" : "misses");
    std::fflush(stdout);
}

} // namespace bench
