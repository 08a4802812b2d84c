#include "support/LongAuditPage.h"

#include "mainwindow/AuditTracePage.h"
#include "support/DemoModel.h"

#include <stdexcept>

namespace bkl::test {

int WriteLongAuditPage(const QString& path, int copies)
{
    // Each further copy of a record is a day older, so the newest records come first as in the model.
    const db::Connection cn = OpenAlteredDemoModel(
        QLatin1String(kSourceModel),
        QStringLiteral("INSERT INTO Audit SELECT AuditID + k.n * 1000000, UserID, Module, Event, "
                       "datetime([Time], '-' || k.n || ' days'), Message FROM Audit, "
                       "(WITH RECURSIVE c(n) AS (SELECT 1 WHERE %1 > 0 UNION ALL SELECT n + 1 FROM c WHERE n < %1) SELECT n FROM c) k")
            .arg(copies - 1));
    int records = 0;
    const auto failure = mainwindow::WriteAuditTracePage(
        path, cn,
        QStringLiteral("SELECT UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, Time AS AUDITTIME, "
                       "Message AS AUDITMESSAGE FROM Audit ORDER BY Time DESC"),
        [&records](long n) { records = static_cast<int>(n); });
    if (failure)
        throw std::runtime_error("cannot write the long audit page");
    return records;
}

} // namespace bkl::test
