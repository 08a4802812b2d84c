#pragma once
// Scripted stand-ins for the desktop seams: they record every call and answer
// from a queue, so tests can drive windows and check what the user was shown.
#include "platform/core/Seams.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace bkl {

struct ShownBox {
    QString prompt;
    int style = 0;
    QString title;
};

class ScriptedMessageBoxes final : public MessageBoxSeam {
public:
    std::vector<ShownBox> shown;
    std::deque<int> answers; // consumed in order; when empty: OK, or No for Yes/No boxes
    // Called after a box is recorded, before it answers (e.g. to inspect a window mid-run).
    std::function<void(const ShownBox&)> onShow;
    int show(const QString& prompt, int style, const QString& title) override;
};

class ScriptedFileDialogs final : public FileDialogSeam {
public:
    std::deque<QString> answers; // consumed in order; when empty: cancelled
    QStringList titles;
    QStringList folders; // the folder each folder browser started on
    QStringList suggested; // the path each save dialog suggested
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& title, const QString& filter, const QString& suggestedPath) override;
    QString browseFolder(const QString& title, const QString& folder) override;

private:
    QString next(const QString& title);
};

class ScriptedShell final : public ShellSeam {
public:
    QStringList opened;
    bool result = true;
    bool open(const QString& fileOrUrl) override;
};

class FixedClock final : public ClockSeam {
public:
    QDateTime time;
    explicit FixedClock(QDateTime t) : time(std::move(t)) {}
    QDateTime now() override { return time; }
};

class ScriptedRandom final : public RandomSeam {
public:
    std::deque<double> values; // consumed in order; when empty: 0.5
    double next() override;
};

// Installs the given seams for the lifetime of the guard and restores the defaults after.
class SeamGuard {
public:
    SeamGuard() = default;
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;
    ~SeamGuard();
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    ScriptedShell shell;
    ScriptedRandom random;
    void install();
};

} // namespace bkl
