#include "platform/ui/Browser.h"

namespace bkl {
namespace {

// Placeholder until the web-engine browser lands: remembers the file only.
class PlaceholderBrowser final : public Browser {
public:
    using Browser::Browser;
    void navigate(const QString& htmlFile) override { file_ = htmlFile; }
    void saveAs() override {}
    void printPreview() override {}
    void print() override {}
    QString currentFile() const override { return file_; }

private:
    QString file_;
};

BrowserFactory g_factory = nullptr;

} // namespace

Browser* CreateBrowser(QWidget* parent)
{
    if (g_factory)
        return g_factory(parent);
    return new PlaceholderBrowser(parent);
}

void SetBrowserFactory(BrowserFactory factory) { g_factory = factory; }

} // namespace bkl
