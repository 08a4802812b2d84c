#include "support/SaveAsDuringRun.h"

#include "platform/ui/RunGuard.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QFile>

namespace bkl::test {

SaveAsDuringRun::SaveAsDuringRun(ScriptedFileDialogs& dialogs, std::function<void()> clickSaveAs)
{
    turns_.setInterval(0);
    QObject::connect(&turns_, &QTimer::timeout, [this, &dialogs, click = std::move(clickSaveAs)] {
        if (!RunGuard::active())
            return;
        const QString target = TestHome() + QStringLiteral("/saved-during-run.html");
        QFile::remove(target);
        dialogs.answers.push_back(target);
        click();
        saved << FileBytes(target);
    });
    turns_.start();
}

} // namespace bkl::test
