#pragma once

#include <cstdint>

namespace dvx {

// A sum of seconds in 32 bits; beyond them it fails with "Integer overflow".
std::int32_t AddSeconds(std::int32_t total, std::int32_t seconds);

} // namespace dvx
