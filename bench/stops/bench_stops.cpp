// Stop at random moments on the SQL Server road: a loop of statements over
// tds-standin (each reply held back --delay ms), each stopped at a random moment:
// before it is sent, while the server holds it, while the server computes a large
// result, or while its rows stream back. After each, the connection's next statement
// must return the right rows.
// Run through scripts/bench stops [scale [--stops N] [--delay ms]].
//
// A ThreadSanitizer build is given the port of a stand-in started outside it
// (--port): a child process started from a sanitized process (QProcess) upsets
// the sanitizer's record of the starting thread, and every report after is void.
//
// Goals: no stop stuck; a held statement ends <= 200 ms after Stop; every stop
// ends <= 2 s; no connection given up (the stand-in is alive); every next statement
// returns the right rows. The program links
// nothing but the data layer, so that a ThreadSanitizer build of it is quick.
#include "platform/db/ConnectionNotice.h"
#include "platform/db/DbError.h"
#include "support/StopAtMoment.h"

#include "../BenchApplication.h"
#include "../StandInProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>

namespace {

QTextStream out(stdout);

const QString kHeld = QStringLiteral("SELECT COUNT(*) AS N FROM Calculation WHERE [Name] <> 'HoldMe'");
// Rows enough to stream back for a while on any scale (no ORDER BY: the server stops at TOP).
const QString kStreamed = QStringLiteral(
    "SELECT TOP 60000 a.CalculationID AS A, b.CalculationID AS B, c.[Name] AS C FROM Calculation a "
    "CROSS JOIN Calculation b CROSS JOIN Calculation c");
// A result the server computes for a while (about 2 s at scale 100: it sorts every
// pair of the first 4,800 calculations) before its first rows stream back.
const QString kComputed = QStringLiteral(
    "SELECT TOP 20000 a.CalculationID AS A, b.CalculationID AS B, b.[Name] AS C FROM Calculation a "
    "CROSS JOIN Calculation b WHERE a.CalculationID <= 5800 AND b.CalculationID <= 5800 "
    "ORDER BY b.[Name], a.CalculationID DESC");
const QString kCheck = QStringLiteral("SELECT TOP 200 CalculationID, [Name] FROM Calculation ORDER BY CalculationID");

QString Rows(const bkl::db::ResultSet& r)
{
    QStringList lines;
    for (const auto& row : r.rows) {
        QStringList fields;
        for (const auto& v : row)
            fields << v.toText();
        lines << fields.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    bench::AddModelOptions(p);
    p.addOption({QStringLiteral("stops"), QStringLiteral("Stops to press (default 1000)."), QStringLiteral("n"),
                 QStringLiteral("1000")});
    p.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds tds-standin holds each reply back."),
                 QStringLiteral("ms"), QStringLiteral("5")});
    p.addOption({QStringLiteral("port"),
                 QStringLiteral("Port of a tds-standin started with --hold-ms 20000 --hold-when HoldMe (default: "
                                "start one)."),
                 QStringLiteral("n")});
    const auto [server, database] = bench::ProcessModelOptions(p, app);
    const int stops = std::max(1, p.value(QStringLiteral("stops")).toInt());
    const int delay = std::max(0, p.value(QStringLiteral("delay")).toInt());

    QProcess standIn;
    const int port = p.isSet(QStringLiteral("port")) ? p.value(QStringLiteral("port")).toInt()
                                                     : bench::StartStandIn(standIn, server,
                                                                           {QStringLiteral("--delay"), QString::number(delay),
                                                                            QStringLiteral("--hold-ms"), QStringLiteral("20000"),
                                                                            QStringLiteral("--hold-when"), QStringLiteral("HoldMe")});
    if (port == 0) {
        out << "tds-standin did not start\n";
        return 1;
    }
    bkl::db::Connection cn;
    cn.setConnectionString(bench::ModelConnectionString(QStringLiteral("127.0.0.1,%1").arg(port), database));
    cn.setCommandTimeout(600); // the program's: a stuck stop would show as one
    cn.open();
    int givenUp = 0;
    bkl::db::SetConnectionNoticeHandler([&](const QString&) { ++givenUp; });
    const QString expected = Rows(cn.execute(kCheck));
    QElapsedTimer clock;
    const auto runMs = [&](const QString& sql) {
        clock.start();
        cn.execute(sql);
        return int(clock.elapsed());
    };
    const int streamMs = runMs(kStreamed);
    const int computeMs = runMs(kComputed);

    struct Phase {
        const char* name;
        const QString& sql;
        int pressWithinMs;
        int stopped = 0, endedFirst = 0, over200 = 0, over2000 = 0;
        qint64 longest = 0;
    } held{"held by the server", kHeld, 60}, streamed{"streamed / before it is sent", kStreamed, streamMs + 20},
        computed{"computed by the server, then streamed", kComputed, computeMs + 20};
    int wrongNext = 0;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    clock.restart();
    for (int i = 0; i < stops; ++i) {
        Phase& phase = i % 3 == 0 ? held : i % 3 == 1 ? streamed : computed;
        const int pressAt = int(random.bounded(phase.pressWithinMs));
        const bkl::test::StopOutcome stop = bkl::test::StopAfter(cn, phase.sql, pressAt);
        if (stop.pressToEndMs < 0) {
            ++phase.endedFirst;
        } else {
            phase.stopped += stop.stopped;
            phase.longest = std::max(phase.longest, stop.pressToEndMs);
            phase.over200 += stop.pressToEndMs > 200;
            phase.over2000 += stop.pressToEndMs > 2000;
        }
        try {
            wrongNext += Rows(cn.execute(kCheck)) != expected;
        } catch (const bkl::db::DbError& e) {
            ++wrongNext;
            out << "next statement failed: " << e.description() << "\n";
        }
    }
    out << "Stop at random moments over tds-standin --delay " << delay << " (" << server << ", streamed statement "
        << streamMs << " ms, computed statement " << computeMs << " ms): " << stops << " stops in "
        << clock.elapsed() / 1000 << " s\n";
    qint64 longest = 0;
    for (const Phase& ph : {held, streamed, computed}) {
        longest = std::max(longest, ph.longest);
        out << QStringLiteral("  %1: %2 stopped, %3 ended before the press, longest %4 ms from Stop to end, %5 over "
                              "200 ms, %6 over 2 s\n")
                   .arg(QLatin1String(ph.name))
                   .arg(ph.stopped)
                   .arg(ph.endedFirst)
                   .arg(ph.longest)
                   .arg(ph.over200)
                   .arg(ph.over2000);
    }
    const bool meets = held.longest <= 200 && longest <= 2000 && givenUp == 0 && wrongNext == 0;
    out << "  longest stop: " << longest << " ms; connections given up: " << givenUp
        << "; next statements wrong or failed: " << wrongNext
        << "  goal: held <= 200 ms, every stop <= 2 s, none given up, every next statement right  "
        << (meets ? "meets" : "misses") << "\n";
    cn.close();
    if (standIn.state() != QProcess::NotRunning) {
        standIn.terminate();
        standIn.waitForFinished(5000);
    }
    return meets ? 0 : 1;
}
