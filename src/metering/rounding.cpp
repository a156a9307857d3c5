#include "metering/rounding.h"

#include <cmath>

namespace dvx {

std::int64_t roundHalfEven(long double value) {
    const long double floor = std::floor(value);
    const long double fraction = value - floor;
    auto result = static_cast<std::int64_t>(floor);
    if (fraction > 0.5L || (fraction == 0.5L && (result % 2 != 0)))
        ++result;
    return result;
}

namespace {

// Quotient truncated toward minus infinity and the non-negative remainder.
void floorDivide(std::int64_t dividend, std::int64_t divisor, std::int64_t& quotient,
                 std::int64_t& remainder) {
    quotient = dividend / divisor;
    remainder = dividend % divisor;
    if (remainder < 0) {
        --quotient;
        remainder += divisor;
    }
}

} // namespace

std::int64_t divideHalfEven(std::int64_t dividend, std::int64_t divisor) {
    std::int64_t quotient = 0;
    std::int64_t remainder = 0;
    floorDivide(dividend, divisor, quotient, remainder);
    const std::int64_t twice = remainder * 2;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

std::uint64_t magnitudeOf(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

std::uint64_t roundedMagnitude(std::uint64_t magnitude, std::int64_t divisor) {
    const auto unsignedDivisor = static_cast<std::uint64_t>(divisor);
    const std::uint64_t remainder = magnitude % unsignedDivisor;
    return magnitude / unsignedDivisor + (remainder * 2 >= unsignedDivisor ? 1 : 0);
}

} // namespace dvx
