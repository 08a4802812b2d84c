#pragma once
// The hourglass over the whole program for a blocking step that is no run (a
// window reading its lists): shown while the object lives and put back on every
// exit path. Runs use RunGuard, which shows it too.
#include <QApplication>
#include <QCursor>

namespace bkl {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace bkl
