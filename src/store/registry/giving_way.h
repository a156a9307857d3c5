#pragma once

#include <chrono>

struct sqlite3;

namespace dvx {

// Work on the hive that runs aside, on threads other than the window's (a long log's check, the
// session list's reading), gives way to the window for a moment when it asks: while the window
// is being shown and painted, such work pauses, so that on a machine with few cores the window
// comes up as fast with a long log as with an empty one.

// Asks work aside to pause for `moment` from now (or longer, if asked before).
void GiveWayFor(std::chrono::milliseconds moment);

// What is left of the moment asked for; zero once it is over.
std::chrono::milliseconds WayStillGiven();

// Pauses until the moment asked for is over, on any thread but the main one; costs nothing when
// none is asked.
void WaitWhileGivingWay();

// Makes a connection's statements pause whenever work aside is asked to give way, when it was
// opened on a thread other than the program's main thread.
void GiveWayOffTheMainThread(sqlite3* connection);

} // namespace dvx
