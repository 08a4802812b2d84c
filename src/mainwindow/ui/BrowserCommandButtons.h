#pragma once
// The three buttons beside a report browser: Save As, Print Preview and Print.
// Each sends its command to the browser, which prompts the user; a failure shows
// a critical box titled after the command and writes no log line.
#include <QWidget>

class QToolButton;

namespace bkl {
class Browser;

// The three commands on a window's browser, each with the user prompt; a failure
// shows "Unable to perform the command" and the reason, titled "Save Error",
// "Preview Error" or "Print Error". Windows with their own buttons call these.
void BrowserSaveAs(Browser* browser);
void BrowserPrintPreview(Browser* browser);
void BrowserPrint(Browser* browser);

class BrowserCommandButtons final : public QWidget {
    Q_OBJECT
public:
    BrowserCommandButtons(Browser* browser, Qt::Orientation orientation, QWidget* parent = nullptr);

    QToolButton* cmdIEPreview; // Save As
    QToolButton* cmdPreview;   // Print Preview
    QToolButton* cmdPrint;     // Print

    void cmdIEPreview_Click();
    void cmdPreview_Click();
    void cmdPrint_Click();

private:
    Browser* browser_;
};

} // namespace bkl
