#pragma once

#include <QString>
#include <cstdint>

namespace dvx {

// A place that shows the call being metered: the main window's boxes, the tray tip, the
// floating display. Each shows it in its own words.
class CallDisplay {
public:
    virtual ~CallDisplay() = default;
    // A call of `seconds` so far, costing `costText` (a money text).
    virtual void showCall(std::int32_t seconds, const QString& costText) = 0;
    // No call is being metered any more.
    virtual void showNotConnected() = 0;
};

} // namespace dvx
