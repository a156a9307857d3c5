#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"

#include <cstdint>

namespace dvx {

// What a billing period needs of a session: when it started, its seconds and its cost.
struct PeriodSession {
    DateTime start = 0;
    std::int32_t seconds = 0;
    Currency cost;
};

} // namespace dvx
