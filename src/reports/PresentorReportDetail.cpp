#include "reports/PresentorReportDetail.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/DetailSectionFlags.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/ModelRead.h"
#include "reports/RenderGuard.h"

#include <algorithm>
#include <tuple>

namespace bkl::reports {

namespace {
constexpr int kColumnWidth = 50;
constexpr char kSourceTableOpen[] = "<table border='0' width='80%'>";
const QString kSourceWidth = QStringLiteral("70%");
const QString kTypeWidth = QStringLiteral("30%");

struct Source {
    QString name;
    QString type;
};

std::vector<Source> readSources(db::Recordset& rs)
{
    std::vector<Source> sources;
    for (; !rs.eof(); rs.moveNext())
        sources.push_back({rs.field(QStringLiteral("SOURCETABLENAME")).toText(), rs.field(QStringLiteral("SOURCETYPE")).toText()});
    return sources;
}

QStringList linkedReports(const db::Connection& cn, const QString& reportName)
{
    return ReadTexts(cn, sql::PresentorReportLinkedReports(Trim(reportName)), QStringLiteral("LINKEDREPORT"));
}
} // namespace

QString PresentorReportSourceTable(const db::Connection& cn, const QString& reportName, const QString& sourceWidth,
                                   const QString& typeWidth, RowOrder order)
{
    const QString name = Trim(reportName);
    db::Recordset rs(sql::PresentorReportSources(name), cn);
    if (name.isEmpty())
        return QString::fromLatin1(kNoDetails);
    QString html = QLatin1String(kSourceTableOpen)
        + Row(LabelCell(QStringLiteral("Source"), sourceWidth) + LabelCell(QStringLiteral("Type"), typeWidth));
    std::vector<Source> sources = readSources(rs);
    // The union leaves its rows unordered: by source, then type.
    if (order == RowOrder::ByText)
        std::stable_sort(sources.begin(), sources.end(), [](const Source& a, const Source& b) {
            return std::tie(a.name, a.type) < std::tie(b.name, b.type);
        });
    for (const Source& s : sources)
        html += Row(DataCell(HtmlText(s.name), sourceWidth) + DataCell(HtmlText(s.type), typeWidth));
    rs.close();
    return html + QLatin1String(kTableClose);
}

QString ReturnPresentorReportSourceDependency(const db::Connection& cn, const QString& reportName)
{
    return RunGuarded(QStringLiteral("ReturnPresentorReportSourceDependency"), QString::fromLatin1(kErrorSpacer),
                      [&] { return PresentorReportSourceTable(cn, reportName, kSourceWidth, kTypeWidth); });
}

QString ExportPresentorReportSourceDependency(const db::Connection& cn, const QString& reportName)
{
    return RunGuarded(QStringLiteral("ExportPresentorReportSourceDependency"), QString(), [&] {
        const QString name = Trim(reportName);
        db::Recordset rs(sql::PresentorReportSources(name), cn);
        if (name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        const QString lineStart = QLatin1String(kCrLf) + QLatin1Char('\t');
        QString text = lineStart + FixedColumn(QStringLiteral("Source"), kColumnWidth)
            + FixedColumn(QStringLiteral("Type"), kColumnWidth);
        for (const Source& s : readSources(rs))
            text += lineStart + FixedColumn(s.name, kColumnWidth) + FixedColumn(s.type, kColumnWidth);
        rs.close();
        return text + QLatin1String(kCrLf);
    });
}

QString ReturnPresentorReportLinkedReports(const db::Connection& cn, const QString& reportName, const QString& logName)
{
    return RunGuarded(logName, QString(), [&] {
        const QStringList names = linkedReports(cn, reportName);
        if (names.isEmpty())
            return QString::fromLatin1(kNoneMarker);
        QString html;
        for (const QString& n : names)
            html += HtmlText(n) + QLatin1String(kBr);
        return html;
    });
}

QString ExportPresentorReportLinkedReports(const db::Connection& cn, const QString& reportName)
{
    return RunGuarded(QStringLiteral("ExportPresentorReportLinkedReports"), QString(), [&] {
        const QStringList names = linkedReports(cn, reportName);
        if (names.isEmpty())
            return QString::fromLatin1(kNoneMarker);
        QString text;
        for (const QString& n : names)
            text += QLatin1String(kCrLf) + QLatin1Char('\t') + n;
        return text;
    });
}

QString GetPresentorReportDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetPresentorReportDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        const QString name = Trim(itemText);
        if (name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        return QLatin1String(kFullWidthDetailTableOpen)
            + Row(LabelCell(QStringLiteral("Source Dependencies"))
                  + ValueCell(ReturnPresentorReportSourceDependency(cn, name), ValuePadding::TrailingOnly))
            + Row(LabelCell(QStringLiteral("Linked Report(s)"))
                  + ValueCell(ReturnPresentorReportLinkedReports(cn, name), ValuePadding::TrailingOnly))
            + QLatin1String(kTableClose);
    });
}

QString ExportPresentorReportDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("ExportPresentorReportDetails"), QString(), [&] {
        const QString name = Trim(itemText);
        if (name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        QString text = SectionSeparator() + CaptionLine(QLatin1String(kPresentorReportCaption), name);
        if (g_bPresentorSourceDependencies)
            text += ScalarSection(QStringLiteral("Source Dependencies: "), ExportPresentorReportSourceDependency(cn, name));
        if (g_bPresentorLinkedReports)
            text += ScalarSection(QStringLiteral("Linked Report(s): "), ExportPresentorReportLinkedReports(cn, name));
        return text;
    });
}

} // namespace bkl::reports
