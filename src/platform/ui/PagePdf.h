#pragma once
// A web page made into a PDF by the web engine (text and vector graphics, fonts
// embedded) for a page layout and a set of pages. The engine makes one PDF of a
// page at a time: a request made while one is being made waits for it, and of
// the requests made meanwhile only the latest is made next.
#include <QByteArray>
#include <QObject>
#include <QPageLayout>
#include <QPageRanges>
#include <QPointer>

class QWebEnginePage;

namespace bkl {

class PagePdf final : public QObject {
    Q_OBJECT
public:
    explicit PagePdf(QWebEnginePage* page, QObject* parent = nullptr);

    // Asks for the PDF of `layout` and `pages` (empty: every page) without
    // waiting; ready() or failed() tells how it went. Nothing is made again
    // when the latest PDF is already of that layout and those pages.
    void request(const QPageLayout& layout, const QPageRanges& pages = {});
    // request() and the event loop turned until the PDF is there; throws
    // std::runtime_error when the engine could not make it. Never call it
    // where the event loop must not turn (a print preview's paint request).
    const QByteArray& make(const QPageLayout& layout, const QPageRanges& pages = {});

    // The latest PDF made (empty before the first), and what it was made for.
    const QByteArray& pdf() const { return pdf_; }
    bool isOf(const QPageLayout& layout, const QPageRanges& pages = {}) const;

signals:
    // The PDF of the latest request is there.
    void ready();
    // The engine could not make the PDF of the latest request (the page is
    // gone, its renderer ended, or the engine refused).
    void failed();

private:
    void makeWanted();
    void finished(quint64 serial, const QByteArray& result);
    void abandon();

    QPointer<QWebEnginePage> page_;
    QByteArray pdf_;
    QPageLayout layout_;
    QPageRanges pages_;
    QPageLayout askedLayout_; // of the PDF being made
    QPageRanges askedPages_;
    QPageLayout wantedLayout_; // of the latest request
    QPageRanges wantedPages_;
    quint64 serial_ = 0; // of the PDF being made; a late answer to an abandoned one is dropped
    bool making_ = false;
    bool rendererEnded_ = false; // or the page is gone: nothing more can be made of it
};

} // namespace bkl
