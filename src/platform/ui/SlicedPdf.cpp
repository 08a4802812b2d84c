#include "platform/ui/SlicedPdf.h"

#include "platform/core/EventLoopTurn.h"
#include "platform/ui/PdfJoin.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <stdexcept>

namespace bkl {
namespace {

constexpr char kNotPrinted[] = "The page could not be printed.";

// Each renderer making a slice takes a few hundred MB at most: three of them
// together stay well within the renderers' memory and make the PDF about three
// times as fast as one.
int g_parallel = 3;

QByteArray ReadPage(const QString& pageFile)
{
    QFile file(pageFile);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot read %1: %2").arg(pageFile, file.errorString()).toStdString());
    return file.readAll();
}

} // namespace

struct SlicedPdf::Work {
    quint64 serial;
    qsizetype slice;
    int slot;          // which of the documents beside the page it loads
    QString document;
    QString pdf;       // the PDF file the engine writes
    QWebEnginePage* page = nullptr;
    bool printing = false;
};

void SlicedPdf::setParallel(int pages) { g_parallel = std::max(1, pages); }

SlicedPdf::SlicedPdf(const QString& pageFile, QWebEngineProfile* profile, QObject* parent)
    : QObject(parent), slices_(ReadPage(pageFile), PrintSliceRows()), profile_(profile)
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

void SlicedPdf::request(const QPageLayout& layout)
{
    if (!failed_ && serial_ > 0 && layout == layout_)
        return;
    layout_ = layout;
    begin();
}

void SlicedPdf::begin()
{
    ++serial_;
    failed_ = false;
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
    while (!failed_ && next_ < slices_.count() && qsizetype(works_.size()) < g_parallel) {
        // A slot no work uses: each work writes a document of its own.
        int slot = 0;
        while (std::any_of(works_.begin(), works_.end(), [slot](const auto& w) { return w->slot == slot; }))
            ++slot;
        auto work = std::make_unique<Work>(Work{serial_, next_++, slot, documentBase_ + QString::number(slot)
                                                                              + QStringLiteral(".html")});
        Work* w = work.get();
        works_.push_back(std::move(work));
        const QByteArray document = slices_.document(w->slice);
        QSaveFile file(w->document);
        if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit()) {
            finished(w, false, QStringLiteral("Cannot write %1: %2").arg(w->document, file.errorString()));
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
                [this, w](const QString&, bool ok) { finished(w, ok); });
        connect(w->page, &QWebEnginePage::renderProcessTerminated, this,
                [this, w](QWebEnginePage::RenderProcessTerminationStatus status) {
                    if (status != QWebEnginePage::NormalTerminationStatus)
                        finished(w, false, QStringLiteral("The page could not be printed: the web engine's renderer "
                                                          "ended while printing it."));
                });
        // Each slice is a new address, so the engine reads the file anew.
        QUrl url = QUrl::fromLocalFile(w->document);
        url.setQuery(QStringLiteral("slice=%1-%2").arg(w->serial).arg(w->slice));
        w->page->load(url);
    }
}

void SlicedPdf::printSlice(Work* work)
{
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
    // The page goes with what it held; later signals of it are not for this work.
    if (done->page) {
        done->page->disconnect(this);
        done->page->deleteLater();
    }
    QFile::remove(done->document);
    if (done->serial != serial_ || failed_) {
        QFile::remove(done->pdf);
    } else if (!ok) {
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

QByteArray SlicedPdf::pdf(const QPageLayout& layout, const QPageRanges& pages)
{
    make(layout);
    const QString joined = folder_.filePath(QStringLiteral("printed.pdf"));
    JoinPdfs(made_, joined, pages);
    QFile file(joined);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot read %1: %2").arg(joined, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    file.remove();
    return bytes;
}

} // namespace bkl
