#include "Housekeeping.h"

#include "DemoDates.h"
#include "ModelParts.h"
#include "Rng.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>

namespace demo {

void WriteMarkerRows(SqliteWriter& db, bool withDocument)
{
    db.insert(QStringLiteral("Config"), {QStringLiteral("ModelVersion"), QStringLiteral("6.1")});
    db.insert(QStringLiteral("Config"), {QStringLiteral("FiscalYearStart"), QStringLiteral("February")});
    db.insert(QStringLiteral("Currency"), {QStringLiteral("USD"), QStringLiteral("US Dollar"), 1.0});
    db.insert(QStringLiteral("Currency"), {QStringLiteral("EUR"), QStringLiteral("Euro"), 1.08});
    db.insert(QStringLiteral("Currency"), {QStringLiteral("GBP"), QStringLiteral("Pound Sterling"), 1.27});
    db.insert(QStringLiteral("Salutation"), {int64_t(1), QStringLiteral("Mr.")});
    db.insert(QStringLiteral("Salutation"), {int64_t(2), QStringLiteral("Ms.")});
    db.insert(QStringLiteral("Salutation"), {int64_t(3), QStringLiteral("Dr.")});
    if (withDocument)
        db.insert(QStringLiteral("Document"),
                  {int64_t(1), QStringLiteral("Plan Document 2026"), DateTimeText(kBaseDate.addDays(-200), 9)});
}

void WriteUsersAndImports(SqliteWriter& db, const QStringList& webUsers, int serverImports, int localImports)
{
    for (const QString& user : webUsers)
        db.insert(QStringLiteral("Users"),
                  {user, QStringLiteral("Web user ") + user, user + QStringLiteral("@example.com")});
    db.insert(QStringLiteral("Admin"), {int64_t(1), QStringLiteral("admin"), QStringLiteral("Model Administrator")});
    db.insert(QStringLiteral("Admin"), {int64_t(2), QStringLiteral("jsmith"), QStringLiteral("John Smith")});
    db.insert(QStringLiteral("Admin"), {int64_t(3), QStringLiteral("mgarcia"), QStringLiteral("Maria Garcia")});
    const char* tables[] = {"SalesTransactions", "PayeeMaster", "QuotaTargets", "SalesAdjustments", "ProductLookup"};
    int id = 1;
    for (int i = 0; i < serverImports + localImports; ++i, ++id) {
        const bool local = i >= serverImports;
        const QString table = QString::fromLatin1(tables[i % 5]);
        db.insert(QStringLiteral("Import"), {int64_t(id), (local ? QStringLiteral("Local ") : QStringLiteral("Nightly "))
                                                              + table + QStringLiteral(" Load"),
                                             table, int64_t(local ? 1 : 0)});
    }
}

void WriteAudit(SqliteWriter& db, uint64_t seed, int rowCount, const QStringList& userIds)
{
    struct Kind { const char* module; const char* event; const char* message; };
    static const Kind kinds[] = {
        {"Security", "Login", "User %1 logged in"},
        {"Security", "Logout", "User %1 logged out"},
        {"Calculations", "Calculation Modified", "Calculation 'Commission Amount' modified by %1"},
        {"Calculations", "Calculation Created", "Calculation 'Quarterly Bonus' created by %1"},
        {"Calculations", "Calculation Deleted", "Calculation 'Old Draw' deleted by %1"},
        {"Import", "Import Started", "Import 'Nightly SalesTransactions Load' started by %1"},
        {"Import", "Import Completed", "Import 'Nightly SalesTransactions Load' completed: 1,500 rows for %1"},
        {"Presentor", "Report Published", "Report 'Sales Dashboard' published by %1"},
        {"Compensation Plans", "Plan Modified", "Plan 'Account Executive Plan 2026' modified by %1"},
        {"Model", "Model Calculated", "Model calculation for period Aug 2026 finished (%1)"},
    };
    Rng rng(seed, 0xA0D17);
    // Spread the rows evenly over the 90 days before the base date, each at a random point
    // of its own slot, so times strictly increase with AuditID.
    const int64_t span = int64_t(90) * 24 * 3600;
    const QDateTime start(kBaseDate.addDays(-90), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < rowCount; ++i) {
        const int64_t slot = span / rowCount;
        const int64_t offset = span * i / rowCount + rng.below(int(std::max<int64_t>(1, slot - 1)));
        const QDateTime when = start.addSecs(offset);
        const Kind& kind = kinds[rng.below(10)];
        const QString user = userIds.at(rng.below(int(userIds.size())));
        db.insert(QStringLiteral("Audit"),
                  {int64_t(i + 1), user, QString::fromLatin1(kind.module), QString::fromLatin1(kind.event),
                   DateTimeText(when.date(), when.time().hour(), when.time().minute(), when.time().second()),
                   QString::fromLatin1(kind.message).arg(user)});
    }
}

} // namespace demo
