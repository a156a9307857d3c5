#pragma once

#include "platform/clock/clock.h"

namespace dvx {

// The machine's own clock.
class SystemClock final : public Clock {
public:
    DateTime now() const override;
    std::int64_t instantMs() const override;
};

} // namespace dvx
