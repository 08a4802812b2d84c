#include "platform/ui/SlicedPdf.h"

#include "platform/core/EventLoopTurn.h"
#include "platform/core/SavedFile.h"
#include "platform/core/WholeFile.h"
#include "platform/ui/PdfJoin.h"
#include "platform/ui/PrintThread.h"
#include "platform/ui/RendererEnded.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <optional>
#include <stdexcept>

namespace bkl {
namespace {

constexpr char kNotPrinted[] = "The page could not be printed.";

int g_parallel = 4;

// What the renderers printing the slices may take together (the renderer of the
// page shown keeps up to about 600 MB of the 1.5 GB the engine is given), and
// what one takes for a slice: about 100 MB of its own and 400 MB for each MB of
// the slice's document (measured on report tables; a MB of long texts takes about
// as much, a preview's nested tables more).
constexpr double kRenderersMb = 900;
constexpr double kRendererMb = 100;
constexpr double kRendererMbPerMb = 400;

// Whether two page layouts print the same: the engine takes the page's size and
// orientation and the margins in whole points. The print dialog gives back the
// layout the preview was made for in other units (10 pt as 0.14 in), which is
// not a new layout to make the slices again for.
bool PrintsTheSame(const QPageLayout& a, const QPageLayout& b)
{
    return a.isValid() == b.isValid() && a.pageSize().isEquivalentTo(b.pageSize())
           && a.orientation() == b.orientation() && a.marginsPoints() == b.marginsPoints();
}

double RendererMb(qsizetype sliceBytes) { return kRendererMb + kRendererMbPerMb * double(sliceBytes) / (1024 * 1024); }

QByteArray ReadPage(const QString& pageFile)
{
    WholeFile read = ReadWholeFile(pageFile);
    if (!read.ok())
        throw std::runtime_error(QStringLiteral("Cannot read %1: %2").arg(pageFile, read.error).toStdString());
    return std::move(read.bytes);
}

// The slices of the page file, read and cut on the printing thread: a page of
// tens of MB takes a few hundred milliseconds to read and cut.
PrintSlices SlicesOf(const QString& pageFile)
{
    auto slices = std::make_shared<std::optional<PrintSlices>>();
    RunOnPrintThreadAndWait([pageFile, slices, rows = PrintSliceRows(), bytes = PrintSliceBytes()] {
        slices->emplace(ReadPage(pageFile), rows, bytes);
    });
    return std::move(**slices);
}

} // namespace

struct SlicedPdf::Work {
    quint64 serial = 0;
    qsizetype slice = 0;
    int slot = 0;      // which of the documents beside the page it loads
    QString document;
    QString pdf;       // the PDF file the engine writes
    QWebEnginePage* page = nullptr;
    bool printing = false;
};

void SlicedPdf::setParallel(int pages) { g_parallel = std::max(1, pages); }

SlicedPdf::SlicedPdf(const QString& pageFile, QWebEngineProfile* profile, QObject* parent)
    : QObject(parent), slices_(SlicesOf(pageFile)), profile_(profile)
{
    const QFileInfo page(pageFile);
    documentBase_ = page.absolutePath() + QLatin1Char('/') + page.completeBaseName() + QStringLiteral("_print");
}

SlicedPdf::~SlicedPdf()
{
    for (const std::unique_ptr<Work>& work : works_) {
        delete work->page;
        QFile::remove(work->document);
    }
}

void SlicedPdf::drop(Work& work)
{
    // The page goes with what it held; later signals of it are not for this work.
    if (work.page) {
        work.page->disconnect(this);
        work.page->deleteLater();
        work.page = nullptr;
    }
    QFile::remove(work.document);
}

void SlicedPdf::request(const QPageLayout& layout)
{
    if (!failed_ && serial_ > 0 && PrintsTheSame(layout, layout_))
        return;
    layout_ = layout;
    begin();
}

void SlicedPdf::begin()
{
    ++serial_;
    failed_ = false;
    // The slices of the layout before are no longer wanted: their renderers go now, so the new ones start at once.
    for (const std::unique_ptr<Work>& work : works_) {
        drop(*work);
        if (!work->pdf.isEmpty())
            QFile::remove(work->pdf);
    }
    works_.clear();
    for (const QString& file : printed_)
        if (!file.isEmpty())
            QFile::remove(file);
    printed_.assign(size_t(slices_.count()), QString());
    made_.clear();
    next_ = 0;
    if (!folder_.isValid()) {
        fail(QStringLiteral("Cannot print: no temporary folder for the printed parts."));
        return;
    }
    startWorks();
}

void SlicedPdf::startWorks()
{
    while (!failed_ && next_ < slices_.count() && qsizetype(works_.size()) < g_parallel && roomFor(next_)) {
        // A slot no work uses: each work writes a document of its own.
        int slot = 0;
        while (std::any_of(works_.begin(), works_.end(), [slot](const auto& w) { return w->slot == slot; }))
            ++slot;
        auto work = std::make_unique<Work>();
        work->serial = serial_;
        work->slice = next_++;
        work->slot = slot;
        work->document = documentBase_ + QString::number(slot) + QStringLiteral(".html");
        Work* w = work.get();
        works_.push_back(std::move(work));
        if (const QString error = SaveWholeFile(w->document, slices_.document(w->slice)); !error.isEmpty()) {
            finished(w, false, QStringLiteral("Cannot write %1: %2").arg(w->document, error));
            return;
        }
        w->page = new QWebEnginePage(profile_, this);
        connect(w->page, &QWebEnginePage::loadFinished, this, [this, w](bool ok) {
            if (ok)
                printSlice(w);
            else
                finished(w, false);
        });
        connect(w->page, &QWebEnginePage::pdfPrintingFinished, this,
                [this, w](const QString&, bool ok) { finished(w, ok, ok ? QString() : printFailure()); });
        // A renderer that ends (killed when memory runs out, crashed; even one that
        // ends normally while its page is still wanted) makes no PDF, and the engine
        // then never says that the PDF is finished: the job ends here, with the reason.
        connect(w->page, &QWebEnginePage::renderProcessTerminated, this,
                [this, w](QWebEnginePage::RenderProcessTerminationStatus status) {
                    finished(w, false, QLatin1String(kNotPrinted) + QLatin1Char(' ') + RendererEndedDescription(status));
                });
        // Each slice is a new address, so the engine reads the file anew.
        QUrl url = QUrl::fromLocalFile(w->document);
        url.setQuery(QStringLiteral("slice=%1-%2").arg(w->serial).arg(w->slice));
        w->page->load(url);
    }
}

void SlicedPdf::printSlice(Work* work)
{
    // The web engine of Qt 6.4 aborts the whole program when a renderer ends in the
    // moment (a millisecond or two) between this request and the renderer taking it
    // up (later Qt versions check for it); before and after that moment an ending
    // renderer is told by renderProcessTerminated. Nothing on this side closes it.
    if (work->printing)
        return;
    work->printing = true;
    work->pdf = folder_.filePath(QStringLiteral("%1-%2.pdf").arg(work->serial).arg(work->slice));
    work->page->printToPdf(work->pdf, layout_);
}

void SlicedPdf::finished(Work* work, bool ok, const QString& reason)
{
    const auto at = std::find_if(works_.begin(), works_.end(), [work](const auto& w) { return w.get() == work; });
    if (at == works_.end())
        return;
    const std::unique_ptr<Work> done = std::move(*at);
    works_.erase(at);
    drop(*done);
    if (done->serial != serial_ || failed_) {
        if (!done->pdf.isEmpty())
            QFile::remove(done->pdf);
    } else if (!ok) {
        if (!done->pdf.isEmpty())
            QFile::remove(done->pdf);
        fail(reason.isEmpty() ? QLatin1String(kNotPrinted) : reason);
        return;
    } else {
        printed_[size_t(done->slice)] = done->pdf;
        const qsizetype before = made_.size();
        while (made_.size() < slices_.count() && !printed_[size_t(made_.size())].isEmpty())
            made_.append(printed_[size_t(made_.size())]);
        if (made_.size() > before)
            emit sliceMade();
    }
    startWorks();
}

bool SlicedPdf::roomFor(qsizetype slice) const
{
    double mb = RendererMb(slices_.bytes(slice));
    for (const std::unique_ptr<Work>& work : works_)
        mb += RendererMb(slices_.bytes(work->slice));
    // One renderer at least, whatever its slice takes.
    return works_.empty() || mb <= kRenderersMb;
}

QString SlicedPdf::printFailure() const
{
    // The engine says only that it failed: a full disk or folder is told by writing there.
    const QString probe = folder_.filePath(QStringLiteral("probe"));
    const QString error = SaveWholeFile(probe, QByteArray(1024 * 1024, '\0'));
    QFile::remove(probe);
    return error.isEmpty() ? QString() : QStringLiteral("The page could not be printed: %1").arg(error);
}

void SlicedPdf::fail(const QString& reason)
{
    failed_ = true;
    emit failed(reason);
}

void SlicedPdf::make(const QPageLayout& layout)
{
    QString failure;
    const QMetaObject::Connection onFailed
        = connect(this, &SlicedPdf::failed, this, [&failure](const QString& reason) { failure = reason; });
    request(layout);
    WaitUntil([&] { return failed_ || complete(); });
    disconnect(onFailed);
    if (!complete())
        throw std::runtime_error((failure.isEmpty() ? QLatin1String(kNotPrinted) : failure).toStdString());
}

void SlicedPdf::deliver(const PrintJob& job)
{
    make(job.layout);
    const QString joined = folder_.filePath(QStringLiteral("printed.pdf"));
    RunOnPrintThreadAndWait([parts = made_, joined, job] {
        JoinPdfs(parts, joined, job.pages);
        WholeFile read = ReadWholeFile(joined);
        QFile::remove(joined);
        if (!read.ok())
            throw std::runtime_error(QStringLiteral("Cannot read %1: %2").arg(joined, read.error).toStdString());
        DeliverPdf(read.bytes, job);
    });
}

} // namespace bkl
