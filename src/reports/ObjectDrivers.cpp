#include "reports/ObjectDrivers.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "reports/CalculationDetail.h"
#include "reports/CalendarDetail.h"
#include "reports/CompensationPlanDetail.h"
#include "reports/Fragments.h"
#include "reports/PresentorReportDetail.h"
#include "reports/TableDetail.h"
#include "reports/TailoredReportDetail.h"
#include "reports/ViewDetail.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace bkl::reports {
namespace {

using Renderer = QString (*)(const db::Connection&, const QString&);

struct DriverKind {
    const char* key;       // driver key after trim and upper-casing
    const char* caption;   // banner text
    const char* idPrefix;  // element id prefix of the preview
    Renderer html;
    const char* exportHeader;
    Renderer text;
    bool crLfAfterBlock;   // calendars: one more CR LF after each export block
    bool countAfterRender; // views: the done count and the label follow the rendering
};

const std::array<DriverKind, 7> kKinds{{
    {"TABLES", "Tables", "TAB_", GetTableDetails, "* TABLES *", ExportTableDetails, false, false},
    {"VIEWS", "Views", "VIE_", GetViewDetails, "* VIEWS *", ExportViewDetails, false, true},
    {"CALENDARS", "Calendars", "CALE_", GetCalendarDetails, "* CALENDARS *", ExportCalendarDetails, true, false},
    {"CALCULATIONS", "Calculations", "CALC_", GetCalculationDetails, "* CALCULATIONS *", ExportCalculationDetails,
     false, false},
    {"COMPENSATION PLANS", "Compensation Plans", "COMP_", GetCompensationPlanDetails, "* COMPENSATION PLANS *",
     ExportCompensationPlanDetails, false, false},
    {"TAILORED REPORTS", "Tailored Reports", "TAIL_", GetTailoredReportDetails, "* TAILORED REPORTS *",
     ExportTailoredReportDetails, false, false},
    {"PRESENTOR REPORTS", "Presentor Reports", "PRES_", GetPresentorReportDetails, "* PRESENTOR REPORTS *",
     ExportPresentorReportDetails, false, false},
}};

const DriverKind* FindKind(const QString& kindKey)
{
    const QString key = UCase(Trim(kindKey));
    for (const DriverKind& kind : kKinds) {
        if (key == QLatin1String(kind.key))
            return &kind;
    }
    return nullptr;
}

QStringList SplitNames(const QString& nameList)
{
    if (nameList.isEmpty())
        return {};
    return nameList.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

// Raises the bar by one; at its maximum it stays there, so a caller's short
// range never costs the run its output.
void AdvanceBar(ProgressSink& progress)
{
    const int lo = progress.minimum();
    const int hi = std::max(lo, progress.maximum());
    progress.setValue(std::clamp(progress.value() + 1, lo, hi));
}

void AdvanceCount(ProgressSink& progress)
{
    ++g_lPreviewDone;
    progress.setCaption(PercentText(g_lPreviewDone, g_lPreviewTotal));
}

// Logs the driver's own failure as its ERROR line.
void LogDriverError(const char* name, const std::exception& e)
{
    if (const auto* dbError = dynamic_cast<const db::DbError*>(&e)) {
        LogFunctionError(QLatin1String(name), dbError->number(), dbError->description());
        return;
    }
    // 380 "Invalid property value" (a bar value out of range), 5 anything else.
    const long number = dynamic_cast<const std::out_of_range*>(&e) ? 380 : 5;
    LogFunctionError(QLatin1String(name), number, QString::fromUtf8(e.what()));
}

QString Banner(const DriverKind& kind)
{
    return QStringLiteral("<table border='0' width='100%' bgcolor='#000080' cellspacing='2' cellpadding='0'>"
                          "<tr>"
                          "<td> <b><font color='#FFFFFF' face='Calibri' size='2")
        + QStringLiteral("'><b>") + QLatin1String(kind.caption) + QStringLiteral("</b></font></b></td>")
        + QStringLiteral("</tr></table>");
}

QString ObjectSection(const QString& elementId, const QString& itemText, const QString& fragment)
{
    // The item text is escaped in the title; the renderer got it unchanged.
    return QStringLiteral("<p><b><font face='Calibri' size='2'><span title='Click here to see more information' "
                          "style='cursor:pointer; cursor:hand' onclick='toggleDiv(\"")
        + elementId + QStringLiteral("\")'>") + HtmlText(itemText) + QStringLiteral("</span></font></b></p>")
        + QStringLiteral("<div id='") + elementId + QStringLiteral("'>")
        + QStringLiteral("<p><b><font face='Calibri' size='2'>") + fragment + QStringLiteral("</font></b></p>")
        + QStringLiteral("</div>");
}

} // namespace

QString CreateTheHTMLForAllObjects(const QString& kindKey, const QString& nameList, ProgressSink& progress)
{
    const DriverKind* kind = FindKind(kindKey);
    if (!kind)
        return QString();
    try {
        QString objects;
        int counter = 0;
        TimeSlice slice;
        slice.pumpNow(); // the kind's status text
        for (const QString& item : SplitNames(nameList)) {
            AdvanceBar(progress);
            if (!kind->countAfterRender)
                AdvanceCount(progress);
            slice.tick();
            ++counter;
            const QString elementId = QLatin1String(kind->idPrefix) + QString::number(counter);
            objects += ObjectSection(elementId, item, kind->html(g_cnModel, item));
            if (kind->countAfterRender)
                AdvanceCount(progress);
        }
        slice.pumpNow();
        return Banner(*kind) + objects;
    } catch (const std::exception& e) {
        LogDriverError("CreateTheHTMLForAllObjects", e);
        return QLatin1String(kErrorSpacer);
    }
}

QString ExportAllObjects(const QString& kindKey, const QString& nameList, ProgressSink& progress)
{
    QString text;
    const bool made = ExportAllObjects(kindKey, nameList, progress, [&text](const QString& part) { text += part; });
    return made ? text : QString();
}

bool ExportAllObjects(const QString& kindKey, const QString& nameList, ProgressSink& progress, const TextWriter& write)
{
    const DriverKind* kind = FindKind(kindKey);
    if (!kind)
        return true;
    write(QLatin1String(kind->exportHeader) + QLatin1String(kCrLf) + QLatin1String(kCrLf));
    // Only the driver's own steps are its failures; those of `write` belong to the caller.
    const auto step = [](const std::function<void()>& run) {
        try {
            run();
            return true;
        } catch (const std::exception& e) {
            LogDriverError("ExportAllObjects", e);
            return false;
        }
    };
    TimeSlice slice;
    if (!step([&slice] { slice.pumpNow(); })) // the kind's status text
        return false;
    for (const QString& item : SplitNames(nameList)) {
        QString block;
        const bool made = step([&] {
            AdvanceBar(progress);
            AdvanceCount(progress);
            slice.tick();
            block = kind->text(g_cnModel, item);
            if (kind->crLfAfterBlock)
                block += QLatin1String(kCrLf);
        });
        if (!made)
            return false;
        write(block);
    }
    return step([&slice] { slice.pumpNow(); });
}

} // namespace bkl::reports
