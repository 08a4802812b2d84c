#include "compare/CompareStatus.h"

namespace bkl::compare {
namespace {

bool StartsWithStatusDigit(const QString& result)
{
    return !result.isEmpty() && result.at(0) >= QLatin1Char('0') && result.at(0) <= QLatin1Char('2');
}

} // namespace

CompareStatus NotStartedStatus() { return {QStringLiteral("Not Started"), 0}; }

std::optional<CompareStatus> StatusOfResult(const QString& result)
{
    if (result.isEmpty())
        return std::nullopt;
    if (!StartsWithStatusDigit(result))
        return NotStartedStatus();
    switch (result.at(0).toLatin1()) {
    case '0':
        return CompareStatus{QStringLiteral("Mismatch"), 255};
    case '1':
        return CompareStatus{QStringLiteral("Identical"), 65280};
    default:
        return CompareStatus{QStringLiteral("Not Exists"), 16711680};
    }
}

QString PageOfResult(const QString& result)
{
    return StartsWithStatusDigit(result) ? result.mid(1) : result;
}

} // namespace bkl::compare
