#include "shell/StartUp.h"

#include "platform/core/AppFolder.h"
#include "platform/core/Settings.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/Preferences.h"

#include <filesystem>
#include <system_error>

namespace bkl {

void CreateApplicationFolder(const QString& folderName)
{
    const std::filesystem::path path = (ApplicationFolder() + QLatin1Char('/') + folderName).toStdString();
    std::error_code ec;
    std::filesystem::create_directory(path, ec);
    if (ec)
        WriteLog(QStringLiteral("Code: ") + QString::number(ec.value()) + QStringLiteral(" - Description: ")
                     + QString::fromStdString(ec.message()),
                 LogError);
}

void PrepareStartUp()
{
    g_bWindowsAuth = false;
    WriteLog(QString::fromLatin1(kProductName) + QStringLiteral(" Launched"), LogInfo);
    for (const char* folder : {"config", "data", "logs", "temp"})
        CreateApplicationFolder(QString::fromLatin1(folder));
    g_bShowGridLines = ReadShowGridLines();
}

} // namespace bkl
