#include "mainwindow/PreviewPage.h"

#include "mainwindow/ReportPageFile.h"
#include "platform/core/TextSemantics.h"
#include "reports/ObjectDrivers.h"
#include "shell/Log.h"

namespace bkl::mainwindow {

const std::array<PreviewKind, 7>& PreviewKinds()
{
    static const std::array<PreviewKind, 7> kinds{{
        {"TABLE", "Preview Table(s)...", "Tables"},
        {"VIEW", "Preview View(s)...", "Views"},
        {"CALCULATION", "Preview Calculation(s)...", "Calculations"},
        {"CALENDAR", "Preview Calendar(s)...", "Calendars"},
        {"COMPENSATION PLAN", "Preview Compensation Plan(s)...", "Compensation Plans"},
        {"TAILORED REPORT", "Preview Tailored Report(s)...", "Tailored Reports"},
        {"PRESENTOR REPORT", "Preview Presentor Report(s)...", "Presentor Reports"},
    }};
    return kinds;
}

PreviewLists GroupCheckedRows(const std::vector<ObjectRowTexts>& rows)
{
    // The hand-off lists come in the fixed kind order; the preview swaps
    // Calendars and Calculations.
    const std::array<QString, 7> byKind = CollectCheckedObjects(rows).lists;
    return {byKind[0], byKind[1], byKind[3], byKind[2], byKind[4], byKind[5], byKind[6]};
}

QString PreviewPagePath() { return ApplicationFolderPath(QStringLiteral("temp")) + QStringLiteral("_temp_02.html"); }

void WritePreviewPage(const QString& path, const QString& toggleScript, const PreviewLists& lists,
                      reports::ProgressSink& progress, const PreviewKindHooks& hooks)
{
    ReportPageFile page(path);
    page.writeLine(QStringLiteral("<html><body>"));
    page.writeLine(toggleScript);
    page.writeLine(QStringLiteral("<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>"));
    const auto& kinds = PreviewKinds();
    for (size_t k = 0; k < kinds.size(); ++k) {
        if (Trim(lists[k]).isEmpty())
            continue;
        if (hooks.started)
            hooks.started(QLatin1String(kinds[k].statusText));
        page.writeLine(reports::CreateTheHTMLForAllObjects(QLatin1String(kinds[k].driverKey), lists[k].mid(1), progress));
        if (hooks.finished)
            hooks.finished();
    }
    page.writeLine(QStringLiteral("</body>"));
    page.writeLine(QStringLiteral("</html>"));
    page.close();
}

} // namespace bkl::mainwindow
