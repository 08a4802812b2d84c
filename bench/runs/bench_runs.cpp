// Timings of the long runs on a large model: listing every kind (the find),
// rendering calculations for the preview and the export, comparing them against
// the target model, and the audit trace statement. Run through scripts/bench, which generates a scaled demo server.
//
//   bkl_bench --server <folder> --database <name> [--objects N]
#include "compare/CompareObject.h"
#include "mainwindow/FindStatement.h"
#include "platform/db/Recordset.h"
#include "reports/CalculationDetail.h"
#include "reports/DetailSectionFlags.h"
#include "reports/TableDetail.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <functional>
#include <map>

using namespace bkl;

namespace {

QTextStream out(stdout);

// Wall and CPU time of one run (the machine may be shared: CPU time shows the work itself).
void report(const QString& what, const std::function<long long()>& run)
{
    QElapsedTimer t;
    const std::clock_t cpuStart = std::clock();
    t.start();
    const long long n = run();
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    out << what.leftJustified(48) << QString::number(ms, 'f', 1).rightJustified(10) << " ms wall"
        << QString::number(cpuMs, 'f', 1).rightJustified(10) << " ms CPU   (" << n << ")\n";
    out.flush();
}

QStringList names(const db::Connection& cn, const QString& sql, int limit)
{
    QStringList result;
    db::Recordset rs(sql, cn);
    for (; !rs.eof() && result.size() < limit; rs.moveNext())
        result << rs.field(0).toText();
    return result;
}

// Time spent per statement shape (literals blanked), measured from one statement
// to the next: statement run plus the rendering that follows it.
struct StatementProfile {
    std::map<QString, std::pair<double, long>> byShape;
    QString last;
    QElapsedTimer clock;

    void observe(const QString& sql)
    {
        close();
        static const QRegularExpression literals(QStringLiteral("'(?:[^']|'')*'|\\b\\d+\\b"));
        last = QString(sql).replace(literals, QStringLiteral("?")).left(160);
        clock.start();
    }
    void close()
    {
        if (last.isEmpty())
            return;
        auto& e = byShape[last];
        e.first += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        ++e.second;
        last.clear();
    }
    void print(int top)
    {
        close();
        std::vector<std::pair<QString, std::pair<double, long>>> rows(byShape.begin(), byShape.end());
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second.first > b.second.first; });
        out << "\nSlowest statement shapes (total ms, count):\n";
        for (int i = 0; i < top && i < static_cast<int>(rows.size()); ++i)
            out << QString::number(rows[i].second.first, 'f', 1).rightJustified(10) << "  " << rows[i].second.second
                << "  " << rows[i].first << "\n";
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addOption({QStringLiteral("server"), QStringLiteral("Demo server folder."), QStringLiteral("folder")});
    p.addOption({QStringLiteral("database"), QStringLiteral("Model database."), QStringLiteral("name")});
    p.addOption({QStringLiteral("objects"), QStringLiteral("Objects to render."), QStringLiteral("n"), QStringLiteral("200")});
    p.addHelpOption();
    p.process(app);
    if (!p.isSet(QStringLiteral("server")) || !p.isSet(QStringLiteral("database")))
        p.showHelp(2);
    const int objects = p.value(QStringLiteral("objects")).toInt();
    StatementProfile profile;
    db::SetStatementObserver([&](const QString& sql) { profile.observe(sql); });

    db::Connection cn;
    cn.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=;password=;Initial Catalog=")
                           + p.value(QStringLiteral("database")) + QStringLiteral(";Data Source=local:")
                           + p.value(QStringLiteral("server")));
    cn.setCommandTimeout(600);
    report(QStringLiteral("open model"), [&] {
        cn.open();
        return 1LL;
    });

    for (mainwindow::ObjectKind kind : mainwindow::kAllKinds) {
        report(QStringLiteral("find all ") + mainwindow::PickerText(kind), [&] {
            db::Recordset rs(mainwindow::FindStatement(kind, QString(), false, false), cn);
            long long rows = 0;
            for (; !rs.eof(); rs.moveNext())
                ++rows;
            return rows;
        });
    }
    report(QStringLiteral("find calculations LIKE '%SALES%'"), [&] {
        return db::Recordset(mainwindow::FindStatement(mainwindow::ObjectKind::Calculations, QStringLiteral("sales"), false, false), cn)
            .recordCount();
    });

    const QStringList calcs = names(cn, QStringLiteral("SELECT Name FROM Calculation ORDER BY Name"), objects);
    report(QStringLiteral("preview HTML of %1 calculations").arg(calcs.size()), [&] {
        long long bytes = 0;
        for (const QString& c : calcs)
            bytes += reports::GetCalculationDetails(cn, c).size();
        return bytes;
    });
    g_bCalcType = g_bCalcDescription = g_bCalcDataSources = g_bCalcFormula = g_bCalcPartitions = g_bCalcRestrictions =
        g_bCalcCalendar = g_bCalcDependencies = g_bCalcFolder = true;
    report(QStringLiteral("export text of %1 calculations").arg(calcs.size()), [&] {
        long long bytes = 0;
        for (const QString& c : calcs)
            bytes += reports::ExportCalculationDetails(cn, c).size();
        return bytes;
    });
    const QStringList tables = names(cn, QStringLiteral("SELECT TableName FROM CustomTable ORDER BY TableName"), objects);
    report(QStringLiteral("preview HTML of %1 tables/views").arg(tables.size()), [&] {
        long long bytes = 0;
        for (const QString& t : tables)
            bytes += reports::GetTableDetails(cn, t).size();
        return bytes;
    });
    // The comparison reads every section of each calculation on both models.
    db::Connection target;
    target.setConnectionString(cn.connectionString().replace(
        QStringLiteral("Initial Catalog=") + p.value(QStringLiteral("database")),
        QStringLiteral("Initial Catalog=") + p.value(QStringLiteral("database")) + QStringLiteral("_Target")));
    target.open();
    report(QStringLiteral("compare %1 calculations against the target").arg(calcs.size()), [&] {
        long long identical = 0;
        for (const QString& c : calcs)
            identical += compare::CompareObject(cn, target, c, QStringLiteral("CALCULATION")).startsWith(QLatin1Char('1'));
        return identical;
    });
    report(QStringLiteral("audit trace TOP 200, newest first"), [&] {
        return db::Recordset(QStringLiteral("SELECT TOP 200 UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, "
                                            "Time AS AUDITTIME, Message AS AUDITMESSAGE FROM Audit ORDER BY Time DESC"),
                             cn)
            .recordCount();
    });
    profile.print(10);
    return 0;
}
