#pragma once

namespace dvx {

// Ends the application's message loop when the process is asked politely to end (SIGTERM at
// log-out or from `kill`, SIGINT, SIGHUP), so that it ends as through "Exit": the floating
// display's place is kept and the tray icon is taken away. Call once, after the application
// object exists.
void QuitOnTerminationSignals();

// Whether such a signal has come: one that came while a box of the start-up was open ended only
// that box's loop, and the program must not go on into its message loop.
bool TerminationRequested();

} // namespace dvx
