#include "PrintPages.h"

#include "../BenchApplication.h"

#include "compare/CompareObject.h"
#include "compare/CompareReportPage.h"
#include "compare/CompareRunTexts.h"
#include "mainwindow/AuditTracePage.h"
#include "mainwindow/AuditTraceStatement.h"
#include "mainwindow/ReportPageFile.h"
#include "platform/core/AppFolder.h"
#include "platform/db/Recordset.h"
#include "platform/db/sqlite/EngineFunctions.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace bench {
namespace {

bkl::db::Connection Open(const QString& server, const QString& database)
{
    bkl::db::Connection cn;
    cn.setConnectionString(ModelConnectionString(server, database));
    cn.setCommandTimeout(600);
    cn.open();
    return cn;
}

} // namespace

QString WriteDetailedSummaryPage(const QString& server, int objects)
{
    const bkl::db::Connection source = Open(server, QStringLiteral("SalesModel2026"));
    const bkl::db::Connection target = Open(server, QStringLiteral("SalesModel2026_Target"));
    const bkl::compare::CompareSides sides{source, target, QStringLiteral("SalesModel2026"),
                                          QStringLiteral("SalesModel2026_Target")};
    QString summary;
    bkl::db::Recordset rs(QStringLiteral("SELECT TOP %1 [Name] FROM Calculation ORDER BY [Name]").arg(objects), source);
    for (; !rs.eof(); rs.moveNext())
        summary += bkl::compare::DetailedSummaryEntry(
            bkl::compare::CompareObject(sides, rs.field(0).toText(), QStringLiteral("CALCULATION")));
    const QString path = bkl::compare::CompareReportPagePath();
    bkl::mainwindow::WriteReportPage(path, bkl::compare::CompareReportPageText(summary));
    return path;
}

QString WriteLongTextAuditPage(const QString& server, int rows)
{
    const QString folder = bkl::ApplicationFolderPath(QStringLiteral("data")) + QStringLiteral("long-texts");
    const QString file = folder + QStringLiteral("/SalesModel2026.sqlite");
    QDir().mkpath(folder);
    QFile::remove(file);
    QFile::copy(server + QStringLiteral("/SalesModel2026.sqlite"), file);
    // 1,000 characters: "監査ログ「引用」" and a double quote, repeated.
    const QString text = QString::fromUtf8("\"監査ログ「引用」\"の記録").repeated(100).left(1000);
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    bkl::db::sqlite::RegisterCaseInsensitiveCollation(db);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE Audit SET Message = ?", -1, &update, nullptr);
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(update, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    sqlite3_step(update);
    sqlite3_finalize(update);
    sqlite3_close(db);

    const bkl::db::Connection cn = Open(folder, QStringLiteral("SalesModel2026"));
    bkl::mainwindow::AuditTraceOptions options;
    options.topCount = rows;
    const QString path = bkl::mainwindow::AuditTracePagePath();
    bkl::mainwindow::WriteAuditTracePage(path, cn, bkl::mainwindow::AuditTraceStatement(options), {});
    return path;
}

} // namespace bench
