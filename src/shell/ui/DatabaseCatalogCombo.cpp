#include "shell/ui/DatabaseCatalogCombo.h"

#include "platform/core/TimeSlice.h"

#include <QComboBox>
#include <QCoreApplication>

namespace bkl {

void FillAllDatabaseCatalog(const ConnectionSettings& settings, QComboBox* cbo)
{
    // A server with many databases takes a while: the window repaints between
    // the model tests, and clicks made meanwhile reach it when the list is done.
    TimeSlice slice;
    slice.setPump([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
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
