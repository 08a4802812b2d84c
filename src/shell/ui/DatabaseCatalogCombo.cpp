#include "shell/ui/DatabaseCatalogCombo.h"

#include <QComboBox>

namespace bkl {

void FillAllDatabaseCatalog(const ConnectionSettings& settings, QComboBox* cbo)
{
    const DatabaseCatalog catalog = FillAllDatabaseCatalog(settings);
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
