#pragma once

#include <cstdint>

namespace dvx {

// Reads the first-run mark FirstRun into `flag` and, when it is 0 (a first start), marks the
// program as started. On a machine without the product key the read fails, `flag` keeps its
// value and the mark creates the key.
void ReadFirstRunFlag(std::int32_t& flag);

} // namespace dvx
