#include "metering/seconds_sum.h"

#include "metering/conversion_error.h"

namespace dvx {

std::int32_t AddSeconds(std::int32_t total, std::int32_t seconds) {
    std::int32_t sum = 0;
    if (__builtin_add_overflow(total, seconds, &sum))
        throw integerOverflow();
    return sum;
}

} // namespace dvx
