#include "platform/ui/QtSeams.h"

#include "platform/core/Seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace bkl {
namespace {

class QtMessageBoxes final : public MessageBoxSeam {
public:
    int show(const QString& prompt, int style, const QString& title) override
    {
        QMessageBox box(QApplication::activeWindow());
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
            return box.exec() == QMessageBox::Yes ? mb::Yes : mb::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return mb::OK;
    }
};

class QtFileDialogs final : public FileDialogSeam {
public:
    QString openFile(const QString& title, const QString& filter, const QString& folder) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
    }
    QString saveFile(const QString& title, const QString& filter, const QString& suggestedPath) override
    {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedPath, filter);
    }
    QString browseFolder(const QString& title, const QString& folder) override
    {
        return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, folder);
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
