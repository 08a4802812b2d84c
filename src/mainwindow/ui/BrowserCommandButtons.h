#pragma once
// The three buttons beside a report browser: Save As, Print Preview and Print.
// Each sends its command to the browser, which prompts the user; a failure shows
// a critical box titled after the command and writes no log line.
#include <QWidget>

class QToolButton;

namespace bkl {
class Browser;

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
