#include "platform/db/odbc/OdbcDiagnostics.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <sqlext.h>
#include <vector>

namespace bkl::db::odbc {

namespace {

struct DiagRecord {
    QString state;
    long native = 0;
    QString origin;  // leading "[...]" groups of the message
    QString message; // the message without them
};

std::vector<DiagRecord> ReadRecords(SQLSMALLINT handleType, SQLHANDLE handle)
{
    static const QRegularExpression origin(QStringLiteral("^((?:\\[[^\\]]*\\])+)\\s*"));
    std::vector<DiagRecord> records;
    for (SQLSMALLINT n = 1;; ++n) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        std::vector<SQLWCHAR> text(1024);
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, n, state, &native, text.data(),
                                      static_cast<SQLSMALLINT>(text.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
            text.resize(static_cast<size_t>(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, n, state, &native, text.data(),
                                static_cast<SQLSMALLINT>(text.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        DiagRecord r;
        r.state = FromWide(state, 5);
        r.native = native;
        r.message = FromWide(text.data(), qMin<qsizetype>(length, static_cast<qsizetype>(text.size()) - 1));
        const QRegularExpressionMatch m = origin.match(r.message);
        if (m.hasMatch()) {
            r.origin = m.captured(1);
            r.message = r.message.mid(m.capturedLength(0));
        }
        r.message = r.message.trimmed();
        records.push_back(r);
    }
    return records;
}

} // namespace

DbError DiagnosticsError(SQLSMALLINT handleType, SQLHANDLE handle, const QString& fallback)
{
    const std::vector<DiagRecord> records = ReadRecords(handleType, handle);
    if (records.empty())
        return DbError(err::ProviderError, QStringLiteral("ODBC"), fallback);
    // The lead record: the first with a native error, SQL Server's generic "Login
    // failed" (18456) only when no other record gives the reason (4060 for a database
    // that cannot be opened, ...), which the driver lists after it.
    const auto rank = [](const DiagRecord& r) { return r.native == 0 ? 2 : r.native == 18456 ? 1 : 0; };
    const DiagRecord& first = *std::min_element(records.begin(), records.end(),
                                                [&](const DiagRecord& a, const DiagRecord& b) { return rank(a) < rank(b); });
    QStringList messages{first.message};
    for (const DiagRecord& r : records)
        if (!messages.contains(r.message))
            messages << r.message;
    const QString origin = first.origin.isEmpty() ? QStringLiteral("ODBC") : first.origin;
    return DbError(first.native != 0 ? first.native : err::ProviderError,
                   origin + QStringLiteral(" SQLSTATE ") + first.state, messages.join(QStringLiteral("; ")));
}

} // namespace bkl::db::odbc
