#pragma once
// Runs that wait on the data layer: a preview and a compare on a SQL Server a few
// milliseconds away (tds-standin --delay), and Stop pressed while the embedded
// engine steps a slow statement or while the server holds one.
#include "Scenarios.h"

#include "platform/db/Connection.h"

#include <QProcess>
#include <QStringList>
#include <functional>

namespace bench {

Outcome PreviewOnSlowServer(Context& c);
Outcome CompareOnSlowServer(Context& c);
Outcome StopDuringSlowStatement(Context& c);
Outcome StopDuringHeldStatement(Context& c);
// Statements outside runs on a server a few milliseconds away: the window turns meanwhile.
Outcome OpenFrameOnSlowServer(Context& c);
Outcome ReloadSummaryOnSlowServer(Context& c);
Outcome TargetRefreshOnSlowServer(Context& c);
Outcome OpenAdvancedFindOnSlowServer(Context& c);

// Points the model connection at the bench server through tds-standin, each reply
// held back the context's server delay.
void UseSlowServer(const Context& c);

// tds-standin serving the bench server with each reply held back `delayMs`; it ends
// with this process, however that ends (stopped or not).
class SlowServer {
public:
    SlowServer(const QString& folder, int delayMs, const QStringList& more = {});
    QString address() const;
    // A connection to `database`, open.
    bkl::db::Connection open(const QString& database) const;
    // Stops the server's process where it is (SIGSTOP): from then on nothing is answered.
    void freeze();

private:
    QProcess process_;
    int port_;
};

// The statements outside runs a user waits for on a SQL Server.
enum class WaitPoint {
    OpenFrame,        // the frame being built after the login's Connect (the summary's counts)
    ReloadSummary,    // Reload Model Summary
    TargetRefresh,    // the compare's target login listing the server's models
    OpenAdvancedFind, // Advanced Find filling its lists
};
// Sets up what the user has before the wait on `server` (not timed) and returns the
// user's action that waits.
std::function<void()> PrepareWaitPoint(WaitPoint point, Context& c, const SlowServer& server);

} // namespace bench
