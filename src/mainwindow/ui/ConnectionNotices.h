#pragma once
// What the data layer tells the user about a connection (given up after a Stop the
// driver did not end in time, and opened again) becomes an ERROR line in the log
// and a message in the status bar of the open frame.

namespace bkl::mainwindow {

// Sets the data layer's notice handler; called by each frame as it opens.
void ShowConnectionNotices();

} // namespace bkl::mainwindow
