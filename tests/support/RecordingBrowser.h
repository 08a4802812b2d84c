#pragma once
// A browser stand-in for tests: records each call and the page file's bytes at
// each navigation, and fails a command on request, without rendering anything;
// its Save As is the program's own (prompt and copy of the page file).
#include "platform/ui/Browser.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>

namespace bkl::test {

class RecordingBrowser final : public Browser {
public:
    using Browser::Browser;

    void navigate(const QString& htmlFile) override;
    // Copies the page file as the program's browser does once a page is shown.
    void saveAs() override;
    void printPreview() override { record(QStringLiteral("printPreview"), printPreviewFailure); }
    void print() override { record(QStringLiteral("print"), printFailure); }
    QString currentFile() const override { return file_; }

    // "navigate <file>", "saveAs", "printPreview", "print", in call order.
    QStringList calls;
    // The page file's bytes when it was last navigated to.
    QByteArray lastPage;
    // When not empty, the command throws std::runtime_error with this text.
    QString saveAsFailure;
    QString printPreviewFailure;
    QString printFailure;

private:
    void record(const QString& call, const QString& failure);
    QString file_;
};

// Makes every browser the program creates a RecordingBrowser while it lives.
class RecordingBrowserFactory {
public:
    RecordingBrowserFactory();
    ~RecordingBrowserFactory();
    RecordingBrowserFactory(const RecordingBrowserFactory&) = delete;
    RecordingBrowserFactory& operator=(const RecordingBrowserFactory&) = delete;
    // The last one created (nullptr when none, or when it is gone).
    RecordingBrowser* last() const;
};

} // namespace bkl::test
