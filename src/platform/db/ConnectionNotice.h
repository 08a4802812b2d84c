#pragma once
// What the data layer tells the user of its own accord about a connection: that it
// gave a connection up after a Stop the driver did not end in time and opened it
// again. The window layer sets the handler (an ERROR log line and the frame's status
// bar); the data layer calls it on the UI thread.
#include <QString>
#include <functional>

namespace bkl::db {

using ConnectionNoticeHandler = std::function<void(const QString& text)>;

// An empty handler restores the default: a warning on stderr.
void SetConnectionNoticeHandler(ConnectionNoticeHandler handler);

void NotifyConnection(const QString& text);

} // namespace bkl::db
