#include "platform/ui/PrintThread.h"

#include "platform/core/EventLoopTurn.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent>
#include <malloc.h>
#include <stdexcept>

namespace bkl {
namespace {

QThreadPool* PrintPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(1);
        p->setExpiryTimeout(-1);
        return p;
    }();
    return pool;
}

} // namespace

QFuture<QString> RunOnPrintThread(std::function<void()> work)
{
    return QtConcurrent::run(PrintPool(), [work = std::move(work)]() -> QString {
        QString error;
        try {
            work();
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        malloc_trim(0);
        return error;
    });
}

void RunOnPrintThreadAndWait(std::function<void()> work)
{
    QFutureWatcher<QString> watcher;
    watcher.setFuture(RunOnPrintThread(std::move(work)));
    WaitUntil([&watcher] { return watcher.isFinished(); });
    if (!watcher.isFinished())
        throw std::runtime_error("The page was not printed: printing was stopped.");
    if (const QString error = watcher.result(); !error.isEmpty())
        throw std::runtime_error(error.toStdString());
}

} // namespace bkl
