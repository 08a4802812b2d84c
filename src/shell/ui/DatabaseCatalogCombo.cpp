#include "shell/ui/DatabaseCatalogCombo.h"

#include "platform/core/EventLoopTurn.h"
#include "platform/core/TimeSlice.h"

#include <QComboBox>

namespace bkl {

void FillAllDatabaseCatalog(const ConnectionSettings& settings, QComboBox* cbo)
{
    // A server with many databases takes a while: the window repaints between
    // the model tests, and clicks made meanwhile reach it when the list is done.
    // The wait is a run: nothing can close the login under the list.
    const WaitRun waiting;
    TimeSlice slice;
    slice.setPump([] { TurnEventLoop(QEventLoop::ExcludeUserInputEvents); });
    const DatabaseCatalog catalog = FillAllDatabaseCatalog(settings, [&slice] { slice.tick(); });
    if (!catalog.listed)
        return;
    // Clearing the list clears a typed name as well: a server without models
    // leaves the box empty.
    cbo->clear();
    cbo->clearEditText();
    cbo->addItems(catalog.names);
    if (cbo->count() > 0)
        cbo->setCurrentIndex(0);
}

} // namespace bkl
