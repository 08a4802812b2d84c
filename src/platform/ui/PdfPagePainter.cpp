#include "platform/ui/PdfPagePainter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <algorithm>

namespace bkl {
namespace {

// Enough for print; above it a page image only grows (at 1200 dpi half a gigabyte).
constexpr double kMaxDpi = 300;

} // namespace

bool PaintPdfPages(const QByteArray& pdf, QPrinter& printer)
{
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() == 0)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the corner of the printable area; the sheet starts before it.
    const QRectF sheet = printer.paperRect(QPrinter::DevicePixel)
                             .translated(-printer.pageRect(QPrinter::DevicePixel).topLeft());
    const double dpi = std::min<double>(printer.resolution(), kMaxDpi);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        const QSizeF points = document.pagePointSize(i);
        QSizeF fitted = points;
        fitted.scale(sheet.size(), Qt::KeepAspectRatio);
        const QRectF target(sheet.topLeft() + QPointF((sheet.width() - fitted.width()) / 2,
                                                      (sheet.height() - fitted.height()) / 2),
                            fitted);
        const QSize pixels = (points * dpi / 72.0).toSize();
        painter.drawImage(target, document.render(i, pixels));
    }
    return painter.end();
}

} // namespace bkl
