#pragma once
// The print preview: the PDF that Print prints, in a view that draws only the
// pages on the screen, at the screen's resolution, as they scroll into sight;
// nothing of a page is kept once the preview closes. The PDF is made a slice at
// a time while the preview is open: its first pages show as soon as the first
// slice is made, and the pages made since are added now and then; while pages
// are still being made the page count says so, and a new orientation or page
// setup drops the pages shown until those of the new layout come. The toolbar
// offers page navigation, zoom, the orientation, page setup, and Print, which
// asks for the printer and closes the preview; the caller prints then.
#include "platform/ui/PrintJob.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPageLayout>
#include <optional>

class QAction;
class QLabel;
class QPdfDocument;
class QPdfView;
class QPrinter;
class QSpinBox;
class QTemporaryDir;

namespace bkl {

class SlicedPdf;

class PrintPreviewDialog final : public QDialog {
    Q_OBJECT
public:
    // Shows the PDF `pdf` makes for the page layout of `printer`, which the
    // preview's page setup and Print change. `title` names the document.
    PrintPreviewDialog(SlicedPdf& pdf, QPrinter& printer, const QString& title, QWidget* parent = nullptr);
    ~PrintPreviewDialog() override;

    QPdfView* view() const { return view_; }
    const QPrinter& printer() const { return printer_; }
    // The pages shown (those of the slices made so far).
    int pageCount() const;
    // What the preview's Print chose, once the dialog has closed; empty when it was closed otherwise.
    const std::optional<PrintJob>& job() const { return job_; }
    // Why the PDF could not be made, when that closed the preview; empty otherwise.
    const QString& failure() const { return failure_; }

signals:
    // New pages are shown.
    void pagesShown();

private:
    void addActions();
    void setOrientation(QPageLayout::Orientation orientation);
    void pageSetup();
    void printFromPreview();
    void layoutChanged();
    void sliceMade();
    void joined();
    void showPage(int page);
    void updatePageNumber();

    SlicedPdf& pdf_;
    QPrinter& printer_;
    QPdfDocument* document_;
    QPdfView* view_;
    QSpinBox* pageNumber_;
    QLabel* pageTotal_;
    QAction* portrait_ = nullptr;
    QAction* landscape_ = nullptr;
    // Shared with the join under way, which may end after the dialog has gone.
    std::shared_ptr<QTemporaryDir> folder_;
    QFutureWatcher<QString> joining_; // why the join failed, empty when it did not
    QString joiningFile_;
    QPageLayout joiningOf_;
    qsizetype joiningSlices_ = 0;
    QPageLayout shownOf_;     // the layout of the pages shown
    qsizetype shownSlices_ = 0; // and how many slices they are
    int joins_ = 0;
    std::optional<PrintJob> job_;
    QString failure_;
};

} // namespace bkl
