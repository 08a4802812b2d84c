#include "platform/ui/ModalWindows.h"

#include "platform/core/ActiveRun.h"

#include <QDialog>
#include <vector>

namespace bkl {
namespace {

std::vector<ModalWindow>& Open()
{
    static std::vector<ModalWindow> open;
    return open;
}

// Holds the window's entry for the life of its exec, on every exit path.
class ModalEntry {
public:
    explicit ModalEntry(QDialog& dialog) { Open().push_back({&dialog, RunDepth()}); }
    ~ModalEntry() { Open().pop_back(); }
    ModalEntry(const ModalEntry&) = delete;
    ModalEntry& operator=(const ModalEntry&) = delete;
};

} // namespace

int ExecModal(QDialog& dialog)
{
    if (QuitRequested())
        return QDialog::Rejected;
    const ModalEntry entry(dialog);
    return dialog.exec();
}

bool ModalWindowOpen() { return !Open().empty(); }

const ModalWindow* TopModalWindow() { return Open().empty() ? nullptr : &Open().back(); }

} // namespace bkl
