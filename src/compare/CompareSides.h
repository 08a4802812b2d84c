#pragma once
// The two models of a comparison: the connections it reads and the captions its
// pages name them by.
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::compare {

struct CompareSides {
    const db::Connection& source;
    const db::Connection& target;
    // "model database@server host", as the compare window's model labels show them.
    QString sourceCaption;
    QString targetCaption;
};

// The caption of the model a connection reads: its "Initial Catalog", "@" and its
// "Data Source", each trimmed (the compare window labels its models this way);
// "" when the connection string names neither or cannot be read.
QString ModelCaption(const db::Connection& cn);

} // namespace bkl::compare
