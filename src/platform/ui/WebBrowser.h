#pragma once
// The program's browser: a web-engine view showing the report pages, with the
// save-as, print-preview and print commands.
#include "platform/ui/Browser.h"

class QPrinter;
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

    // Prints the shown page on `printer` and returns when the engine is done;
    // throws std::runtime_error when printing fails. Print and print preview use it.
    void printTo(QPrinter& printer);

    QWebEngineView* view() const { return view_; }

private:
    QWebEngineView* view_;
    QString file_;
    bool printing_ = false;
};

} // namespace bkl
