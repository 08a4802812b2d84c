#include "platform/core/ScriptedSeams.h"

namespace bkl {

int ScriptedMessageBoxes::show(const QString& prompt, int style, const QString& title)
{
    shown.push_back({prompt, style, title});
    if (onShow)
        onShow(shown.back());
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return (style & 7) == mb::YesNo ? mb::No : mb::OK;
}

QString ScriptedFileDialogs::next(const QString& title)
{
    titles << title;
    if (answers.empty())
        return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedFileDialogs::openFile(const QString& title, const QString&, const QString&) { return next(title); }
QString ScriptedFileDialogs::saveFile(const QString& title, const QString&, const QString& suggestedPath)
{
    suggested << suggestedPath;
    return next(title);
}
QString ScriptedFileDialogs::browseFolder(const QString& title, const QString& folder)
{
    folders << folder;
    return next(title);
}

bool ScriptedShell::open(const QString& fileOrUrl)
{
    opened << fileOrUrl;
    return result;
}

double ScriptedRandom::next()
{
    if (values.empty())
        return 0.5;
    const double v = values.front();
    values.pop_front();
    return v;
}

void SeamGuard::install()
{
    SetMessageBoxes(&boxes);
    SetFileDialogs(&dialogs);
    SetShell(&shell);
    SetRandom(&random);
}

SeamGuard::~SeamGuard()
{
    SetMessageBoxes(nullptr);
    SetFileDialogs(nullptr);
    SetShell(nullptr);
    SetRandom(nullptr);
}

} // namespace bkl
