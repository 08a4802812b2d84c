#include "shell/ui/ProfileFileBoxes.h"

#include "platform/core/FailureBox.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"

namespace bkl {
namespace {

void ShowRefusal(const char* message, const ErrorInfo& refusal)
{
    ShowErrorBox(QString::fromLatin1(message), refusal.number, refusal.description, QString::fromLatin1(kProductName));
}

} // namespace

void ShowProfileFileRefused(const ErrorInfo& refusal)
{
    ShowRefusal("Unable to read the profile file !. No profiles are loaded, and the file is kept as it is.", refusal);
}

void ShowProfileSaveRefused(const ErrorInfo& refusal)
{
    ShowRefusal("Unable to save the profile file !. It could not be read when this window opened, so it is kept as "
                "it is and the changes are not saved.",
                refusal);
}

void ShowProfileChangedSinceRead(const QString& path)
{
    MsgBox(QStringLiteral("The profile file ") + path
               + QStringLiteral(" was changed by another program since Manage Model Profiles opened it. Nothing was "
                                "saved.\r\n\r\nClose Manage Model Profiles and open it again to see the changes."),
           mb::OKOnly | mb::Critical, QString::fromLatin1(kProductName));
}

} // namespace bkl
