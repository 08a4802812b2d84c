#include "platform/core/LargeBuffers.h"
#include "platform/ui/PageScheme.h"
#include "platform/ui/QtSeams.h"
#include "platform/ui/WaitInput.h"
#include "shell/ui/LastWindowQuit.h"
#include "shell/ui/Main.h"

#include <QApplication>

#include <unistd.h>

int main(int argc, char* argv[])
{
    // The embedded browser's sandbox refuses to start for the superuser and takes
    // the program down with it; as root the pages are shown without it.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    bkl::ReturnLargeBuffersWhenFreed();
    bkl::RegisterPageScheme();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisklane"));
    bkl::InstallDesktopSeams();
    bkl::InstallOutsideRunWaitUi();
    bkl::QuitWhenLastWindowCloses(app);
    if (!bkl::Main())
        return 1;
    const int code = QApplication::exec();
    bkl::DeleteAllWindows();
    return code;
}
