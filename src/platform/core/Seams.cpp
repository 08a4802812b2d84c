#include "platform/core/Seams.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/Escaping.h"

#include <QRandomGenerator>

namespace bkl {
namespace {

class HeadlessMessageBoxes final : public MessageBoxSeam {
public:
    int show(const QString&, int style, const QString&) override
    {
        return (style & 7) == mb::YesNo ? mb::No : mb::OK;
    }
};

class HeadlessFileDialogs final : public FileDialogSeam {
public:
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString browseFolder(const QString&, const QString&) override { return {}; }
};

class HeadlessShell final : public ShellSeam {
public:
    bool open(const QString&) override { return false; }
};

class SystemClock final : public ClockSeam {
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

class SystemRandom final : public RandomSeam {
public:
    double next() override { return QRandomGenerator::global()->generateDouble(); }
};

template <class Seam, class Default>
struct Slot {
    Default fallback;
    Seam* current = nullptr;
    Seam& get() { return current ? *current : fallback; }
};

Slot<MessageBoxSeam, HeadlessMessageBoxes> g_messageBoxes;
Slot<FileDialogSeam, HeadlessFileDialogs> g_fileDialogs;
Slot<ShellSeam, HeadlessShell> g_shell;
Slot<ClockSeam, SystemClock> g_clock;
Slot<RandomSeam, SystemRandom> g_random;

} // namespace

MessageBoxSeam& MessageBoxes() { return g_messageBoxes.get(); }
FileDialogSeam& FileDialogs() { return g_fileDialogs.get(); }
ShellSeam& Shell() { return g_shell.get(); }
ClockSeam& Clock() { return g_clock.get(); }
RandomSeam& Random() { return g_random.get(); }

void SetMessageBoxes(MessageBoxSeam* seam) { g_messageBoxes.current = seam; }
void SetFileDialogs(FileDialogSeam* seam) { g_fileDialogs.current = seam; }
void SetShell(ShellSeam* seam) { g_shell.current = seam; }
void SetClock(ClockSeam* seam) { g_clock.current = seam; }
void SetRandom(RandomSeam* seam) { g_random.current = seam; }

int MsgBox(const QString& prompt, int style, const QString& title)
{
    // While the program quits no box opens: the question gets the answer of its Esc key.
    if (QuitRequested())
        return (style & 7) == mb::YesNo ? mb::No : mb::OK;
    return MessageBoxes().show(VisibleText(prompt), style, VisibleText(title));
}

} // namespace bkl
