#pragma once

#include <functional>

class QSocketNotifier;

namespace dvx {

// Ends the application's message loop when the process is asked politely to end (SIGTERM at
// log-out or from `kill`, SIGINT, SIGHUP), so that it ends as through "Exit": the floating
// display's place is kept and the tray icon is taken away; a call in progress, though, is
// recorded (see onSignal), as the session's end is not the user's choice to drop it. Make one,
// after the application object exists; while it lives it handles those signals.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // What to do when such a signal comes, after every running loop has been told to end (so
    // no box it might raise can hold the program up): the session's end records the call in
    // progress. An empty function does nothing.
    void onSignal(std::function<void()> beforeQuitting);

    // Whether such a signal has come: one that came while a box of the start-up was open ended
    // only that box's loop, and the program must not go on into its message loop.
    bool requested() const { return requested_; }

private:
    void signalCame();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    bool requested_ = false;
    std::function<void()> beforeQuitting_;
};

} // namespace dvx
