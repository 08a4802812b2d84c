#pragma once
// The preview page "_temp_02.html": the checked objects grouped by kind, each
// kind's HTML from the preview driver written as one line between a fixed head
// (with the toggle script) and foot.
#include "mainwindow/CheckedObjects.h"
#include "reports/ProgressSink.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace bkl::mainwindow {

struct PreviewKind {
    const char* typeText;   // list type column, trimmed and upper-cased
    const char* statusText; // shown while the kind is rendered
    const char* driverKey;  // kind key given to the driver
};

// The seven kinds in preview order (Calculations before Calendars).
const std::array<PreviewKind, 7>& PreviewKinds();

// One ObjectNameList per preview kind: "|" + trimmed item text per checked row,
// in row order; rows of an unknown type join no list (the export hand-off's
// grouping, in preview order).
using PreviewLists = std::array<QString, 7>;
PreviewLists GroupCheckedRows(const std::vector<ObjectRowTexts>& rows);

// ApplicationFolderPath("temp") + "_temp_02.html".
QString PreviewPagePath();

// Called around each kind that has objects (status text and bar visibility).
struct PreviewKindHooks {
    std::function<void(const QString& statusText)> started;
    std::function<void()> finished;
};

// Writes the whole page: "<html><body>", the toggle script, the spacer paragraph,
// one line per kind with objects, "</body>", "</html>". Throws
// std::runtime_error when the file cannot be opened or written.
void WritePreviewPage(const QString& path, const QString& toggleScript, const PreviewLists& lists,
                      reports::ProgressSink& progress, const PreviewKindHooks& hooks = {});

} // namespace bkl::mainwindow
