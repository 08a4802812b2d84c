#pragma once
// A reply that ends with a result's rows, made into packets a piece at a time as the
// client takes them: a long result never waits whole in the stand-in's memory, and an
// attention that comes in while it goes out ends it where it is.
#include "ColumnTypes.h"
#include "TdsWire.h"

namespace tds {

class ResultStream {
public:
    // `head` holds the reply's tokens up to its first row (COLMETADATA).
    ResultStream(Writer head, bkl::db::ResultSet result, std::vector<ColumnType> types, qint64 textSize,
                 PacketCutter cutter);
    // The next whole packets, at least `bytes` of them unless the reply ends first;
    // the last of the reply close it with the DONE that counts its rows.
    QByteArray next(qsizetype bytes);
    bool finished() const { return finished_; }
    // Ends the reply where it is, as the server does on an attention: the rows already
    // made (so the client's parser stays on a token boundary), then a DONE that
    // acknowledges the attention.
    QByteArray cancel();

private:
    Writer tokens_; // whole tokens made and not cut into packets yet
    bkl::db::ResultSet result_;
    std::vector<ColumnType> types_;
    qint64 textSize_;
    PacketCutter cutter_;
    size_t nextRow_ = 0;
    bool finished_ = false;
};

} // namespace tds
