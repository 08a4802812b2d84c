#include "platform/ui/QtSeams.h"
#include "shell/ui/LastWindowQuit.h"
#include "shell/ui/Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisklane"));
    bkl::InstallDesktopSeams();
    bkl::QuitWhenLastWindowCloses(app);
    if (!bkl::Main())
        return 1;
    const int code = QApplication::exec();
    bkl::DeleteAllWindows();
    return code;
}
