#pragma once
// The object list after a find of every kind and one click on its NAME header:
// Select All and Invert Selection over the sorted list, and a find into it.
#include "Scenarios.h"

namespace bench {

Outcome SelectAllSorted(Context& c);
Outcome InvertSorted(Context& c);
Outcome FindIntoSortedList(Context& c);

} // namespace bench
