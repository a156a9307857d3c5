#include "ui/main_window/control_writes.h"

#include <algorithm>

namespace dvx {

void ControlWrites::controlsBuilt() {
    built_ = true;
    for (const auto& [control, write] : std::exchange(kept_, {}))
        write();
}

void ControlWrites::keep(const void* control, std::function<void()> write) {
    if (built_)
        return write();
    const auto kept = std::find_if(kept_.begin(), kept_.end(),
                                   [control](const auto& entry) { return entry.first == control; });
    if (kept != kept_.end())
        kept->second = std::move(write);
    else
        kept_.emplace_back(control, std::move(write));
}

} // namespace dvx
