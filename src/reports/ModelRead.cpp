#include "reports/ModelRead.h"

#include "platform/core/TextSemantics.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"

#include <QLocale>
#include <algorithm>

namespace bkl::reports {

QStringList ReadTexts(const db::Connection& cn, const QString& sql, const QString& field)
{
    QStringList texts;
    db::Recordset rs(sql, cn);
    while (!rs.eof()) {
        texts.append(rs.field(field).toText());
        rs.moveNext();
    }
    rs.close();
    return texts;
}

QStringList Ordered(QStringList texts, RowOrder order)
{
    if (order == RowOrder::ByText)
        std::stable_sort(texts.begin(), texts.end());
    return texts;
}

QString PeriodDate(const db::Value& v)
{
    if (v.isNull() || v.toText().isEmpty())
        return QString();
    try {
        return QLocale(QLocale::English, QLocale::UnitedStates).toString(v.toDateTime().date(), QStringLiteral("dd-MMM-yyyy"));
    } catch (const db::DbError&) {
        return v.toText();
    }
}

std::optional<int32_t> ListIdOf(const db::Value& v)
{
    if (v.isNull())
        return std::nullopt;
    return CLng(v.toDouble());
}

} // namespace bkl::reports
