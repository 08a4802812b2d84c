// The UI benchmark: opens the real windows offscreen on a demo server, clicks as
// a user would and measures each scenario: wall and CPU time, the longest gap
// between two turns of the event loop (what the user feels as a frozen window)
// and the peak resident memory. Run through scripts/bench ui [scale].
//
//   bkl_bench_ui --server <folder> --database <name> [--scale N] [--runs N] [--only id,id] [--limit s]
//                [--server-delay ms] [--tries N]
//
// Each run of a scenario is a process of its own (the same program with
// --scenario <id>), so that its memory peak and its caches are its own. A run
// still going after the limit is cut off and shown as "> N s". Scenarios where the
// user ends a wait run --tries times and show the median and worst time from the
// user's press to the end, and the clicks that ran although the wait refused them.
#include "Scenarios.h"

#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/AppFolder.h"
#include "platform/core/ScriptedSeams.h"
#include "platform/ui/Browser.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include "../BenchApplication.h"

#include "platform/ui/WaitInput.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

QTextStream out(stdout);

// Stands in for the web view: keeps the page it was sent to, renders nothing.
class PageBrowser final : public bkl::Browser {
public:
    using Browser::Browser;
    void navigate(const QString& htmlFile) override { file_ = htmlFile; }
    void saveAs() override {}
    void printPreview() override {}
    void print() override {}
    QString currentFile() const override { return file_; }

private:
    QString file_;
};

// One run of one scenario in this process; prints its RESULT line.
int RunOne(const bench::Scenario& scenario, const QString& server, const QString& database, double limitMs,
           int serverDelayMs)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/bkl-bench-ui-XXXXXX"));
    bench::UseApplicationFolder(home.path());
    bkl::SeamGuard seams;
    seams.install();
    bkl::SetBrowserFactory([](QWidget* parent) -> bkl::Browser* { return new PageBrowser(parent); });
    frmMDIBKLMain::SetProgramEnd([] {});

    g_cnModel.setConnectionString(bench::ModelConnectionString(server, database));
    g_cnModel.setCommandTimeout(600);
    g_cnModel.open();
    g_sServerHost = server;
    g_sUserName = QStringLiteral("demo");
    g_sModelName = database;
    g_sModelKey = server + QLatin1Char('#') + database;

    bench::Context context;
    context.server = server;
    context.database = database;
    context.target = database + QStringLiteral("_Target");
    context.serverDelayMs = serverDelayMs;
    context.seams = &seams;
    context.frame = new frmMDIBKLMain;
    context.frame->show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    context.objects = frmBKLMain::current();

    bench::Probe probe;
    context.probe = &probe;
    probe.onTurn = [&] {
        if (probe.elapsedMs() > limitMs) {
            bench::Outcome cut{probe.stop(), context.progress ? context.progress() + QStringLiteral(" by then") : QString(),
                               true};
            bench::PrintResult(cut);
            home.remove();
            std::_Exit(0);
        }
        if (context.onTurn)
            context.onTurn();
    };
    bench::PrintResult(scenario.run(context));
    // Tearing down tens of thousands of rows tells nothing: leave at once.
    home.remove();
    std::_Exit(0);
}

double Median(std::vector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }), values.end());
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString Ms(double v) { return std::isnan(v) ? QStringLiteral("?") : QString::number(v, 'f', 0); }

QString GoalText(const bench::Goal& g)
{
    QStringList parts;
    if (g.wallMs >= 0)
        parts << QStringLiteral("wall <= %1 ms").arg(g.wallMs);
    if (g.gapMs >= 0)
        parts << QStringLiteral("gap <= %1 ms").arg(g.gapMs);
    if (g.rssMb >= 0)
        parts << QStringLiteral("RSS <= %1 MB").arg(g.rssMb);
    return QStringLiteral("goal: ") + parts.join(QStringLiteral(", "));
}

// One run's RESULT line, read back by the parent process.
struct RunResult {
    double wall = NAN, cpu = NAN, gap = NAN, rss = NAN;
    bool cut = false;
    QString note;
    int replays = -1;
    double noticeMs = -1;
};

// Runs a scenario `runs` times, each in a process of its own.
std::vector<RunResult> RunProcesses(const bench::Scenario& s, const QStringList& baseArgs, int runs, double limitS)
{
    std::vector<RunResult> results;
    for (int r = 0; r < runs; ++r) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.setStandardErrorFile(QProcess::nullDevice());
        child.start(QCoreApplication::applicationFilePath(),
                    baseArgs + QStringList{QStringLiteral("--scenario"), QLatin1String(s.id)});
        if (!child.waitForFinished(static_cast<int>((limitS + 120) * 1000))) {
            child.kill();
            child.waitForFinished();
        }
        for (const QString& line : QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() < 7 || f[0] != QLatin1String("RESULT"))
                continue;
            const auto number = [](const QString& text) {
                bool ok = false;
                const double v = text.toDouble(&ok);
                return ok ? v : NAN;
            };
            RunResult result{number(f[1]), number(f[2]), number(f[3]), number(f[4]), f[5] == QLatin1String("1"), f[6]};
            if (f.size() >= 9) {
                result.replays = f[7].toInt();
                result.noticeMs = number(f[8]);
            }
            results.push_back(result);
        }
    }
    return results;
}

QString Title(const bench::Scenario& s, int serverDelayMs)
{
    return QString::fromLatin1(s.title).replace(QStringLiteral("SQL Server at 5 ms"),
                                                QStringLiteral("SQL Server at %1 ms").arg(serverDelayMs));
}

// The line of medians of a scenario run `runs` times.
void RunScenario(const bench::Scenario& s, const QStringList& baseArgs, int runs, double limitS, int serverDelayMs)
{
    std::vector<double> wall, cpu, gap, rss;
    bool cut = false;
    QString note;
    for (const RunResult& r : RunProcesses(s, baseArgs, runs, limitS)) {
        wall.push_back(r.wall);
        cpu.push_back(r.cpu);
        gap.push_back(r.gap);
        rss.push_back(r.rss);
        cut = cut || r.cut;
        if (!r.note.isEmpty())
            note = r.note;
    }
    const double w = Median(wall), c = Median(cpu), g = Median(gap), m = Median(rss);
    const bench::Goal& goal = s.goal;
    const bool measured = !std::isnan(w);
    const bool meets = measured && !cut && (goal.wallMs < 0 || w <= goal.wallMs) && (goal.gapMs < 0 || g <= goal.gapMs)
                       && (goal.rssMb < 0 || m <= goal.rssMb);
    const QString wallText = cut ? QStringLiteral("> %1 s").arg(limitS) : Ms(w) + QStringLiteral(" ms");
    const QString gapText = (cut ? QStringLiteral(">= ") : QString()) + Ms(g) + QStringLiteral(" ms");
    out << Title(s, serverDelayMs).leftJustified(48) << "  wall " << wallText.rightJustified(8) << "  cpu "
        << (Ms(c) + QStringLiteral(" ms")).rightJustified(8) << "  gap " << gapText.rightJustified(10) << "  rss "
        << (Ms(m) + QStringLiteral(" MB")).rightJustified(7) << "  " << (note.isEmpty() ? QString() : "(" + note + ")  ")
        << GoalText(goal) << "  " << (meets ? "meets" : "misses") << "\n";
    out.flush();
}

// The line of a scenario where the user ends a wait, tried `tries` times: the median
// and the worst time from the press to the end, the tries that did not end, the
// clicks that ran afterwards, and when the notice came.
void RunTries(const bench::Scenario& s, const QStringList& baseArgs, int tries, int serverDelayMs)
{
    const double limitS = 30;
    std::vector<double> wall, notice;
    int notEnded = 0, replays = 0;
    QStringList notes;
    const std::vector<RunResult> results = RunProcesses(s, baseArgs, tries, limitS);
    int early = 0; // tries whose wait ended before the click came: nothing to measure
    for (const RunResult& r : results) {
        if (!r.cut && std::isnan(r.wall) && r.note == QLatin1String("wait ended before the click")) {
            ++early;
            continue;
        }
        if (r.cut || std::isnan(r.wall))
            ++notEnded;
        else
            wall.push_back(r.wall);
        replays += std::max(r.replays, 0);
        if (r.noticeMs >= 0)
            notice.push_back(r.noticeMs);
        if (!r.note.isEmpty() && !notes.contains(r.note))
            notes << r.note;
    }
    notEnded += tries - static_cast<int>(results.size());
    const double worst = wall.empty() ? NAN : *std::max_element(wall.begin(), wall.end());
    const bool meets = notEnded == 0 && replays == 0 && !std::isnan(worst) && (s.goal.wallMs < 0 || worst <= s.goal.wallMs);
    out << Title(s, serverDelayMs).leftJustified(48) << "  tries " << QString::number(tries).rightJustified(3)
        << "  median " << (Ms(Median(wall)) + QStringLiteral(" ms")).rightJustified(8) << "  worst "
        << (Ms(worst) + QStringLiteral(" ms")).rightJustified(8) << "  not ended " << notEnded << "  replays " << replays;
    if (early > 0)
        out << "  ended before the click " << early;
    if (!notice.empty())
        out << "  notice at " << Ms(Median(notice)) << " ms";
    out << "  (" << notes.join(QStringLiteral(", ")) << ")  goal: worst <= " << s.goal.wallMs
        << " ms, every try ended, 0 replays  " << (meets ? "meets" : "misses") << "\n";
    out.flush();
}

} // namespace

void bench::PrintResult(const Outcome& o)
{
    std::printf("RESULT\t%.1f\t%.1f\t%.1f\t%.1f\t%d\t%s\t%d\t%.0f\n", o.measure.wallMs, o.measure.cpuMs, o.measure.gapMs,
                o.measure.peakRssMb, o.cutOff ? 1 : 0, qPrintable(o.note), o.replays, o.noticeMs);
    std::fflush(stdout);
}

int main(int argc, char* argv[])
{
    bench::PrepareOffscreenApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisklane"));
    bkl::InstallOutsideRunWaitUi();

    QCommandLineParser p;
    bench::AddModelOptions(p);
    p.addOption({QStringLiteral("runs"), QStringLiteral("Runs per scenario (the median is shown)."), QStringLiteral("n"),
                 QStringLiteral("3")});
    p.addOption({QStringLiteral("only"), QStringLiteral("Comma-separated scenario ids."), QStringLiteral("ids")});
    p.addOption({QStringLiteral("limit"), QStringLiteral("Seconds after which a run is cut off."), QStringLiteral("s"),
                 QStringLiteral("60")});
    p.addOption({QStringLiteral("server-delay"),
                 QStringLiteral("Milliseconds tds-standin holds each reply back in the SQL Server lines."),
                 QStringLiteral("ms"), QStringLiteral("5")});
    p.addOption({QStringLiteral("tries"),
                  QStringLiteral("Tries of each scenario where the user ends a wait (a process each)."),
                  QStringLiteral("n"), QStringLiteral("20")});
    p.addOption({QStringLiteral("scenario"), QStringLiteral("Run one scenario once, in this process."),
                 QStringLiteral("id")});
    const auto [server, database] = bench::ProcessModelOptions(p, app);
    const double limitS = p.value(QStringLiteral("limit")).toDouble();
    const int serverDelayMs = std::max(0, p.value(QStringLiteral("server-delay")).toInt());

    if (p.isSet(QStringLiteral("scenario"))) {
        for (const bench::Scenario& s : bench::Scenarios())
            if (p.value(QStringLiteral("scenario")) == QLatin1String(s.id))
                return RunOne(s, server, database, limitS * 1000, serverDelayMs);
        return 2;
    }

    const QStringList only = p.value(QStringLiteral("only")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const int runs = std::max(1, p.value(QStringLiteral("runs")).toInt());
    out << "UI benchmark on " << server << " (scale " << p.value(QStringLiteral("scale")) << "), median of " << runs
        << " run(s) each: wall and CPU time, longest gap between event-loop turns, peak RSS of the process; SQL Server "
           "lines through tds-standin --delay "
        << serverDelayMs << "\n";
    out.flush();
    const QStringList baseArgs{QStringLiteral("--server"), server, QStringLiteral("--database"), database,
                               QStringLiteral("--limit"), QString::number(limitS), QStringLiteral("--server-delay"),
                               QString::number(serverDelayMs)};
    const int tries = std::max(1, p.value(QStringLiteral("tries")).toInt());
    for (const bench::Scenario& s : bench::Scenarios())
        if (only.isEmpty() || only.contains(QLatin1String(s.id))) {
            if (s.tries)
                RunTries(s, baseArgs, tries, serverDelayMs);
            else
                RunScenario(s, baseArgs, runs, limitS, serverDelayMs);
        }
    return 0;
}
