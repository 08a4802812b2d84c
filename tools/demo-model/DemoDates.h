#pragma once
#include <QDate>

namespace demo {
// Every date in the demo content is fixed relative to this day, never the clock.
inline const QDate kBaseDate(2026, 9, 1);
} // namespace demo
