#pragma once
// The embedded browser next to which the program shows its report pages. The
// program uses a web-engine view; tests use a recording stand-in that keeps the
// calls and the page file without rendering.
#include <QString>
#include <QWidget>

namespace bkl {

class Browser : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Shows a local HTML file (written as UTF-8) in place of the page shown
    // before, which is released first; a second navigation to the same file re-reads it.
    virtual void navigate(const QString& htmlFile) = 0;
    // The browser commands, each with a user prompt (dialog). They throw
    // std::runtime_error with the reason when the command fails; a cancelled
    // prompt is no failure.
    virtual void saveAs() = 0;
    virtual void printPreview() = 0;
    virtual void print() = 0;
    // The file last navigated to (empty before the first navigation).
    virtual QString currentFile() const = 0;
};

// Save As of a shown page: asks for the target ("Save As", HTML files, the page's
// `documentName` (see DocumentName.h) as an HTML file in the home folder) and
// copies the page file `shownFile` over it. The page file always holds a whole
// page (report pages take their file's place only once complete), so the copy is
// the page shown or its complete successor; a page file that cannot be read to its
// end is not saved. Throws std::runtime_error with the reason; a cancelled prompt
// does nothing.
void SavePageFileAs(const QString& shownFile, const QString& documentName);

// Creates the browser the program uses (see SetBrowserFactory for tests).
Browser* CreateBrowser(QWidget* parent);

// Tests install a factory making recording stand-ins; nullptr restores the default.
using BrowserFactory = Browser* (*)(QWidget* parent);
void SetBrowserFactory(BrowserFactory factory);

} // namespace bkl
