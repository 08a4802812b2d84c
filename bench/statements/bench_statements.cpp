// The compare's statements on the SQL Server road, inside a run and outside one:
// every comparable object of the model compared against its target through
// tds-standin (--delay 0 by default), so that the cost of handing each statement to
// the connection's worker shows. Optionally with busy processes on the machine.
// Run through scripts/bench statements [scale [--busy N] [--delay ms] [--runs N]].
//
// Goal: inside a run within 1.2x of outside one, also with 8 busy processes.
#include "compare/CompareObject.h"
#include "compare/CompareSides.h"
#include "mainwindow/FindStatement.h"
#include "platform/core/ActiveRun.h"
#include "platform/db/Recordset.h"
#include "reports/DetailSectionRule.h"
#include "shell/Globals.h"

#include "../BenchApplication.h"
#include "../StandInProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <csignal>
#include <memory>
#include <sys/prctl.h>
#include <vector>

namespace {

QTextStream out(stdout);

void EndWithThisProcess(QProcess& p)
{
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

struct Comparable {
    QString name;
    QString kind;
};

std::vector<Comparable> ComparableObjects(const bkl::db::Connection& source)
{
    using bkl::mainwindow::ObjectKind;
    const std::pair<ObjectKind, const char*> kinds[] = {{ObjectKind::Tables, "TABLE"},
                                                        {ObjectKind::Views, "VIEW"},
                                                        {ObjectKind::Calendars, "CALENDAR"},
                                                        {ObjectKind::Calculations, "CALCULATION"},
                                                        {ObjectKind::PresentorReports, "PRESENTOR REPORT"}};
    std::vector<Comparable> objects;
    for (const auto& [kind, type] : kinds)
        for (bkl::db::Recordset rs(bkl::mainwindow::FindStatement(kind, QString(), false, false), source); !rs.eof();
             rs.moveNext())
            objects.push_back({rs.field(0).toText(), QLatin1String(type)});
    return objects;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    bench::PrepareOffscreenApplication();
    QApplication app(argc, argv);
    QCommandLineParser p;
    bench::AddModelOptions(p);
    p.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds tds-standin holds each reply back (default 0)."),
                 QStringLiteral("ms"), QStringLiteral("0")});
    p.addOption({QStringLiteral("busy"), QStringLiteral("Busy processes kept running meanwhile (default 0)."),
                 QStringLiteral("n"), QStringLiteral("0")});
    p.addOption({QStringLiteral("runs"), QStringLiteral("Runs of each way (the median is shown)."), QStringLiteral("n"),
                 QStringLiteral("3")});
    const auto [server, database] = bench::ProcessModelOptions(p, app);
    const int delay = std::max(0, p.value(QStringLiteral("delay")).toInt());
    const int busy = std::max(0, p.value(QStringLiteral("busy")).toInt());
    const int runs = std::max(1, p.value(QStringLiteral("runs")).toInt());

    QProcess standIn;
    const int port = bench::StartStandIn(standIn, server, {QStringLiteral("--delay"), QString::number(delay)});
    if (port == 0) {
        out << "tds-standin did not start\n";
        return 1;
    }
    const auto open = [&](const QString& db) {
        bkl::db::Connection cn;
        cn.setConnectionString(bench::ModelConnectionString(QStringLiteral("127.0.0.1,%1").arg(port), db));
        cn.open();
        return cn;
    };
    const bkl::db::Connection source = open(database);
    const bkl::db::Connection target = open(database + QStringLiteral("_Target"));
    g_cnModel = source;
    // Every section compared, as with every box of the compare window checked.
    for (const bkl::reports::DetailSection& s : bkl::reports::DetailSectionCatalogue())
        *s.flag = true;
    const std::vector<Comparable> objects = ComparableObjects(source);
    const bkl::compare::CompareSides sides{source, target, QStringLiteral("source"), QStringLiteral("target")};

    std::vector<std::unique_ptr<QProcess>> spinners;
    for (int i = 0; i < busy; ++i) {
        spinners.push_back(std::make_unique<QProcess>());
        EndWithThisProcess(*spinners.back());
        spinners.back()->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    }

    int statements = 0;
    bkl::db::SetStatementObserver([&](const QString&) { ++statements; });
    const auto compareAll = [&] {
        statements = 0;
        QElapsedTimer clock;
        clock.start();
        for (const Comparable& o : objects)
            bkl::compare::CompareObject(sides, o.name, o.kind);
        return double(clock.elapsed());
    };
    std::vector<double> outside, inside;
    for (int r = 0; r < runs; ++r) {
        outside.push_back(compareAll());
        bkl::EnterRun();
        inside.push_back(compareAll());
        bkl::LeaveRun();
    }
    bkl::db::SetStatementObserver({});
    const double o = Median(outside), in = Median(inside);
    const double ratio = o > 0 ? in / o : 0;
    out << "Compare of " << objects.size() << " objects (" << statements << " statements) over tds-standin --delay "
        << delay << ", " << busy << " busy process(es): outside a run " << o << " ms, inside a run " << in
        << " ms, ratio " << QString::number(ratio, 'f', 2) << "  goal: ratio <= 1.2  "
        << (ratio <= 1.2 ? "meets" : "misses") << "\n";
    for (auto& s : spinners)
        s->kill(), s->waitForFinished(2000);
    standIn.terminate();
    standIn.waitForFinished(5000);
    return 0;
}
