#pragma once
// Runs every per-object statement the program sends: the preview and the export (every
// section) of every object of every kind of the source model, and the compare of every
// comparable object against the target. `startWatching` is called once the objects are
// listed, before the first per-object statement: tests set the data layer's or the
// engine's observer there.
#include "platform/db/Connection.h"

#include <functional>

namespace bkl::test {

void RenderAndCompareEveryObject(const db::Connection& source, const db::Connection& target,
                                 const std::function<void()>& startWatching);

} // namespace bkl::test
