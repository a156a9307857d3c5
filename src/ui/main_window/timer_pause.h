#pragma once

#include <QTimer>

namespace dvx {

// Holds a timer off for the length of a scope and starts it again at its end, however the scope
// is left, so the one-second tick always goes on.
class TimerPause {
public:
    explicit TimerPause(QTimer& timer) : timer_(timer) { timer_.stop(); }
    ~TimerPause() { timer_.start(); }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    QTimer& timer_;
};

} // namespace dvx
