#pragma once
// The advanced search of calculations: the statement and the criterion line of
// each of the window's three tabs. Every statement lists calculations as
// ColName (the name) and ColType ("Calculation").
#include <QString>
#include <optional>

namespace bkl::mainwindow {

struct AdvancedSearch {
    QString sql;
    QString criterion; // "Filter: ..." shown under the hit count
};

// A typed name with its two check boxes.
struct NameCriterion {
    QString text; // as typed; blanks around it reach the SQL
    bool wholeWord = false;
    bool matchCase = false;
};

// Tab 0: calculations with a restriction on a column (by its two boxes) whose
// value contains `value` in any letter case, or whose value is NULL when
// `value` is blank. One row per matching restriction value (no DISTINCT).
AdvancedSearch RestrictionSearch(const NameCriterion& column, const QString& value);

// Tab 1: calculations that depend on a table and/or a column, each by its own
// two boxes; a blank text adds no condition. With Match Case on and Whole Word
// off the name is matched whole, without "%" (only typed wildcards widen it).
AdvancedSearch DependencySearch(const NameCriterion& table, const NameCriterion& column);

// Tab 2: calculations using a calendar, given by its id as stored; no id means
// "<<None>>", the calculations without a calendar. `listText` is the list item shown.
AdvancedSearch CalendarSearch(const std::optional<QString>& calendarId, const QString& listText);

// Tab 2: calculations with a time level and a reset level, as stored.
AdvancedSearch TimeResetSearch(const QString& timeLevel, const QString& resetLevel, const QString& listText);

} // namespace bkl::mainwindow
