// The embedded engine against its raw floor, on a scaled demo server: preview of 500
// calculations, export of 500 calculations with every section, compare of 200
// calculations against the target model. Each run is timed through the program's own
// code on fresh connections, then the SQLite statements the engine prepared in that run
// are replayed straight into SQLite (RawFloor). Medians of several interleaved runs.
// Run through scripts/bench engine [scale].
//
//   bkl_bench_engine --server <folder> --database <name> [--scale N] [--runs N]
#include "BenchClock.h"
#include "RawFloor.h"

#include "compare/CompareObject.h"
#include "platform/db/Recordset.h"
#include "reports/DetailSectionFlags.h"
#include "reports/ObjectDrivers.h"
#include "shell/Globals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <functional>

using namespace bkl;
using bench::Timing;

namespace {

QTextStream out(stdout);

struct Options {
    QString server;
    QString database;
    int runs = 5;
};

db::Connection Open(const Options& o, const QString& database)
{
    db::Connection cn;
    cn.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=;password=;"
                                          "Initial Catalog=%1;Data Source=local:%2")
                               .arg(database, o.server));
    cn.setCommandTimeout(600);
    cn.open();
    return cn;
}

struct Models {
    db::Connection source;
    db::Connection target;
};

// A user previews or compares a while after logging in, not in the same millisecond:
// what the engine does beside the open (reading the columns catalog) is done by then.
Models OpenModels(const Options& o)
{
    Models m{Open(o, o.database), Open(o, o.database + QStringLiteral("_Target"))};
    QThread::msleep(750);
    return m;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

Timing MedianOf(const std::vector<Timing>& runs)
{
    std::vector<double> cpu, wall;
    for (const Timing& t : runs) {
        cpu.push_back(t.cpuMs);
        wall.push_back(t.wallMs);
    }
    return {Median(cpu), Median(wall)};
}

QString Ms(const Timing& t)
{
    return QStringLiteral("%1 ms CPU (%2 wall)").arg(t.cpuMs, 0, 'f', 1).arg(t.wallMs, 0, 'f', 1);
}

QString Count(double n) { return QLocale(QLocale::English, QLocale::UnitedStates).toString(qRound64(n)); }

QString Verdict(bool ok) { return ok ? QStringLiteral("meets") : QStringLiteral("misses"); }

QStringList Names(const db::Connection& cn, const QString& sql, int limit)
{
    QStringList result;
    db::Recordset rs(sql, cn);
    for (; !rs.eof() && result.size() < limit; rs.moveNext())
        result << rs.field(0).toText();
    return result;
}

// The longest stretch from one statement to the next (the statement and the
// rendering that follows it): what holds the window longest in one step.
struct LongestStep {
    QElapsedTimer clock;
    double longestMs = 0;
    QString statement, last;
    void observe(const QString& sql)
    {
        if (clock.isValid()) {
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (ms > longestMs) {
                longestMs = ms;
                statement = last;
            }
        }
        last = sql;
        clock.start();
    }
};

struct Scenario {
    QString title;
    int objects;
    std::function<void(const Models&)> run;
    double maxRatio;
    double minRate; // calculations per second; 0: no goal
};

void Measure(const Options& o, const Scenario& s, bool preview)
{
    bench::RawFloor floor;
    LongestStep step;
    {
        const Models m = OpenModels(o);
        floor.start([&](const QString& sql) { step.observe(sql); });
        s.run(m);
        step.observe(QString());
        floor.stop();
    }
    std::vector<Timing> program, layer, raw;
    for (int i = 0; i < o.runs; ++i) {
        {
            const Models m = OpenModels(o);
            const bench::Stopwatch clock;
            s.run(m);
            program.push_back(clock.elapsed());
        }
        {
            const Models m = OpenModels(o);
            layer.push_back(floor.replayThroughDataLayer(
                [&](const QString& database) { return database == o.database ? m.source : m.target; }));
        }
        raw.push_back(floor.replay(o.server));
    }
    const Timing p = MedianOf(program);
    const Timing l = MedianOf(layer);
    const Timing r = MedianOf(raw);
    // Each program run is followed by its floor's run: the ratio of each pair, as the
    // machine's speed drifts when other work runs beside the bench.
    std::vector<double> ratios;
    for (size_t i = 0; i < program.size(); ++i)
        ratios.push_back(program[i].cpuMs / std::max(raw[i].cpuMs, 0.001));
    const double ratio = Median(ratios);
    const double rate = s.objects * 1000.0 / std::max(p.cpuMs, 0.001);
    bool ok = ratio <= s.maxRatio;
    QString goal = QStringLiteral("<= %1x the raw floor").arg(s.maxRatio);
    QString rateText;
    if (s.minRate > 0) {
        ok = ok && rate >= s.minRate;
        goal += QStringLiteral(", >= %1 calculations/s").arg(Count(s.minRate));
        rateText = QStringLiteral(", %1 calculations/s").arg(Count(rate));
    }
    out << s.title
        << QStringLiteral(" (%1 statements, %2 shapes): program %3, data layer %4, raw floor %5, %6x%7; goal %8  %9\n")
               .arg(Count(floor.statements()), Count(floor.shapes()), Ms(p), Ms(l), Ms(r))
                          .arg(ratio, 0, 'f', 2)
                          .arg(rateText, goal, Verdict(ok));
    if (preview) {
        const double hits = 100.0 * floor.translationCacheHits() / std::max(1, floor.statements());
        out << QStringLiteral("translation-cache hits over the preview's %1 statements: %2%; goal >= 95%  %3\n")
                   .arg(Count(floor.statements()))
                   .arg(hits, 0, 'f', 1)
                   .arg(Verdict(hits >= 95.0));
        out << QStringLiteral("longest step of the preview: %1 ms (from: %2); goal <= 100 ms  %3\n")
                   .arg(step.longestMs, 0, 'f', 1)
                   .arg(step.statement.simplified().left(110))
                   .arg(Verdict(step.longestMs <= 100.0));
    }
    out.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addOption({QStringLiteral("server"), QStringLiteral("Demo server folder."), QStringLiteral("folder")});
    p.addOption({QStringLiteral("database"), QStringLiteral("Source model; <name>_Target is the target."), QStringLiteral("name")});
    p.addOption({QStringLiteral("scale"), QStringLiteral("Scale of the demo server (shown)."), QStringLiteral("n"), QStringLiteral("100")});
    p.addOption({QStringLiteral("runs"), QStringLiteral("Timed runs per scenario."), QStringLiteral("n"), QStringLiteral("5")});
    p.addHelpOption();
    p.process(app);
    if (!p.isSet(QStringLiteral("server")) || !p.isSet(QStringLiteral("database")))
        p.showHelp(2);
    const Options o{p.value(QStringLiteral("server")), p.value(QStringLiteral("database")),
                    std::max(1, p.value(QStringLiteral("runs")).toInt())};

    std::vector<Timing> opens;
    for (int i = 0; i < o.runs; ++i) {
        const bench::Stopwatch clock;
        const db::Connection opened = Open(o, o.database);
        opens.push_back(clock.elapsed());
    }
    const db::Connection cn = Open(o, o.database);
    const QStringList calcs = Names(cn, QStringLiteral("SELECT Name FROM Calculation ORDER BY Name"), 500);
    const QString list500 = calcs.join(QLatin1Char('|'));
    const QStringList list200 = calcs.mid(0, 200);
    out << QStringLiteral("Embedded engine on the scale-%1 demo server, medians of %2 runs (ratios and rates from CPU time)\n")
               .arg(p.value(QStringLiteral("scale")))
               .arg(o.runs);
    out << QStringLiteral("open of the source model: %1\n").arg(Ms(MedianOf(opens)));

    g_bCalcType = g_bCalcDescription = g_bCalcDataSources = g_bCalcFormula = g_bCalcPartitions = g_bCalcRestrictions =
        g_bCalcCalendar = g_bCalcDependencies = g_bCalcFolder = true;
    const auto driver = [&](bool html) {
        return [&, html](const Models& m) {
            g_cnModel = m.source;
            g_lPreviewDone = 0;
            g_lPreviewTotal = calcs.size();
            reports::PlainProgressSink sink(0, static_cast<int>(calcs.size()), 0);
            if (html)
                reports::CreateTheHTMLForAllObjects(QStringLiteral("Calculations"), list500, sink);
            else
                reports::ExportAllObjects(QStringLiteral("Calculations"), list500, sink);
            g_cnModel = db::Connection();
        };
    };
    Measure(o, {QStringLiteral("preview of %1 calculations").arg(calcs.size()), static_cast<int>(calcs.size()), driver(true), 1.5, 2000},
            true);
    Measure(o, {QStringLiteral("export of %1 calculations, every section").arg(calcs.size()), static_cast<int>(calcs.size()),
                driver(false), 1.5, 0},
            false);
    Measure(o,
            {QStringLiteral("compare of %1 calculations").arg(list200.size()), static_cast<int>(list200.size()),
             [&](const Models& m) {
                 const compare::CompareSides sides{m.source, m.target, compare::ModelCaption(m.source),
                                                   compare::ModelCaption(m.target)};
                 for (const QString& name : list200)
                     compare::CompareObject(sides, name, QStringLiteral("CALCULATION"));
             },
             1.5, 800},
            false);
    return 0;
}
