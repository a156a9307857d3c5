#pragma once

#include "platform/clock/clock.h"

#include <QDateTime>

namespace dvx {

// A clock that stands still until a test moves it. It keeps one instant; the local time is that
// instant in the process's time zone, so a test that sets TZ sees daylight-saving changes.
class FakeClock final : public Clock {
public:
    DateTime now() const override;
    std::int64_t instantMs() const override { return instantMs_; }

    // Sets the clock to a local date and time of the process's time zone.
    void setLocal(const QDateTime& local);
    void setInstantMs(std::int64_t ms) { instantMs_ = ms; }
    void advanceSeconds(std::int64_t seconds) { instantMs_ += seconds * 1000; }
    void advanceMs(std::int64_t ms) { instantMs_ += ms; }

private:
    // Tuesday 2026-03-03 12:00:00 UTC, a peak-time weekday.
    std::int64_t instantMs_ = 1772539200000;
};

} // namespace dvx
