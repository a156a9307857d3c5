#pragma once

#include <cstdint>

namespace dvx {

// Rounds to the nearest integer; an exact half goes to the even neighbour.
std::int64_t roundHalfEven(long double value);

// Divides exactly, rounding the quotient to the nearest integer with halves to the even neighbour.
// The divisor is positive.
std::int64_t divideHalfEven(std::int64_t dividend, std::int64_t divisor);

// Divides exactly, rounding the quotient to the nearest integer with halves away from zero.
// The divisor is positive.
std::int64_t divideHalfAwayFromZero(std::int64_t dividend, std::int64_t divisor);

} // namespace dvx
