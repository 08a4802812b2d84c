#pragma once
// The pages a print preview shows: the PDF the web engine makes of a page for
// the preview printer's layout, drawn as images at a screen resolution. Qt's
// print support must not be re-entered while it lays out the preview, so
// nothing here turns the event loop inside the preview's paint request: when
// the layout changes, the new PDF is made by the engine and its page images are
// drawn in a worker thread, and changed() asks the preview to paint again.
#include "platform/ui/PagePdf.h"

#include <QFutureWatcher>
#include <QImage>
#include <QList>
#include <QObject>

class QPrinter;

namespace bkl {

// The pages of a PDF as images at `dpi`; none when the PDF cannot be read. Any thread.
QList<QImage> RenderPdfPages(const QByteArray& pdf, int dpi);

class PreviewPages final : public QObject {
    Q_OBJECT
public:
    PreviewPages(QWebEnginePage* page, int dpi, QObject* parent = nullptr);

    // Makes the first pages for `layout`, turning the event loop until they
    // are there (before the preview opens); throws std::runtime_error on failure.
    void prepare(const QPageLayout& layout);
    // For the paint request: paints the latest page images, each over the
    // whole sheet, fitted and centred when they are of another layout, and
    // asks for the pages of the printer's layout when they are.
    void paint(QPrinter& printer);
    // The PDF maker, for printing from the preview.
    PagePdf& pdf() { return pdf_; }

signals:
    // Pages of the latest layout are there: the preview paints them.
    void changed();
    // The engine could not make the PDF of the latest layout.
    void failed();

private:
    void drawLatestPdf();
    void drawn();

    PagePdf pdf_;
    int dpi_;
    QList<QImage> images_;
    QByteArray imagesOf_; // the PDF the images are of
    QFutureWatcher<QList<QImage>> drawing_;
    QByteArray drawingOf_;
};

} // namespace bkl
