#pragma once
// The notices the data layer gives the user about connections (a connection given up
// and opened again, one lost and opened again), recorded while this lives.
#include "platform/db/ConnectionNotice.h"

#include <QStringList>

namespace bkl::test {

class ConnectionNotices {
public:
    ConnectionNotices()
    {
        db::SetConnectionNoticeHandler([this](const QString& text) { texts << text; });
    }
    ~ConnectionNotices() { db::SetConnectionNoticeHandler({}); }
    ConnectionNotices(const ConnectionNotices&) = delete;
    ConnectionNotices& operator=(const ConnectionNotices&) = delete;

    QStringList texts;
};

} // namespace bkl::test
