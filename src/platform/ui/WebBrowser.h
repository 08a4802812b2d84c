#pragma once
// The program's browser: a web-engine view showing the report pages, with the
// save-as, print-preview and print commands.
#include "platform/ui/Browser.h"

class QPrinter;
class QWebEnginePage;
class QWebEngineView;

namespace bkl {

class WebBrowser final : public Browser {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);

    void navigate(const QString& htmlFile) override;
    void saveAs() override;
    void printPreview() override;
    void print() override;
    QString currentFile() const override { return file_; }

    // Prints the page on `printer` as the print dialog left it: the web engine
    // makes the page into a PDF for the printer's page layout and pages, and the
    // PDF is written to the printer's output file or handed to the print system.
    // Returns when that is done; throws std::runtime_error when printing fails.
    void printTo(QPrinter& printer);

    QWebEngineView* view() const { return view_; }

private:
    // The page that Print and Print Preview make into a PDF: the whole page of
    // currentFile(). Every print path takes its page from here. Throws when the
    // page's renderer has ended.
    QWebEnginePage* pageToPrint() const;
    void rendererEnded(int status, int exitCode);

    QWebEngineView* view_;
    QString file_;
    bool printing_ = false;
    bool rendererEnded_ = false; // of the page shown
};

} // namespace bkl
