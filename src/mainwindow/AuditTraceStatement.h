#pragma once
// The statements of the audit-log trace: the three filter lists and the trace
// query built from the window's options.
#include <QString>
#include <optional>

namespace bkl::mainwindow {

// The filter lists: the distinct events, modules and users of the audit table.
inline constexpr char kAuditEventListSql[] = "SELECT DISTINCT Event FROM Audit ORDER BY Event ASC";
inline constexpr char kAuditModuleListSql[] = "SELECT DISTINCT Module FROM Audit ORDER BY Module ASC";
inline constexpr char kAuditUserListSql[] = "SELECT DISTINCT UserID FROM Audit ORDER BY UserID ASC";

// One filter of Filter mode: whether its box is checked and the text searched for.
struct AuditTextFilter {
    bool checked = false;
    QString text;
};

struct AuditTraceOptions {
    bool filterMode = false; // false: All mode, no filter applies
    AuditTextFilter message; // Event Desc
    AuditTextFilter event;
    AuditTextFilter module;
    AuditTextFilter user;
    std::optional<long long> topCount; // Show Top with this count; none: Show All
    bool dateAscending = false;        // Date/Time ASC, else DESC
};

// The trace query: "SELECT TOP n " (or "SELECT " for Show All), the five audit
// columns, "FROM Audit WHERE ", in Filter mode one
// "UPPER(<column>) LIKE '%<TEXT>%' AND " per checked filter (Event Desc, Event,
// Module, User ID; the text as typed, ' doubled, upper-cased, wildcards kept),
// then the dangling "WHERE " or "AND " cut off, then the order by time.
QString AuditTraceStatement(const AuditTraceOptions& options);

// The Show Top count typed in the window: a positive whole number, blanks
// around it allowed (" 200 " is 200). Anything else ("abc", "12.5", "-5",
// "0", "1e3", a number beyond 64 bits) is no count.
std::optional<long long> AuditTopCount(const QString& text);

} // namespace bkl::mainwindow
