#include "WaitingScenarios.h"

#include "compare/ui/frmBKLCompareObjects.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "mainwindow/ui/frmCalculationsAdvancedFind.h"
#include "mainwindow/ObjectKinds.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/ScriptedSeams.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "shell/Globals.h"
#include "support/SlowLike.h"

#include "../StandInProcess.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QListWidgetItem>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <cmath>
#include <csignal>
#include <sys/prctl.h>

namespace bench {
namespace {

// The first `n` calculations by name in the object list, checked.
int ListCheckedCalculations(const Context& c, int n)
{
    c.objects->lvObjects->clear();
    bkl::db::Recordset rs(QStringLiteral("SELECT TOP %1 [Name] FROM Calculation ORDER BY [Name]").arg(n), g_cnModel);
    for (; !rs.eof(); rs.moveNext())
        c.objects->AddObjectRow(rs.field(0).toText(), QStringLiteral("Calculation"))->setCheckState(0, Qt::Checked);
    c.objects->SetActionGroup(true, true);
    return c.objects->lvObjects->topLevelItemCount();
}

Outcome TimedPerCalculation(Context& c, int n, const std::function<void()>& action)
{
    Outcome out;
    c.probe->start();
    action();
    out.measure = c.probe->stop();
    out.note = QStringLiteral("%1 calculations, %2 ms each").arg(n).arg(out.measure.wallMs / std::max(n, 1), 0, 'f', 1);
    return out;
}

SlowServer& Server(const Context& c)
{
    static SlowServer server(c.server, c.serverDelayMs);
    return server;
}

// Calculations checked for the find, its statement held 3 s by the server.
void CheckCalculationsKind(const Context& c)
{
    for (bkl::mainwindow::ObjectKind kind : bkl::mainwindow::kAllKinds)
        c.objects->KindPickerItem(kind)->setCheckState(kind == bkl::mainwindow::ObjectKind::Calculations ? Qt::Checked
                                                                                                      : Qt::Unchecked);
}

// Times a find that the user stops `pressAtMs` into the run; the wall time is from the press to the end.
Outcome StoppedFind(Context& c, double pressAtMs)
{
    bool pressed = false;
    c.onTurn = [&] {
        if (!pressed && c.probe->elapsedMs() >= pressAtMs && c.objects->FindRunning()) {
            pressed = true;
            c.objects->cmdStop->click();
        }
    };
    Outcome out;
    c.probe->start();
    c.objects->cmdFind_Click();
    out.measure = c.probe->stop();
    c.onTurn = nullptr;
    out.note = QString::number(c.objects->lvObjects->topLevelItemCount()) + QStringLiteral(" rows");
    out.measure.wallMs = pressed ? out.measure.wallMs - pressAtMs : NAN;
    if (!pressed)
        out.note += QStringLiteral(", ended before Stop");
    return out;
}

// Times a user action outside any run.
Outcome Timed(Context& c, const QString& note, const std::function<void()>& action)
{
    Outcome out;
    c.probe->start();
    action();
    out.measure = c.probe->stop();
    out.note = note;
    return out;
}

} // namespace

void UseSlowServer(const Context& c) { g_cnModel = Server(c).open(c.database); }

Outcome PreviewOnSlowServer(Context& c)
{
    UseSlowServer(c);
    const int n = ListCheckedCalculations(c, 100);
    return TimedPerCalculation(c, n, [&] { c.objects->cmdGetDetails_Click(); });
}

Outcome CompareOnSlowServer(Context& c)
{
    UseSlowServer(c);
    const int n = ListCheckedCalculations(c, 20);
    c.frame->mnuCompareObjects_Click();
    frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
    w.m_cnTarget = Server(c).open(c.target);
    w.lblTargetModel->setText(c.target + QLatin1Char('@') + c.server);
    w.cmdAddAll_Click();
    c.seams->boxes.answers = {bkl::mb::Yes, bkl::mb::No}; // run it; no detailed summary after
    return TimedPerCalculation(c, n, [&] { w.cmdCompare_Click(); });
}

Outcome StopDuringSlowStatement(Context& c)
{
    // The find's LIKE spends 20 us on each row: its statement steps about a second
    // before its first row at scale 100.
    static bkl::test::SlowLike slow(20);
    g_cnModel.close();
    g_cnModel.open();
    CheckCalculationsKind(c);
    // Every "Gen Metric" row comes before the first name that holds "Quota".
    c.objects->txtFind->setText(QStringLiteral("Quota"));
    // The user presses Stop 150 ms into the run; the window sees the click at its next turn.
    return StoppedFind(c, 150);
}

Outcome StopDuringHeldStatement(Context& c)
{
    // The server holds the find's statement (it names "Quota") 3 s before it answers.
    static SlowServer server(c.server, c.serverDelayMs,
                             {QStringLiteral("--hold-ms"), QStringLiteral("3000"), QStringLiteral("--hold-when"),
                              QStringLiteral("Quota")});
    g_cnModel = server.open(c.database);
    CheckCalculationsKind(c);
    c.objects->txtFind->setText(QStringLiteral("Quota"));
    Outcome out = StoppedFind(c, 150);
    // The connection serves the next statement.
    try {
        bkl::db::Recordset rs(QStringLiteral("SELECT COUNT(*) FROM Calculation"), g_cnModel);
        out.note += QStringLiteral(", then %1 calculations counted").arg(rs.field(0).toText());
    } catch (const bkl::db::DbError& e) {
        out.note += QStringLiteral(", then the connection failed: ") + e.description();
    }
    return out;
}

std::function<void()> PrepareWaitPoint(WaitPoint point, Context& c, const SlowServer& server)
{
    switch (point) {
    case WaitPoint::OpenFrame:
        g_cnModel = server.open(c.database);
        return [] {
            auto* frame = new frmMDIBKLMain;
            frame->show();
        };
    case WaitPoint::ReloadSummary:
        g_cnModel = server.open(c.database);
        return [&c] { c.frame->mnuReloadModelSummary_Click(); };
    case WaitPoint::TargetRefresh: {
        auto* login = new frmBKLTargetModelLogin(&frmBKLCompareObjects::instance());
        login->show();
        login->txtSQLServerHost->setText(server.address());
        login->txtSQLServerUser->setText(QStringLiteral("demo"));
        login->txtSQLServerPassword->setText(QStringLiteral("demo"));
        c.progress = [login] { return QString::number(login->cboSQLServerDB->count()) + QStringLiteral(" models"); };
        return [login] { login->cmdSelectDatabase_Click(); };
    }
    case WaitPoint::OpenAdvancedFind:
        g_cnModel = server.open(c.database);
        return [&c] {
            auto* w = new frmCalculationsAdvancedFind(c.frame);
            w->show();
        };
    }
    return [] {};
}

Outcome WaitOnSlowServer(Context& c, WaitPoint point, const QString& note)
{
    const std::function<void()> action = PrepareWaitPoint(point, c, Server(c));
    Outcome out = Timed(c, note, action);
    if (c.progress)
        out.note = c.progress();
    return out;
}

Outcome OpenFrameOnSlowServer(Context& c)
{
    return WaitOnSlowServer(c, WaitPoint::OpenFrame, QStringLiteral("frame and summary"));
}

Outcome ReloadSummaryOnSlowServer(Context& c)
{
    return WaitOnSlowServer(c, WaitPoint::ReloadSummary, QStringLiteral("summary"));
}

Outcome TargetRefreshOnSlowServer(Context& c) { return WaitOnSlowServer(c, WaitPoint::TargetRefresh, QString()); }

Outcome OpenAdvancedFindOnSlowServer(Context& c)
{
    return WaitOnSlowServer(c, WaitPoint::OpenAdvancedFind, QStringLiteral("window filled"));
}

SlowServer::SlowServer(const QString& folder, int delayMs, const QStringList& more)
    : port_(StartStandIn(process_, folder, QStringList{QStringLiteral("--delay"), QString::number(delayMs)} + more))
{
}

QString SlowServer::address() const { return QStringLiteral("127.0.0.1,") + QString::number(port_); }

bkl::db::Connection SlowServer::open(const QString& database) const
{
    bkl::db::Connection cn;
    cn.setConnectionString(ModelConnectionString(address(), database));
    cn.setCommandTimeout(600);
    cn.open();
    return cn;
}

void SlowServer::freeze() { ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP); }

} // namespace bench
