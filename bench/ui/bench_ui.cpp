// The UI benchmark: opens the real windows offscreen on a demo server, clicks as
// a user would and measures each scenario: wall and CPU time, the longest gap
// between two turns of the event loop (what the user feels as a frozen window)
// and the peak resident memory. Run through scripts/bench ui [scale].
//
//   bkl_bench_ui --server <folder> --database <name> [--scale N] [--runs N] [--only id,id] [--limit s]
//                [--server-delay ms]
//
// Each run of a scenario is a process of its own (the same program with
// --scenario <id>), so that its memory peak and its caches are its own. A run
// still going after the limit is cut off and shown as "> N s".
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

void PrintResult(const bench::Outcome& o)
{
    std::printf("RESULT\t%.1f\t%.1f\t%.1f\t%.1f\t%d\t%s\n", o.measure.wallMs, o.measure.cpuMs, o.measure.gapMs,
                o.measure.peakRssMb, o.cutOff ? 1 : 0, qPrintable(o.note));
    std::fflush(stdout);
}

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
            PrintResult(cut);
            home.remove();
            std::_Exit(0);
        }
        if (context.onTurn)
            context.onTurn();
    };
    PrintResult(scenario.run(context));
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

// Runs a scenario `runs` times, each in a process of its own, and prints the line of medians.
void RunScenario(const bench::Scenario& s, const QStringList& baseArgs, int runs, double limitS, int serverDelayMs)
{
    std::vector<double> wall, cpu, gap, rss;
    bool cut = false;
    QString note;
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
            wall.push_back(number(f[1]));
            cpu.push_back(number(f[2]));
            gap.push_back(number(f[3]));
            rss.push_back(number(f[4]));
            cut = cut || f[5] == QLatin1String("1");
            if (!f[6].isEmpty())
                note = f[6];
        }
    }
    const double w = Median(wall), c = Median(cpu), g = Median(gap), m = Median(rss);
    const bench::Goal& goal = s.goal;
    const bool measured = !std::isnan(w);
    const bool meets = measured && !cut && (goal.wallMs < 0 || w <= goal.wallMs) && (goal.gapMs < 0 || g <= goal.gapMs)
                       && (goal.rssMb < 0 || m <= goal.rssMb);
    const QString wallText = cut ? QStringLiteral("> %1 s").arg(limitS) : Ms(w) + QStringLiteral(" ms");
    const QString gapText = (cut ? QStringLiteral(">= ") : QString()) + Ms(g) + QStringLiteral(" ms");
    const QString title = QString::fromLatin1(s.title).replace(QStringLiteral("SQL Server at 5 ms"),
                                                               QStringLiteral("SQL Server at %1 ms").arg(serverDelayMs));
    out << title.leftJustified(48) << "  wall " << wallText.rightJustified(8) << "  cpu "
        << (Ms(c) + QStringLiteral(" ms")).rightJustified(8) << "  gap " << gapText.rightJustified(10) << "  rss "
        << (Ms(m) + QStringLiteral(" MB")).rightJustified(7) << "  " << (note.isEmpty() ? QString() : "(" + note + ")  ")
        << GoalText(goal) << "  " << (meets ? "meets" : "misses") << "\n";
    out.flush();
}

} // namespace

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
    for (const bench::Scenario& s : bench::Scenarios())
        if (only.isEmpty() || only.contains(QLatin1String(s.id)))
            RunScenario(s, baseArgs, runs, limitS, serverDelayMs);
    return 0;
}
