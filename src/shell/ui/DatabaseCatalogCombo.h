#pragma once
#include "shell/ModelConnection.h"

class QComboBox;

namespace bkl {

// Replaces the combo box's entries with the server's model databases and
// selects the first. When the server's list cannot be read the old entries stay.
void FillAllDatabaseCatalog(const ConnectionSettings& settings, QComboBox* cbo);

} // namespace bkl
