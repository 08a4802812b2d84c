#pragma once
// The PDF of a report page, made by the web engine a slice at a time (see
// PrintSlices.h). The slices' documents are loaded one after the other into a
// page of the engine of its own, never shown, and each is made into a PDF for
// the page layout asked for; the slices' PDFs are kept in a temporary folder
// until they are joined. Slices are made at once as far as the renderers'
// memory allows, each in a page (and a renderer) of its own that goes once its
// slice is made: the engine keeps what a page has held until the page goes. A
// layout asked for while slices are being made is begun at once: the pages
// making the layout before go, and what was made of it is dropped.
#include "platform/ui/PrintJob.h"
#include "platform/ui/PrintSlices.h"

#include <QObject>
#include <QPageLayout>
#include <QPageRanges>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class QWebEnginePage;
class QWebEngineProfile;

namespace bkl {

class SlicedPdf final : public QObject {
    Q_OBJECT
public:
    // The slices of the page file `pageFile` (read now, to its end, on the
    // printing thread while the event loop turns), printed in a page of `profile`. Throws std::runtime_error when the file cannot be read
    // whole or the page cannot be printed (see PrintSlices).
    SlicedPdf(const QString& pageFile, QWebEngineProfile* profile, QObject* parent = nullptr);
    ~SlicedPdf() override;

    // Asks for the PDF of `layout` without waiting: sliceMade() tells each slice
    // made, failed() why the PDF cannot be made. Nothing is begun again when the
    // PDF of a layout that prints the same (in other units too) is being made or made.
    void request(const QPageLayout& layout);
    // request() and the event loop turned (a run) until every slice is made;
    // throws std::runtime_error when the engine could not make them.
    void make(const QPageLayout& layout);
    // make(), then the PDF of the job's layout and pages, the slices' PDFs
    // joined, delivered where the job says (see DeliverPdf); the joining and the
    // delivery run on the printing thread (see PrintThread.h) while the event
    // loop turns. Throws std::runtime_error.
    void deliver(const PrintJob& job);

    // The layout of the latest request, and the PDF files of its slices made so
    // far, in order.
    const QPageLayout& layout() const { return layout_; }
    const QStringList& made() const { return made_; }
    qsizetype slices() const { return slices_.count(); }
    bool complete() const { return !failed_ && made_.size() == slices_.count(); }
    // The most slices made at once (4 unless set; fewer when the renderers'
    // memory would not take more): a setting for the benchmark and tests.
    static void setParallel(int pages);

signals:
    void sliceMade();
    void failed(const QString& reason);

private:
    struct Work; // a slice being made, in a page of its own

    void begin();
    void startWorks();
    void printSlice(Work* work);
    void finished(Work* work, bool ok, const QString& reason = {});
    void fail(const QString& reason);
    void drop(Work& work);
    // Whether the renderers' memory takes one more renderer, for `slice`, beside those at work.
    bool roomFor(qsizetype slice) const;
    // Why the engine could not write a slice's PDF, as far as the folder tells.
    QString printFailure() const;

    PrintSlices slices_;
    QString documentBase_; // the slices' documents are written beside the page file, named after it
    QWebEngineProfile* profile_;
    QTemporaryDir folder_;
    std::vector<std::unique_ptr<Work>> works_;
    QPageLayout layout_;          // of the latest request
    std::vector<QString> printed_; // the PDF file of each slice of layout_, empty until it is made
    QStringList made_;            // those of the first slices, as far as they are all made
    qsizetype next_ = 0;          // the next slice to begin
    quint64 serial_ = 0;          // of the latest request: works of an earlier one are dropped
    bool failed_ = false;
};

} // namespace bkl
