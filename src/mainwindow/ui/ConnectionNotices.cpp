#include "mainwindow/ui/ConnectionNotices.h"

#include "mainwindow/ui/frmBKLMain.h"
#include "platform/db/ConnectionNotice.h"
#include "shell/Log.h"

#include <QStatusBar>

namespace bkl::mainwindow {

namespace {
// Long enough to be read; then the panels (host, user, model) show again.
constexpr int kShownMs = 60000;
} // namespace

void ShowConnectionNotices()
{
    db::SetConnectionNoticeHandler([](const QString& text) {
        WriteLog(text, LogError);
        if (frmBKLMain* objects = frmBKLMain::current())
            objects->sbRelease->showMessage(text, kShownMs);
    });
}

} // namespace bkl::mainwindow
