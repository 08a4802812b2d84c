#include "mainwindow/ui/FrameIcons.h"

#include <array>

// The icons live in a static library: their resource must be registered by hand.
static void RegisterFrameIcons()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(frame);
        return true;
    }();
    (void)registered;
}

namespace bkl::mainwindow {

QIcon Icon(ToolbarIcon icon)
{
    struct Source {
        const char* themeName;
        const char* resource;
    };
    static const std::array<Source, 12> sources = {{
        {"document-print-preview", ":/frame/preview.svg"},
        {"system-search", ":/frame/advancedfind.svg"},
        {"document-export", ":/frame/export.svg"},
        {"view-refresh", ":/frame/switchmodel.svg"},
        {"edit-copy", ":/frame/compare.svg"},
        {"utilities-system-monitor", ":/frame/processmonitor.svg"},
        {"document-open-recent", ":/frame/traceauditlog.svg"},
        {"edit-find", ":/frame/find.svg"},
        {"process-stop", ":/frame/stop.svg"},
        // The browser commands look the same in every window, whatever the desktop theme.
        {nullptr, ":/frame/save.svg"},
        {nullptr, ":/frame/printpreview.svg"},
        {nullptr, ":/frame/print.svg"},
    }};
    RegisterFrameIcons();
    const Source& s = sources[static_cast<size_t>(icon)];
    const QIcon own(QLatin1String(s.resource));
    return s.themeName ? QIcon::fromTheme(QLatin1String(s.themeName), own) : own;
}

} // namespace bkl::mainwindow
