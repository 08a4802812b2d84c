#include "platform/ui/SlicedPdf.h"

#include "platform/core/EventLoopTurn.h"
#include "platform/ui/PdfJoin.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <stdexcept>

namespace bkl {
namespace {

constexpr char kNotPrinted[] = "The page could not be printed.";

QByteArray ReadPage(const QString& pageFile)
{
    QFile file(pageFile);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot read %1: %2").arg(pageFile, file.errorString()).toStdString());
    return file.readAll();
}

} // namespace

SlicedPdf::SlicedPdf(const QString& pageFile, QWebEngineProfile* profile, QObject* parent)
    : QObject(parent), slices_(ReadPage(pageFile), PrintSliceRows()), profile_(profile)
{
    const QFileInfo page(pageFile);
    sliceFile_ = page.absolutePath() + QLatin1Char('/') + page.completeBaseName() + QStringLiteral("_print.html");
}

SlicedPdf::~SlicedPdf()
{
    delete page_.data();
    QFile::remove(sliceFile_);
}

void SlicedPdf::newPage()
{
    if (page_)
        page_->deleteLater();
    page_ = new QWebEnginePage(profile_, this);
    connect(page_, &QWebEnginePage::loadFinished, this, &SlicedPdf::loaded);
    connect(page_, &QWebEnginePage::pdfPrintingFinished, this, &SlicedPdf::printed);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                // The page is of no more use: the next PDF is made in a new one.
                page_->deleteLater();
                page_.clear();
                busy_ = false;
                fail(QStringLiteral("The page could not be printed: the web engine's renderer ended while printing it."));
            });
}

void SlicedPdf::request(const QPageLayout& layout)
{
    if (layout == layout_ && !failed_ && (busy_ || made_.size() > 0 || making_ == layout))
        return;
    layout_ = layout;
    failed_ = false;
    if (!busy_)
        begin();
}

void SlicedPdf::begin()
{
    for (const QString& file : std::as_const(made_))
        QFile::remove(file);
    made_.clear();
    making_ = layout_;
    ++serial_;
    if (!folder_.isValid()) {
        fail(QStringLiteral("Cannot print: no temporary folder for the printed parts."));
        return;
    }
    if (!page_)
        newPage();
    makeNext();
}

void SlicedPdf::makeNext()
{
    if (made_.size() == slices_.count())
        return;
    const QByteArray document = slices_.document(made_.size());
    QSaveFile file(sliceFile_);
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() || !file.commit()) {
        fail(QStringLiteral("Cannot write %1: %2").arg(sliceFile_, file.errorString()));
        return;
    }
    busy_ = true;
    // Each slice is a new address, so the engine reads the file anew.
    QUrl url = QUrl::fromLocalFile(sliceFile_);
    url.setQuery(QStringLiteral("slice=%1-%2").arg(serial_).arg(made_.size()));
    page_->load(url);
}

void SlicedPdf::loaded(bool ok)
{
    if (!busy_ || !printing_.isEmpty())
        return;
    if (!ok) {
        busy_ = false;
        fail(QLatin1String(kNotPrinted));
        return;
    }
    printing_ = folder_.filePath(QStringLiteral("%1-%2.pdf").arg(serial_).arg(made_.size()));
    page_->printToPdf(printing_, making_);
}

void SlicedPdf::printed(const QString& file, bool ok)
{
    if (file != printing_)
        return;
    printing_.clear();
    busy_ = false;
    if (!ok) {
        fail(QLatin1String(kNotPrinted));
        return;
    }
    if (making_ != layout_ || failed_) {
        // Another layout was asked for meanwhile.
        failed_ = false;
        begin();
        return;
    }
    made_.append(file);
    emit sliceMade();
    makeNext();
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
    WaitUntil([&] { return !failure.isEmpty() || failed_ || (complete() && making_ == layout); });
    disconnect(onFailed);
    if (!complete() || making_ != layout)
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
