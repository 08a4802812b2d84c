#pragma once
// The PDF of a report page, made by the web engine a slice at a time (see
// PrintSlices.h). The slices' documents are loaded one after the other into a
// page of the engine of its own, never shown, and each is made into a PDF for
// the page layout asked for; the slices' PDFs are kept in a temporary folder
// until they are joined. One slice is made at a time: a layout asked for while
// a slice is being made is begun once that slice is done, and the rest of the
// PDF of the layout before is dropped.
#include "platform/ui/PrintSlices.h"

#include <QObject>
#include <QPageLayout>
#include <QPageRanges>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>

class QWebEnginePage;
class QWebEngineProfile;

namespace bkl {

class SlicedPdf final : public QObject {
    Q_OBJECT
public:
    // The slices of the page file `pageFile` (read now), printed in a page of
    // `profile`. Throws std::runtime_error when the file cannot be read or the
    // page cannot be printed whole (see PrintSlices).
    SlicedPdf(const QString& pageFile, QWebEngineProfile* profile, QObject* parent = nullptr);
    ~SlicedPdf() override;

    // Asks for the PDF of `layout` without waiting: sliceMade() tells each slice
    // made, failed() why the PDF cannot be made. Nothing is begun again when the
    // PDF of that layout is being made or made.
    void request(const QPageLayout& layout);
    // request() and the event loop turned (a run) until every slice is made;
    // throws std::runtime_error when the engine could not make them.
    void make(const QPageLayout& layout);
    // make(), then the PDF of `layout` with the pages `pages` (empty: every page),
    // the slices' PDFs joined. Throws std::runtime_error.
    QByteArray pdf(const QPageLayout& layout, const QPageRanges& pages = {});

    // The layout of the latest request, and the PDF files of its slices made so
    // far, in order.
    const QPageLayout& layout() const { return layout_; }
    const QStringList& made() const { return made_; }
    qsizetype slices() const { return slices_.count(); }
    bool complete() const { return !failed_ && made_.size() == slices_.count(); }

signals:
    void sliceMade();
    void failed(const QString& reason);

private:
    void begin();
    void makeNext();
    void loaded(bool ok);
    void printed(const QString& file, bool ok);
    void fail(const QString& reason);
    void newPage();

    PrintSlices slices_;
    QString sliceFile_; // the document of the slice being made, beside the page file
    QWebEngineProfile* profile_;
    QPointer<QWebEnginePage> page_;
    QTemporaryDir folder_;
    QPageLayout layout_;  // of the latest request
    QPageLayout making_;  // of the slices in made_
    QStringList made_;
    QString printing_;    // the PDF file the engine is writing, empty when none
    quint64 serial_ = 0;  // of the PDF being made: the name of its files
    bool busy_ = false;   // a slice is being loaded or printed
    bool failed_ = false;
};

} // namespace bkl
