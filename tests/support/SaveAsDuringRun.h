#pragma once
// Save As pressed by an impatient user while a run writes the next report page:
// at every turn of the event loop during the run, the Save As button is clicked,
// its prompt answered with a file of the test home, and the saved bytes kept.
#include "platform/core/ScriptedSeams.h"

#include <QByteArray>
#include <QList>
#include <QTimer>
#include <functional>

namespace bkl::test {

class SaveAsDuringRun {
public:
    SaveAsDuringRun(ScriptedFileDialogs& dialogs, std::function<void()> clickSaveAs);
    // What each Save As during the run saved, in order.
    QList<QByteArray> saved;

private:
    QTimer turns_;
};

} // namespace bkl::test
