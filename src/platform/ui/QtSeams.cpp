#include "platform/ui/QtSeams.h"
#include "platform/ui/ModalWindows.h"

#include "platform/core/Seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

namespace bkl {
namespace {

// The window a question or dialog belongs to: the modal window on top, else the
// active window, else the program's main window that is on screen. Nothing may be
// active (under a display without a window manager nobody activates the frame, and
// the focus goes nowhere when a box closes); a box without a parent would then open
// as a window of its own, wherever the display puts it.
QWidget* OwnerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    QWidget* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip
            || w->windowType() == Qt::SplashScreen)
            continue;
        if (qobject_cast<QMainWindow*>(w))
            return w;
        if (!shown)
            shown = w;
    }
    return shown;
}

class QtMessageBoxes final : public MessageBoxSeam {
public:
    int show(const QString& prompt, int style, const QString& title) override
    {
        QMessageBox box(OwnerWindow());
        box.setWindowTitle(title);
        QString text = prompt;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        box.setTextFormat(Qt::PlainText); // error descriptions may quote names holding markup
        box.setText(text);
        switch (style & 0x70) {
        case mb::Critical: box.setIcon(QMessageBox::Critical); break;
        case mb::Question: box.setIcon(QMessageBox::Question); break;
        case mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case mb::Information: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        if ((style & 7) == mb::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton((style & mb::DefaultButton2) ? QMessageBox::No : QMessageBox::Yes);
            return ExecOnTop(box) == QMessageBox::Yes ? mb::Yes : mb::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        ExecOnTop(box);
        return mb::OK;
    }

private:
    // The box blocks every other window until it is answered, so it must be seen and
    // take the keys: once shown, it is raised over its window and activated (a window
    // manager may do that by itself; without one nobody else does).
    static int ExecOnTop(QMessageBox& box)
    {
        QTimer::singleShot(0, &box, [&box] {
            box.raise();
            box.activateWindow();
        });
        return ExecModal(box);
    }
};

// The file dialogs are modal windows like any other (ModalWindows.h): opened as the
// static choosers open them, with the same options, through ExecModal.
class QtFileDialogs final : public FileDialogSeam {
public:
    QString openFile(const QString& title, const QString& filter, const QString& folder) override
    {
        return choose(title, folder, filter, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
    }
    QString saveFile(const QString& title, const QString& filter, const QString& suggestedPath) override
    {
        return choose(title, suggestedPath, filter, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    }
    QString browseFolder(const QString& title, const QString& folder) override
    {
        return choose(title, folder, QString(), QFileDialog::AcceptOpen, QFileDialog::Directory);
    }

private:
    static QString choose(const QString& title, const QString& start, const QString& filter,
                          QFileDialog::AcceptMode accept, QFileDialog::FileMode mode)
    {
        QFileDialog dialog(OwnerWindow(), title, start, filter);
        dialog.setAcceptMode(accept);
        dialog.setFileMode(mode);
        if (mode == QFileDialog::Directory)
            dialog.setOption(QFileDialog::ShowDirsOnly);
        if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

class DesktopShell final : public ShellSeam {
public:
    bool open(const QString& fileOrUrl) override
    {
        const QUrl url = QFileInfo::exists(fileOrUrl) ? QUrl::fromLocalFile(fileOrUrl) : QUrl(fileOrUrl);
        return QDesktopServices::openUrl(url);
    }
};

} // namespace

void InstallDesktopSeams()
{
    static QtMessageBoxes boxes;
    static QtFileDialogs dialogs;
    static DesktopShell shell;
    SetMessageBoxes(&boxes);
    SetFileDialogs(&dialogs);
    SetShell(&shell);
}

} // namespace bkl
