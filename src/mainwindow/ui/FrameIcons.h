#pragma once
// Icons of the frame's toolbar, the object-list window's buttons and the
// browser commands: the desktop theme's icon where it has one, else the
// program's own small SVG (always for the browser commands).
#include <QIcon>

namespace bkl::mainwindow {

enum class ToolbarIcon {
    Preview,
    AdvancedFind,
    Export,
    SwitchModel,
    Compare,
    ProcessMonitor,
    TraceAuditLog,
    Find,
    Stop,
    // The browser commands beside every report browser.
    SaveAs,
    PrintPreview,
    Print
};

QIcon Icon(ToolbarIcon icon);

} // namespace bkl::mainwindow
