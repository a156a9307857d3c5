#pragma once

#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace dvx {

// Writes to a window's controls, which the window builds only when it is first shown. Once the
// controls are built a write is done at once. Before, the last write to each control is kept,
// and the kept writes are done in their order when the controls are built: a window built late
// shows exactly what it would show had it been built at start.
//
// A control is named by the window's member that will point to it, so a write is made the same
// way before and after the control exists.
class ControlWrites {
public:
    bool built() const { return built_; }

    template <class Control>
    void write(Control* const& control,
               std::type_identity_t<std::function<void(Control&)>> change) {
        keep(&control, [&control, change = std::move(change)] { change(*control); });
    }

    // The controls were just built: the kept writes are done, and every later one at once.
    void controlsBuilt();

private:
    void keep(const void* control, std::function<void()> write);

    bool built_ = false;
    std::vector<std::pair<const void*, std::function<void()>>> kept_;
};

} // namespace dvx
