#pragma once

#include "metering/listed_session.h"

#include <cstddef>

namespace dvx {

// Makes room for `count` rows at once. A long list's room is asked of the kernel in huge pages
// where it gives them on request: its first filling then takes a fault for every 2 MiB rather
// than for every 4 KiB, which is most of what loading a million rows costs.
void ReserveRows(ListedSessions& rows, qsizetype count);

// Asks for the whole huge pages that lie in a block of memory not yet touched; any other memory,
// or a kernel without them, is left as it is.
void AdviseHugePages(void* begin, std::size_t size);

} // namespace dvx
