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
    static const std::array<Source, 9> sources = {{
        {"document-print-preview", ":/frame/preview.svg"},
        {"system-search", ":/frame/advancedfind.svg"},
        {"document-export", ":/frame/export.svg"},
        {"view-refresh", ":/frame/switchmodel.svg"},
        {"edit-copy", ":/frame/compare.svg"},
        {"utilities-system-monitor", ":/frame/processmonitor.svg"},
        {"document-open-recent", ":/frame/traceauditlog.svg"},
        {"edit-find", ":/frame/find.svg"},
        {"process-stop", ":/frame/stop.svg"},
    }};
    RegisterFrameIcons();
    const Source& s = sources[static_cast<size_t>(icon)];
    return QIcon::fromTheme(QLatin1String(s.themeName), QIcon(QLatin1String(s.resource)));
}

} // namespace bkl::mainwindow
