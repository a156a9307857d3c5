#pragma once

#include "metering/date_time.h"

#include <cstdint>

namespace dvx {

// The clock the program reads. The local wall clock gives what is shown and the rate in force;
// the instant, counted in UTC, gives the length of a session, so that a change to or from
// daylight-saving time adds or removes no time while setting the system clock still does.
class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time.
    virtual DateTime now() const = 0;
    // Milliseconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t instantMs() const = 0;
};

} // namespace dvx
