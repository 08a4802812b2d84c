#include "TdsResultStream.h"

#include "TdsRows.h"
#include "TdsTokens.h"

namespace tds {

ResultStream::ResultStream(Writer head, bkl::db::ResultSet result, std::vector<ColumnType> types, qint64 textSize,
                           PacketCutter cutter)
    : tokens_(std::move(head)), result_(std::move(result)), types_(std::move(types)), textSize_(textSize),
      cutter_(cutter)
{
}

QByteArray ResultStream::next(qsizetype bytes)
{
    if (finished_)
        return {};
    while (nextRow_ < result_.rows.size() && tokens_.data().size() < bytes)
        WriteRow(tokens_, result_.rows[nextRow_++], types_, textSize_);
    if (nextRow_ < result_.rows.size())
        return cutter_.cut(tokens_.data(), false);
    WriteDone(tokens_, kDoneCount, kSelectCommand, result_.rows.size());
    finished_ = true;
    return cutter_.cut(tokens_.data(), true);
}

QByteArray ResultStream::cancel()
{
    if (finished_)
        return {};
    WriteDone(tokens_, kDoneAttention, 0, 0);
    finished_ = true;
    return cutter_.cut(tokens_.data(), true);
}

} // namespace tds
