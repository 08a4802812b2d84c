#pragma once
// Icons of the frame's toolbar and the object-list window's buttons: the
// desktop theme's icon where it has one, else the program's own small SVG.
#include <QIcon>

namespace bkl::mainwindow {

enum class ToolbarIcon { Preview, AdvancedFind, Export, SwitchModel, Compare, ProcessMonitor, TraceAuditLog, Find, Stop };

QIcon Icon(ToolbarIcon icon);

} // namespace bkl::mainwindow
