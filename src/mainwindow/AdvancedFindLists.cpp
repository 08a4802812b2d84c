#include "mainwindow/AdvancedFindLists.h"

#include "platform/db/Recordset.h"

namespace bkl::mainwindow {

std::vector<CalendarItem> ReadCalendarItems(const db::Connection& cn)
{
    std::vector<CalendarItem> items;
    db::Recordset rs;
    rs.openForwardOnly(QLatin1String(kCalendarListSql), cn);
    while (!rs.eof()) {
        const QString id = rs.field(0).toText();
        items.push_back({id + QStringLiteral(" - ") + rs.field(1).toText(), id});
        rs.moveNext();
    }
    rs.close();
    return items;
}

std::vector<TimeResetItem> ReadTimeResetItems(const db::Connection& cn)
{
    std::vector<TimeResetItem> items;
    db::Recordset rs;
    rs.openForwardOnly(QLatin1String(kTimeResetListSql), cn);
    while (!rs.eof()) {
        items.push_back({rs.field(0).toText(), rs.field(1).toText(), rs.field(2).toText()});
        rs.moveNext();
    }
    rs.close();
    return items;
}

} // namespace bkl::mainwindow
