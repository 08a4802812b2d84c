#include "platform/db/ConnectionNotice.h"

#include <QtDebug>

namespace bkl::db {
namespace {
ConnectionNoticeHandler& handler()
{
    static ConnectionNoticeHandler h;
    return h;
}
} // namespace

void SetConnectionNoticeHandler(ConnectionNoticeHandler h) { handler() = std::move(h); }

void NotifyConnection(const QString& text)
{
    if (handler())
        handler()(text);
    else
        qWarning("%s", qPrintable(text));
}

} // namespace bkl::db
