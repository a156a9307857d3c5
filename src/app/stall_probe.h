#pragma once

#include <QObject>
#include <cstdio>
#include <memory>

namespace dvx {

// A benchmark's view of the window's thread: a timer that should fire every few milliseconds,
// and how late each firing came. Started only when DORVANTIX_STALL_PROBE names a file; the
// program then writes to it, line by line and flushed at once so that a benchmark reads it while
// the program runs, every stall longer than kThresholdMs and every new longest stall. Times are
// CLOCK_MONOTONIC in milliseconds, the clock a benchmark reads as time.monotonic():
//
//   probe <time> interval <ms> threshold <ms>   when the timer starts
//   first <time> <ms>      the first firing: the loop ran at last, <ms> late (the start's work)
//   stall <time> <ms>      the loop came back at <time> after <ms> more than the interval
//   longest <time> <ms>    the longest stall so far (after the first firing), whenever it grows
//
// Make it right after the application object, so that the start's own work before the loop
// runs shows as the first firing's lateness.
class StallProbe final : public QObject {
public:
    static constexpr int kIntervalMs = 4;
    static constexpr double kThresholdMs = 16;

    // The probe the environment asks for, or nothing (the program then pays nothing for it).
    static std::unique_ptr<StallProbe> fromEnvironment();

    ~StallProbe() override;
    StallProbe(const StallProbe&) = delete;
    StallProbe& operator=(const StallProbe&) = delete;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    explicit StallProbe(std::FILE* file);

    std::FILE* file_;
    double lastFiring_;
    double longest_ = 0;
    bool fired_ = false;
};

} // namespace dvx
