#pragma once

#include <QTimer>
#include <utility>

namespace dvx {

// Runs an action when the scope ends, also when an error leaves it.
template <typename Action> class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};

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
