#pragma once
#include <QString>

namespace bkl {

// The script element every preview page carries once near its top: toggleDiv(id)
// hides the element with that id when it is shown and shows it again when hidden.
QString GetToggleDivScript();

} // namespace bkl
