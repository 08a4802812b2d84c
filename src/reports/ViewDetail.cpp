#include "reports/ViewDetail.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "reports/DetailSectionFlags.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/ModelRead.h"
#include "reports/RenderGuard.h"

namespace bkl::reports {

namespace {
QStringList escaped(QStringList texts)
{
    for (QString& t : texts)
        t = HtmlText(t);
    return texts;
}

// One tab-led line per text, `closing` before the line end.
QString tabLines(const QStringList& texts, const QString& closing)
{
    QString lines;
    for (const QString& t : texts)
        lines += QLatin1Char('\t') + t + closing + QLatin1String(kCrLf);
    return lines;
}
} // namespace

QString ViewFieldsTable(const db::Connection& cn, const QString& viewName, RowOrder order)
{
    return ListTable(
        escaped(Ordered(ReadTexts(cn, sql::ViewColumns(Trim(viewName)), QStringLiteral("ViewColumnName")), order)),
        QStringLiteral(" "));
}

QString ViewCalculationsTable(const db::Connection& cn, const QString& viewName, RowOrder order)
{
    return ListTable(
        escaped(Ordered(ReadTexts(cn, sql::ViewCalculations(Trim(viewName)), QStringLiteral("CALCNAME")), order)));
}

QString ReturnViewFields(const db::Connection& cn, const QString& viewName)
{
    return RunGuarded(QStringLiteral("ReturnViewFields"), QString::fromLatin1(kErrorSpacer),
                      [&] { return ViewFieldsTable(cn, viewName); });
}

QString ExportViewFields(const db::Connection& cn, const QString& viewName)
{
    return RunGuarded(QStringLiteral("ExportViewFields"), QString(), [&] {
        return tabLines(ReadTexts(cn, sql::ViewColumns(Trim(viewName)), QStringLiteral("ViewColumnName")),
                        QStringLiteral(" "));
    });
}

QString ReturnAllCalculationsForView(const db::Connection& cn, const QString& viewName)
{
    return RunGuarded(QStringLiteral("ReturnAllCalculationsForView"), QString::fromLatin1(kErrorSpacer),
                      [&] { return ViewCalculationsTable(cn, viewName); });
}

QString ExportAllCalculationsForView(const db::Connection& cn, const QString& viewName)
{
    return RunGuarded(QStringLiteral("ExportAllCalculationsForView"), QString(), [&] {
        return tabLines(ReadTexts(cn, sql::ViewCalculations(Trim(viewName)), QStringLiteral("CALCNAME")), QString());
    });
}

QString GetViewDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetViewDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        const QString name = Trim(itemText);
        if (name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        return QLatin1String(kCentredDetailTableOpen)
            + Row(LabelCell(QStringLiteral("Column(s)")) + BoldValueCell(ReturnViewFields(cn, name)))
            + Row(LabelCell(QStringLiteral("Dependent Object(s)")) + BoldValueCell(ReturnAllCalculationsForView(cn, name)))
            + QLatin1String(kTableClose);
    });
}

QString ExportViewDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("ExportViewDetails"), QString(), [&] {
        const QString crlf = QLatin1String(kCrLf);
        const QString name = Trim(itemText);
        if (name.isEmpty())
            return QLatin1String(kNoDetails) + crlf;
        QString text = SectionSeparator() + CaptionLine(QLatin1String(kViewCaption), name, 1);
        if (g_bViewColumns)
            text += QStringLiteral("Column(s):") + crlf + ExportViewFields(cn, name);
        if (g_bViewDependentObjects)
            text += QStringLiteral("Dependent Object(s):") + crlf + ExportAllCalculationsForView(cn, name);
        return text + crlf;
    });
}

} // namespace bkl::reports
