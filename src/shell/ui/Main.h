#pragma once

namespace bkl {

// The program's start-up: clears the Windows-authentication flag, logs the
// launch, creates the application folders, loads the grid-lines preference and
// shows the splash modeless. The program then runs while a window is open.
// False when the application folders cannot be created: the user has been
// told, no window is open and the program ends.
bool Main();

} // namespace bkl
