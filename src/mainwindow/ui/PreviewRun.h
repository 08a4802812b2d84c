#pragma once
// The preview run and the model summary runs of the object-list window, shared
// by its own handlers and the frame window's copies of them.
#include "mainwindow/ModelSummary.h"

#include <optional>

class QTreeWidget;
class frmBKLMain;
class frmMDIBKLMain;

namespace bkl {

// Who started the preview: the object-list window (button, double-click) or the
// frame (menu, toolbar, pop-up). They differ in their log lines, in what an empty
// list does, and the frame's run also locks the object pop-up menu.
enum class PreviewEntry { ObjectList, Frame };

// Previews the checked rows of the window's list into "_temp_02.html" and shows it.
void RunPreview(frmBKLMain& window, frmMDIBKLMain& frame, PreviewEntry entry);

// Leaves only the highlighted row checked. False (and nothing changed) when the
// list has no rows or no row is highlighted.
bool CheckOnlyHighlightedRow(QTreeWidget* list);

// Counts the model, writes "_temp_01.html" in the given style and returns the
// counts; a page that cannot be written is logged under `procedure` and shown
// in a critical box titled `title`, and gives no counts.
std::optional<mainwindow::ModelCounts> WriteModelSummary(mainwindow::SummaryStyle style, const QString& procedure,
                                                         const QString& title);

} // namespace bkl
