#include "metering/long_list_room.h"

#include <cstdint>
#include <sys/mman.h>

namespace dvx {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;

} // namespace

void ReserveRows(ListedSessions& rows, qsizetype count) {
    rows.reserve(count);
    const std::size_t bytes = std::size_t(rows.capacity() - rows.size()) * sizeof(ListedSession);
    AdviseHugePages(rows.data() + rows.size(), bytes);
}

void AdviseHugePages(void* begin, std::size_t size) {
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
    if (end > first)
        (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

} // namespace dvx
