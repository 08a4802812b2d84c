#include "platform/ui/PreviewPages.h"

#include "platform/core/EventLoopTurn.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QScopeGuard>
#include <QtConcurrent>
#include <stdexcept>

namespace bkl {

QList<QImage> RenderPdfPages(const QByteArray& pdf, int dpi)
{
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    QList<QImage> pages;
    if (document.status() != QPdfDocument::Status::Ready)
        return pages;
    for (int i = 0; i < document.pageCount(); ++i) {
        QImage image = document.render(i, (document.pagePointSize(i) * dpi / 72.0).toSize());
        // The preview keeps premultiplied images as they are; any other format it copies, page by page.
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
        pages.append(image);
    }
    return pages;
}

PreviewPages::PreviewPages(QWebEnginePage* page, int dpi, QObject* parent) : QObject(parent), pdf_(page), dpi_(dpi)
{
    connect(&pdf_, &PagePdf::ready, this, &PreviewPages::drawLatestPdf);
    connect(&pdf_, &PagePdf::failed, this, &PreviewPages::failed);
    connect(&drawing_, &QFutureWatcher<QList<QImage>>::finished, this, &PreviewPages::drawn);
}

void PreviewPages::prepare(const QPageLayout& layout)
{
    bool drawn = false;
    const QMetaObject::Connection onChanged = connect(this, &PreviewPages::changed, this, [&drawn] { drawn = true; });
    const auto disconnected = qScopeGuard([&onChanged] { disconnect(onChanged); });
    pdf_.make(layout);
    WaitUntil([&drawn] { return drawn; });
    if (images_.isEmpty())
        throw std::runtime_error("The page could not be printed.");
}

void PreviewPages::drawLatestPdf()
{
    if (drawing_.isRunning() || imagesOf_ == pdf_.pdf())
        return; // drawn() draws the latest PDF next
    drawingOf_ = pdf_.pdf();
    drawing_.setFuture(QtConcurrent::run(RenderPdfPages, drawingOf_, dpi_));
}

void PreviewPages::drawn()
{
    QList<QImage> images = drawing_.result();
    if (drawingOf_ != pdf_.pdf()) {
        drawLatestPdf();
        return;
    }
    images_ = std::move(images);
    imagesOf_ = drawingOf_;
    emit changed();
}

void PreviewPages::paint(QPrinter& printer)
{
    pdf_.request(printer.pageLayout());
    QPainter painter;
    if (images_.isEmpty() || !painter.begin(&printer))
        return;
    // The painter's origin is the corner of the printable area; the sheet starts before it.
    const QRectF sheet
        = printer.paperRect(QPrinter::DevicePixel).translated(-printer.pageRect(QPrinter::DevicePixel).topLeft());
    for (qsizetype i = 0; i < images_.size(); ++i) {
        if (i > 0)
            printer.newPage();
        QSizeF fitted = images_[i].size();
        fitted.scale(sheet.size(), Qt::KeepAspectRatio);
        const QPointF corner = sheet.center() - QPointF(fitted.width() / 2, fitted.height() / 2);
        painter.drawImage(QRectF(corner, fitted), images_[i]);
    }
}

} // namespace bkl
