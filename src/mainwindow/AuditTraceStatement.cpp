#include "mainwindow/AuditTraceStatement.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"

#include <QRegularExpression>

namespace bkl::mainwindow {
namespace {

// The audit columns as the page reads them; Event gets its name without "AS".
constexpr char kAuditColumns[] = " UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, Time AS AUDITTIME, "
                                 "Message AS AUDITMESSAGE FROM Audit WHERE ";

QString Clause(const char* start, const AuditTextFilter& filter)
{
    return QLatin1String(start) + UCase(SqlText(filter.text)) + QStringLiteral("%' AND ");
}

} // namespace

QString AuditTraceStatement(const AuditTraceOptions& options)
{
    QString sql = options.topCount ? QStringLiteral("SELECT TOP ") + QString::number(*options.topCount)
                                   : QStringLiteral("SELECT");
    sql += QLatin1String(kAuditColumns);

    if (options.filterMode) {
        if (options.message.checked)
            sql += Clause("UPPER(Message) LIKE '%", options.message);
        if (options.event.checked)
            sql += Clause("UPPER(Event) LIKE '%", options.event);
        if (options.module.checked)
            sql += Clause("UPPER(Module) LIKE '%", options.module);
        if (options.user.checked)
            sql += Clause("UPPER(UserID) LIKE '%", options.user);
    }

    if (Trim(Right(sql, 6)) == QLatin1String("WHERE"))
        sql.chop(6);
    else if (Trim(Right(sql, 4)) == QLatin1String("AND"))
        sql.chop(4);

    sql += options.dateAscending ? QStringLiteral(" ORDER BY Time ASC") : QStringLiteral(" ORDER BY Time DESC");
    return sql;
}

std::optional<long long> AuditTopCount(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString trimmed = Trim(text);
    if (!digits.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const long long count = trimmed.toLongLong(&ok);
    if (!ok || count <= 0)
        return std::nullopt;
    return count;
}

} // namespace bkl::mainwindow
