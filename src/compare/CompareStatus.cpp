#include "compare/CompareStatus.h"

namespace bkl::compare {

CompareStatus NotStartedStatus() { return {QStringLiteral("Not Started"), 0}; }

CompareStatus ErrorStatus() { return {QStringLiteral("Error"), 0x0050C0}; }

std::optional<CompareStatus> StatusOfResult(const QString& result)
{
    if (result.isEmpty())
        return std::nullopt;
    switch (result.at(0).toLatin1()) {
    case '0':
        return CompareStatus{QStringLiteral("Mismatch"), 255};
    case '1':
        return CompareStatus{QStringLiteral("Identical"), 65280};
    case '2':
        return CompareStatus{QStringLiteral("Not Exists"), 16711680};
    default:
        return ErrorStatus();
    }
}

QString PageOfResult(const QString& result)
{
    const bool digit = !result.isEmpty() && result.at(0) >= QLatin1Char('0') && result.at(0) <= QLatin1Char('3');
    return digit ? result.mid(1) : result;
}

} // namespace bkl::compare
