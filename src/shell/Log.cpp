#include "shell/Log.h"

#include "platform/core/AppFolder.h"
#include "platform/core/Escaping.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "shell/Globals.h"

#include <QFile>
#include <QLocale>

namespace bkl {

QString ApplicationFolderPath(const QString& folderName)
{
    return ApplicationFolder() + QLatin1Char('/') + folderName + QLatin1Char('/');
}

QString LogFilePath() { return ApplicationFolderPath(QStringLiteral("logs")) + QStringLiteral("BKL.log"); }

QString LogLine(const QString& message, short level)
{
    QString word;
    switch (level) {
    case LogError: word = QStringLiteral("ERROR"); break;
    case LogDebug: word = QStringLiteral("DEBUG"); break;
    case LogInfo: word = QStringLiteral("INFO"); break;
    default: break;
    }
    // With "AP" in the pattern "hh" is the 12-hour clock.
    const QString stamp = QLocale(QLocale::English, QLocale::UnitedStates)
                              .toString(Clock().now(), QStringLiteral("MM/dd/yyyy hh:mm AP"));
    return VisibleText(stamp + QLatin1Char('|') + g_sModelKey + QLatin1Char('|') + word + QLatin1Char('|') + message);
}

void WriteLog(const QString& message, short level)
{
    QFile f(LogFilePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    f.write((LogLine(message, level) + QLatin1String(kCrLf)).toUtf8());
    f.close();
}

bool ClearLogFile(const QString& message)
{
    QFile f(LogFilePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray line = (LogLine(message, LogInfo) + QLatin1String(kCrLf)).toUtf8();
    const bool written = f.write(line) == line.size();
    f.close();
    return written && f.error() == QFileDevice::NoError;
}

QString FunctionErrorLine(const QString& name, long number, const QString& description)
{
    return QStringLiteral("Function: ") + name + QStringLiteral("() --> Code: ") + QString::number(number)
        + QStringLiteral(" --> Description: ") + description;
}

void LogFunctionError(const QString& name, long number, const QString& description)
{
    WriteLog(FunctionErrorLine(name, number, description), LogError);
}

void InstallPlatformLog() { SetPlatformLog({&WriteLog, &LogFunctionError}); }

} // namespace bkl
