#include "platform/db/odbc/StatementWorker.h"

#include "platform/db/DbError.h"
#include "platform/db/odbc/OdbcSession.h"

#include <QByteArray>
#include <QFile>
#include <deque>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace bkl::db::odbc {

namespace {

// How long closing a connection waits for its worker to disconnect (a connect under
// way may take up to its login timeout: the worker then ends on its own).
constexpr std::chrono::seconds kCloseWait{2};

bool IsWaitCall(long number)
{
    switch (number) {
#ifdef SYS_poll
    case SYS_poll:
#endif
#ifdef SYS_select
    case SYS_select:
#endif
#ifdef SYS_epoll_wait
    case SYS_epoll_wait:
#endif
    case SYS_ppoll:
    case SYS_pselect6:
    case SYS_epoll_pwait:
    case SYS_read:
    case SYS_recvfrom:
    case SYS_recvmsg:
        return true;
    default:
        return false;
    }
}

} // namespace

bool BlockedInWait(pid_t thread)
{
    // "<number> <arguments...>" while the thread is in a system call, "running" or
    // "-1 ..." otherwise.
    QFile file(QStringLiteral("/proc/self/task/%1/syscall").arg(thread));
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray first = file.readLine(64).split(' ').value(0).trimmed();
    bool ok = false;
    const long number = first.toLong(&ok);
    return ok && IsWaitCall(number);
}

WorkerJob::WorkerJob(Work work) : work_(std::move(work)) {}

void WorkerJob::run(OdbcSession& session)
{
    try {
        if (stopRequested())
            throw StatementStopped();
        work_(session, *this);
    } catch (...) {
        const std::lock_guard lock(mutex_);
        error_ = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
        cancel_ = nullptr;
    }
    ended_.notify_all();
}

bool WorkerJob::stopRequested() const
{
    const std::lock_guard lock(mutex_);
    return stop_;
}

void WorkerJob::enterServerWait(std::function<bool()> cancel)
{
    const std::lock_guard lock(mutex_);
    inServerWait_ = true;
    cancel_ = std::move(cancel);
}

bool WorkerJob::leaveServerWait()
{
    // Waits here while a cancel is under way: the worker touches the statement again
    // only once SQLCancel has returned.
    const std::lock_guard lock(mutex_);
    inServerWait_ = false;
    cancel_ = nullptr;
    return cancelled_;
}

void WorkerJob::noteConnectionLost()
{
    const std::lock_guard lock(mutex_);
    connectionLost_ = true;
}

void WorkerJob::requestStop()
{
    const std::lock_guard lock(mutex_);
    stop_ = true;
}

void WorkerJob::cancelWhileBlocked(pid_t worker)
{
    const std::lock_guard lock(mutex_);
    if (!stop_ || !inServerWait_ || cancelled_ || !cancel_ || !BlockedInWait(worker))
        return;
    cancelled_ = cancel_();
}

bool WorkerJob::waitFor(std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, wait, [this] { return done_; });
}

std::exception_ptr WorkerJob::error() const
{
    const std::lock_guard lock(mutex_);
    return error_;
}

bool WorkerJob::connectionLost() const
{
    const std::lock_guard lock(mutex_);
    return connectionLost_;
}

struct StatementWorker::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::deque<std::shared_ptr<WorkerJob>> queue;
    std::unique_ptr<OdbcSession> session;
    pid_t thread = 0;
    bool quit = false;
    bool ended = false;

    void serve()
    {
        {
            const std::lock_guard lock(mutex);
            thread = static_cast<pid_t>(::syscall(SYS_gettid));
        }
        wake.notify_all();
        for (;;) {
            std::shared_ptr<WorkerJob> job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return quit || !queue.empty(); });
                if (queue.empty())
                    break;
                job = std::move(queue.front());
                queue.pop_front();
            }
            job->run(*session);
        }
        // The handles are freed on this thread, as every other call on them was made.
        std::unique_ptr<OdbcSession> closing;
        {
            const std::lock_guard lock(mutex);
            closing = std::move(session);
        }
        closing.reset();
        {
            const std::lock_guard lock(mutex);
            ended = true;
        }
        finished.notify_all();
    }
};

StatementWorker::StatementWorker(std::unique_ptr<OdbcSession> session) : shared_(std::make_shared<Shared>())
{
    shared_->session = std::move(session);
    // The thread keeps what it works on alive; it is never joined, so that a worker
    // stuck in the driver can be left behind.
    std::thread([shared = shared_] { shared->serve(); }).detach();
}

StatementWorker::~StatementWorker()
{
    std::unique_lock lock(shared_->mutex);
    shared_->quit = true;
    shared_->wake.notify_all();
    if (!abandoned_)
        shared_->finished.wait_for(lock, kCloseWait, [this] { return shared_->ended; });
}

void StatementWorker::post(std::shared_ptr<WorkerJob> job)
{
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->queue.push_back(std::move(job));
    }
    shared_->wake.notify_all();
}

pid_t StatementWorker::threadId() const
{
    std::unique_lock lock(shared_->mutex);
    shared_->wake.wait(lock, [this] { return shared_->thread != 0; });
    return shared_->thread;
}

void StatementWorker::abandon()
{
    // The session is handed to the closing thread under this lock: it and its
    // sockets live until the shutdown is done.
    const std::lock_guard lock(shared_->mutex);
    if (shared_->session)
        shared_->session->shutDownSockets();
    abandoned_ = true;
}

} // namespace bkl::db::odbc
