#pragma once
// The advanced search of calculations: the statement and the criterion line of
// each of the window's three tabs. Every statement lists calculations as
// ColName (the name) and ColType ("Calculation").
#include <QSet>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace bkl::mainwindow {

// A typed name with its two check boxes.
struct NameCriterion {
    QString text; // as typed; blanks around it reach the SQL
    bool wholeWord = false;
    bool matchCase = false;
};

// A name a ticked Match Case box compares with letter case. The server's
// collation may ignore case in the statement's own test, so the statement also
// lists the name tested, as column `alias`, and each hit is checked again.
struct CaseCheck {
    QString column; // "CCV.ColumnName", "CCD.TableName", "CCD.ColumnName"
    QString alias;
    NameCriterion name;
    bool containing = false; // the typed text may stand anywhere in the name ("%" on both sides)
};

struct AdvancedSearch {
    QString sql;
    QString criterion; // "Filter: ..." shown under the hit count
    std::vector<CaseCheck> caseChecks;
    bool distinctNames = false; // each calculation listed once
};

// Decides, hit by hit in statement order, which hits of a search the list shows:
// those whose checked names match with case, each name once where the search
// lists calculations once (its statement then gives a row per matched name).
class HitFilter {
public:
    explicit HitFilter(const AdvancedSearch& search) : search_(search) {}
    // `field` gives the hit's value of a column.
    bool stands(const QString& hitName, const std::function<QString(const QString& column)>& field);

private:
    const AdvancedSearch& search_;
    QSet<QString> listed_;
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
