#pragma once
// One long-lived worker thread per SQL Server connection makes every ODBC call of
// that connection: the connect, each statement's execute and fetch, the close. It
// takes its jobs from a queue, one at a time; the UI thread hands a job over and
// waits for it (see StatementWait.h).
//
// The UI thread never touches a statement handle, with one exception, the driver's
// documented use of SQLCancel from another thread: one cancel while the worker is
// blocked in the call that waits for the server's reply. In every other phase a
// stop is a flag the job sees between fetches: it then closes its statement itself.
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/types.h>

namespace bkl::db::odbc {

class OdbcSession;

class WorkerJob {
public:
    using Work = std::function<void(OdbcSession& session, WorkerJob& job)>;
    explicit WorkerJob(Work work);

    // ---- The worker's side.
    // Runs the work (nothing when a stop came first: it ends as StatementStopped).
    void run(OdbcSession& session);
    bool stopRequested() const;
    // Brackets the call that waits for the server's reply; `cancel` cancels it (SQLCancel),
    // or returns false without cancelling while the driver is still sending the statement.
    // leaveServerWait returns true when the waiting thread cancelled the call meanwhile.
    void enterServerWait(std::function<bool()> cancel);
    bool leaveServerWait();
    // The job found the connection dead after its statement stopped and dropped it.
    void noteConnectionLost();

    // ---- The waiting thread's side.
    void requestStop();
    // Cancels the call once, and only while `worker` is blocked in it waiting for the
    // server: not before the driver has sent the statement, nor while it sends it, nor
    // once the call returns.
    void cancelWhileBlocked(pid_t worker);
    // True once the job has ended (within `wait`).
    bool waitFor(std::chrono::milliseconds wait);
    // After the end: what the work threw, and whether it lost the connection.
    std::exception_ptr error() const;
    bool connectionLost() const;

private:
    Work work_;
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    bool stop_ = false;
    bool inServerWait_ = false;
    bool cancelled_ = false;
    bool connectionLost_ = false;
    std::function<bool()> cancel_;
    std::exception_ptr error_;
};

class StatementWorker {
public:
    explicit StatementWorker(std::unique_ptr<OdbcSession> session);
    // The thread closes the session and ends once its queue is done. An abandoned
    // worker is not waited for; otherwise the wait is bounded.
    ~StatementWorker();
    StatementWorker(const StatementWorker&) = delete;
    StatementWorker& operator=(const StatementWorker&) = delete;

    void post(std::shared_ptr<WorkerJob> job);
    pid_t threadId() const;
    // Gives the connection up: its sockets are shut down, so that a driver call
    // blocked on the server returns, and the thread is left to end on its own,
    // closing its handles when its call has returned.
    void abandon();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    bool abandoned_ = false;
};

// True when the thread is blocked in a system call that waits for a socket (poll,
// select, read, ...). Where the kernel does not tell, true.
bool BlockedInWait(pid_t thread);

} // namespace bkl::db::odbc
