#include "platform/core/PlatformLog.h"

#include <QtDebug>

namespace bkl {
namespace {
PlatformLogWriters& Writers()
{
    static PlatformLogWriters writers;
    return writers;
}
} // namespace

void SetPlatformLog(PlatformLogWriters writers) { Writers() = std::move(writers); }

void PlatformLogLine(const QString& message, short level)
{
    if (Writers().line)
        Writers().line(message, level);
    else
        qWarning().noquote() << message;
}

void PlatformLogFunctionError(const QString& name, long number, const QString& description)
{
    if (Writers().functionError)
        Writers().functionError(name, number, description);
    else
        qWarning().noquote() << name << number << description;
}

} // namespace bkl
