#include "platform/ui/Browser.h"

#include "platform/ui/WebBrowser.h"

namespace bkl {
namespace {
BrowserFactory g_factory = nullptr;
}

Browser* CreateBrowser(QWidget* parent)
{
    if (g_factory)
        return g_factory(parent);
    return new WebBrowser(parent);
}

void SetBrowserFactory(BrowserFactory factory) { g_factory = factory; }

} // namespace bkl
