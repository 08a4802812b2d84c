#include "shell/StartUp.h"

#include "platform/core/AppFolder.h"
#include "platform/core/FailureBox.h"
#include "platform/core/Settings.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/Preferences.h"

#include <QDir>
#include <filesystem>
#include <system_error>

namespace bkl {
namespace {

QString ApplicationSubfolder(const QString& folderName)
{
    return QDir::toNativeSeparators(ApplicationFolder() + QLatin1Char('/') + folderName);
}

} // namespace

ErrorInfo CreateApplicationFolder(const QString& folderName)
{
    const std::filesystem::path path = ApplicationSubfolder(folderName).toStdString();
    // The whole path: on a first run the application folder itself may be missing.
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (!ec)
        return {};
    const ErrorInfo error{ec.value(), ApplicationSubfolder(folderName), QString::fromStdString(ec.message())};
    WriteLog(QStringLiteral("Code: ") + QString::number(error.number) + QStringLiteral(" - Description: ")
                 + error.description,
             LogError);
    return error;
}

bool PrepareStartUp()
{
    InstallPlatformLog();
    g_bWindowsAuth = false;
    WriteLog(QString::fromLatin1(kProductName) + QStringLiteral(" Launched"), LogInfo);
    ErrorInfo firstFailure;
    for (const char* folder : {"config", "data", "logs", "temp"}) {
        const ErrorInfo error = CreateApplicationFolder(QString::fromLatin1(folder));
        if (error.number != 0 && firstFailure.number == 0)
            firstFailure = error;
    }
    if (firstFailure.number != 0) {
        // Without its folders the program can keep no log, save no profile and
        // write no report page: it says why and ends.
        ShowErrorBox(QStringLiteral("Unable to create the folder ") + firstFailure.source
                         + QStringLiteral(" ! Brisklane cannot run without it and will close."),
                     firstFailure.number, firstFailure.description, QString::fromLatin1(kProductName));
        return false;
    }
    g_bShowGridLines = ReadShowGridLines();
    return true;
}

} // namespace bkl
