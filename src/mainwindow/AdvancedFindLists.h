#pragma once
// The two drop-down lists of the advanced search's third tab, read from the
// model: the calendars and the time/reset level pairs in use. Each item keeps
// the stored values it stands for, so a search never re-parses the text shown.
#include "platform/db/Connection.h"

#include <QString>
#include <vector>

namespace bkl::mainwindow {

inline constexpr char kNoCalendarItem[] = "<<None>>";

// The top-level calendars: TimeID and Name.
inline constexpr char kCalendarListSql[] = "SELECT TimeID, Name FROM Time WHERE Parent IS NULL";
// The distinct time/reset pairs: the pair as shown, then its two levels.
inline constexpr char kTimeResetListSql[] =
    "SELECT DISTINCT (TimeLevel + '/' +  ResetLevel) TIMERESET, TimeLevel, ResetLevel FROM Calculation WHERE "
    "TimeLevel IS NOT NULL AND ResetLevel IS NOT NULL";

struct CalendarItem {
    QString text; // "<id> - <name>"
    QString id;
};

struct TimeResetItem {
    QString text; // "<time level>/<reset level>"
    QString timeLevel;
    QString resetLevel;
};

// One item per calendar, in the server's order (the list shows "<<None>>" before them). Throws db::DbError.
std::vector<CalendarItem> ReadCalendarItems(const db::Connection& cn);

// One item per distinct pair, in the server's order. Throws db::DbError.
std::vector<TimeResetItem> ReadTimeResetItems(const db::Connection& cn);

} // namespace bkl::mainwindow
