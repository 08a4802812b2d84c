#include "shell/Log.h"

#include "platform/core/AppFolder.h"
#include "platform/core/Seams.h"
#include "shell/Globals.h"

#include <QFile>
#include <QLocale>

namespace bkl {

QString ApplicationFolderPath(const QString& folderName)
{
    return ApplicationFolder() + QLatin1Char('/') + folderName + QLatin1Char('/');
}

void WriteLog(const QString& message, short level)
{
    QString word;
    switch (level) {
    case LogError: word = QStringLiteral("ERROR"); break;
    case LogDebug: word = QStringLiteral("DEBUG"); break;
    case LogInfo: word = QStringLiteral("INFO"); break;
    default: break;
    }
    const QString stamp = QLocale(QLocale::English, QLocale::UnitedStates)
                              .toString(Clock().now(), QStringLiteral("MM/dd/yyyy hh:mm AP"));
    const QString line = stamp + QLatin1Char('|') + g_sModelKey + QLatin1Char('|') + word + QLatin1Char('|')
        + message + QStringLiteral("\r\n");
    QFile f(ApplicationFolderPath(QStringLiteral("logs")) + QStringLiteral("BKL.log"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    f.write(line.toUtf8());
    f.close();
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

} // namespace bkl
