#pragma once
#include <QString>

namespace bkl {

// "Build <major>.<minor>" from the program's own version, as the splash, the
// About window and the object-list window show it.
QString BuildText();

} // namespace bkl
