#pragma once

namespace bkl {

// The program's start-up: clears the Windows-authentication flag, logs the
// launch, creates the application folders, loads the grid-lines preference and
// shows the splash modeless. The program then runs while a window is open.
void Main();

} // namespace bkl
