#pragma once
// The program's browser: a web-engine view showing the report pages, with the
// save-as, print-preview and print commands.
#include "platform/ui/Browser.h"

#include <QPointer>
#include <memory>

class QPrinter;
class QThread;
class QWebEnginePage;
class QWebEngineView;

namespace bkl {

class PageCopy;
class SlicedPdf;
struct PrintJob;

class WebBrowser final : public Browser {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    void navigate(const QString& htmlFile) override;
    void saveAs() override;
    void printPreview() override;
    void print() override;
    QString currentFile() const override { return file_; }

    // Prints the page on `printer` as the print dialog left it: the web engine
    // makes the page into a PDF for the printer's page layout, a slice at a time
    // (see PrintSlices.h), and the PDF of the printer's pages is written to the
    // printer's output file or handed to the print system. Returns when that is
    // done; throws std::runtime_error when printing fails or the page cannot be
    // printed whole.
    void printTo(QPrinter& printer);

    QWebEngineView* view() const { return view_; }
    // The display copy shown in place of the page file (see DisplayCopy.h), or empty.
    QString displayCopy() const { return displayCopy_; }

private:
    // Waits for a display copy still being written and removes the copies of the page shown before.
    void dropDisplayCopies();
    // Throws when the page shown has no renderer: it shows blank.
    void checkPrintable() const;
    // The page file made into a PDF a slice at a time: every print path prints
    // from here. Throws when the page cannot be printed (whole).
    std::unique_ptr<SlicedPdf> slicesToPrint() const;
    // What is printed is named after the window's caption (see DocumentName.h).
    QString documentName() const;
    void nameDocument(QPrinter& printer) const;
    // Prints the PDF of the job's layout and pages where the job says, as the document's name.
    void deliver(SlicedPdf& pdf, PrintJob job) const;
    void rendererEnded(int status, int exitCode);
    // Beeps and returns true while a run is active: no preview or print then.
    static bool refusedWhileRunning();

    QWebEngineView* view_;
    PageCopy* pageCopy_; // Copy of the whole page shown from its display copy
    QString file_;
    QString displayCopy_;
    // The display copy being written for the latest navigation, and what it wrote.
    QPointer<QThread> copying_;
    std::shared_ptr<QString> written_;
    quint64 navigation_ = 0;
    bool printing_ = false;
    bool rendererEnded_ = false; // of the page shown
};

} // namespace bkl
