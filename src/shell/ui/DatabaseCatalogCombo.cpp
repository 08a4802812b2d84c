#include "shell/ui/DatabaseCatalogCombo.h"

#include "platform/core/OutsideRunWait.h"
#include "platform/core/TimeSlice.h"

#include <QComboBox>

namespace bkl {

void FillAllDatabaseCatalog(const ConnectionSettings& settings, QComboBox* cbo)
{
    // A server with many databases takes a while: the window repaints between the
    // model tests, and clicks meanwhile are refused. The wait is a run: nothing can
    // close the login under the list; past a second it names the server, with a Stop.
    OutsideRunWait waiting(settings.serverHost, true);
    TimeSlice slice;
    slice.setPump([&waiting] { waiting.turn(); });
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
