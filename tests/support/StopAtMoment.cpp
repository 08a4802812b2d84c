#include "support/StopAtMoment.h"

#include "platform/core/ActiveRun.h"
#include "platform/db/DbError.h"

#include <QElapsedTimer>
#include <QTimer>

namespace bkl::test {

namespace {

// A run watching `stop`, as RunGuard marks one (without the windows).
class WatchedRun {
public:
    explicit WatchedRun(const bool& stop)
    {
        EnterRun();
        outer_ = WatchRunStopFlag(&stop);
    }
    ~WatchedRun()
    {
        WatchRunStopFlag(outer_);
        LeaveRun();
    }

private:
    const bool* outer_ = nullptr;
};

} // namespace

StopOutcome StopAfter(const db::Connection& cn, const QString& statement, int pressAtMs)
{
    bool stop = false;
    const WatchedRun run(stop);
    QElapsedTimer sincePress;
    QTimer press;
    press.setSingleShot(true);
    QObject::connect(&press, &QTimer::timeout, [&] {
        stop = true;
        sincePress.start();
    });
    press.start(pressAtMs);
    StopOutcome out;
    try {
        out.rows = cn.execute(statement).rows.size();
    } catch (const db::StatementStopped&) {
        out.stopped = true;
    } catch (const db::DbError& e) {
        out.error = e.description();
    }
    out.pressToEndMs = sincePress.isValid() ? sincePress.elapsed() : -1;
    return out;
}

} // namespace bkl::test
