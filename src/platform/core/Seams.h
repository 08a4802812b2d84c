#pragma once
// Small interfaces between the program and the desktop: message boxes, file and
// folder dialogs, the shell, the clock and the random source. Windows and
// procedures call these, never QMessageBox or QFileDialog directly, so tests can
// answer them. The program installs the Qt implementations at start-up.
#include <QDateTime>
#include <QString>

namespace bkl {

// Message-box styles and answers, as the original platform numbers them.
namespace mb {
inline constexpr int OKOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int DefaultButton2 = 256;
inline constexpr int OK = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace mb

class MessageBoxSeam {
public:
    virtual ~MessageBoxSeam() = default;
    // Shows a modal box; `style` combines the mb:: constants. Returns mb::OK, mb::Yes or mb::No.
    // The prompt keeps its CR LF; the display shows them as line breaks.
    virtual int show(const QString& prompt, int style, const QString& title) = 0;
};

class FileDialogSeam {
public:
    virtual ~FileDialogSeam() = default;
    // Each returns the chosen path, or an empty text when the user cancels.
    virtual QString openFile(const QString& title, const QString& filter, const QString& folder) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& suggestedPath) = 0;
    virtual QString browseFolder(const QString& title, const QString& folder) = 0;
};

class ShellSeam {
public:
    virtual ~ShellSeam() = default;
    // Opens a file with the desktop's program for it, or a URL (mailto:, https:). False on failure.
    virtual bool open(const QString& fileOrUrl) = 0;
};

class ClockSeam {
public:
    virtual ~ClockSeam() = default;
    virtual QDateTime now() = 0;
};

class RandomSeam {
public:
    virtual ~RandomSeam() = default;
    // A number in [0, 1).
    virtual double next() = 0;
};

MessageBoxSeam& MessageBoxes();
FileDialogSeam& FileDialogs();
ShellSeam& Shell();
ClockSeam& Clock();
RandomSeam& Random();

// Installs an implementation (not owned); nullptr restores the default. The
// defaults of the core library answer without a desktop: message boxes return
// OK (or No for a Yes/No question), dialogs are cancelled, the shell fails; the
// clock and random source are the real ones.
void SetMessageBoxes(MessageBoxSeam* seam);
void SetFileDialogs(FileDialogSeam* seam);
void SetShell(ShellSeam* seam);
void SetClock(ClockSeam* seam);
void SetRandom(RandomSeam* seam);

// MessageBoxes().show(prompt, style, title), with control characters in the prompt
// and the title written visibly (VisibleText): a NUL or a stray line end in a name or
// a server's message shows instead of cutting or breaking the text.
int MsgBox(const QString& prompt, int style, const QString& title);

} // namespace bkl
