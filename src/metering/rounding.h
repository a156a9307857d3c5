#pragma once

#include <cstdint>

namespace dvx {

// Rounds to the nearest integer; an exact half goes to the even neighbour.
std::int64_t roundHalfEven(long double value);

// Divides exactly, rounding the quotient to the nearest integer with halves to the even neighbour.
// The divisor is positive.
std::int64_t divideHalfEven(std::int64_t dividend, std::int64_t divisor);

// The magnitude of a value, also of the most negative one.
std::uint64_t magnitudeOf(std::int64_t value);

// A magnitude divided and rounded to the nearest integer, halves upward. The divisor is positive.
std::uint64_t roundedMagnitude(std::uint64_t magnitude, std::int64_t divisor);

} // namespace dvx
