#include "platform/ui/PagePdf.h"

#include "platform/core/EventLoopTurn.h"

#include <QScopeGuard>
#include <QWebEnginePage>
#include <stdexcept>

namespace bkl {

PagePdf::PagePdf(QWebEnginePage* page, QObject* parent) : QObject(parent), page_(page)
{
    if (page) {
        connect(page, &QWebEnginePage::renderProcessTerminated, this, &PagePdf::abandon);
        connect(page, &QObject::destroyed, this, &PagePdf::abandon);
    }
}

bool PagePdf::isOf(const QPageLayout& layout, const QPageRanges& pages) const
{
    return !pdf_.isEmpty() && layout_ == layout && pages_ == pages;
}

void PagePdf::request(const QPageLayout& layout, const QPageRanges& pages)
{
    wantedLayout_ = layout;
    wantedPages_ = pages;
    if (!making_ && !isOf(layout, pages))
        makeWanted();
}

void PagePdf::makeWanted()
{
    if (!page_ || rendererEnded_) {
        emit failed();
        return;
    }
    making_ = true;
    askedLayout_ = wantedLayout_;
    askedPages_ = wantedPages_;
    const quint64 serial = ++serial_;
    const QPointer<PagePdf> self(this);
    page_->printToPdf(
        [self, serial](const QByteArray& result) {
            if (self)
                self->finished(serial, result);
        },
        askedLayout_, askedPages_);
}

void PagePdf::finished(quint64 serial, const QByteArray& result)
{
    if (serial != serial_ || !making_)
        return;
    making_ = false;
    const bool latest = askedLayout_ == wantedLayout_ && askedPages_ == wantedPages_;
    // An answer to an older request replaces the PDF only when that is not already the one wanted now.
    const bool keep = !result.isEmpty() && (latest || !isOf(wantedLayout_, wantedPages_));
    if (keep) {
        pdf_ = result;
        layout_ = askedLayout_;
        pages_ = askedPages_;
    }
    if (isOf(wantedLayout_, wantedPages_)) {
        if (keep)
            emit ready();
    } else if (latest) {
        emit failed();
    } else {
        makeWanted();
    }
}

const QByteArray& PagePdf::make(const QPageLayout& layout, const QPageRanges& pages)
{
    bool answered = false;
    const QMetaObject::Connection onReady = connect(this, &PagePdf::ready, this, [&answered] { answered = true; });
    const QMetaObject::Connection onFailed = connect(this, &PagePdf::failed, this, [&answered] { answered = true; });
    const auto disconnected = qScopeGuard([&] {
        disconnect(onReady);
        disconnect(onFailed);
    });
    request(layout, pages);
    WaitUntil([&] { return answered || isOf(layout, pages); });
    if (!isOf(layout, pages))
        throw std::runtime_error("The page could not be printed.");
    return pdf_;
}

void PagePdf::abandon()
{
    rendererEnded_ = true;
    if (!making_)
        return;
    making_ = false;
    ++serial_;
    emit failed();
}

} // namespace bkl
