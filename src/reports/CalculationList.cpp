#include "reports/CalculationList.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/ModelRead.h"
#include "reports/RenderGuard.h"

namespace bkl::reports {

QString GetCalculationsByListID(const db::Connection& cn, int32_t listId)
{
    return RunGuarded(QStringLiteral("GetCalculationsByListID"), QString::fromLatin1(kErrorSpacer), [&] {
        QStringList names = ReadTexts(cn, sql::CalculationsByListId(listId), QStringLiteral("CALCNAME"));
        for (QString& n : names)
            n = HtmlText(n);
        return ListTable(names);
    });
}

QString ExportCalculationsByListID(const db::Connection& cn, int32_t listId)
{
    return RunGuarded(QStringLiteral("ExportCalculationsByListID"), QString(), [&] {
        QString lines;
        for (const QString& n : ReadTexts(cn, sql::CalculationsByListId(listId), QStringLiteral("CALCNAME")))
            lines += QLatin1String(kCrLf) + QLatin1Char('\t') + n;
        return lines;
    });
}

QString CalculationListHtml(const db::Connection& cn, std::optional<int32_t> listId)
{
    return listId ? GetCalculationsByListID(cn, *listId) : ListTable({});
}

QString CalculationListText(const db::Connection& cn, std::optional<int32_t> listId)
{
    return listId ? ExportCalculationsByListID(cn, *listId) : QString();
}

} // namespace bkl::reports
