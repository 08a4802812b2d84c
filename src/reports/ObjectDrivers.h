#pragma once
// The preview and export drivers: turn one kind's list of objects into the HTML
// of the preview page or the text of the export file, advancing a progress sink
// and the run's counters (g_lPreviewDone / g_lPreviewTotal) once per object.
// The event loop turns at the start and the end of a kind and, between objects,
// once about every 20 ms. They read the model through g_cnModel and neither
// open nor write files themselves.
#include "reports/ProgressSink.h"

#include <QString>
#include <functional>

namespace bkl::reports {

// `kindKey` is "Tables", "Views", "Calendars", "Calculations", "Compensation Plans",
// "Tailored Reports" or "Presentor Reports" (compared trimmed and upper-cased; any
// other key gives ""). `nameList` holds the kind's item texts joined by "|" (the
// leading "|" already cut).
//
// HTML (the error spacer of the fragments when the driver fails in its own steps):
// a navy banner for the kind, then per object a clickable title that calls
// toggleDiv with the object's element id (prefix + counter from 1 in every call)
// and a block with that id holding the renderer's fragment.
QString CreateTheHTMLForAllObjects(const QString& kindKey, const QString& nameList, ProgressSink& progress);

// Text: the kind's header "* TABLES *" and two CR LF, then each object's export block
// (calendars followed by one more CR LF).
QString ExportAllObjects(const QString& kindKey, const QString& nameList, ProgressSink& progress);

// The same text handed to `write` as it is made, in parts (the header, then each
// object's block), so that a long export never holds its whole text. Returns false
// when the driver failed in its own steps (ERROR line written): the text is then ""
// and the parts already handed on are no part of it. Failures of `write` pass
// through to the caller.
using TextWriter = std::function<void(const QString& part)>;
bool ExportAllObjects(const QString& kindKey, const QString& nameList, ProgressSink& progress, const TextWriter& write);

} // namespace bkl::reports
