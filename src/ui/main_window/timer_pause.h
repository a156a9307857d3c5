#pragma once

#include <QScopeGuard>
#include <QTimer>

namespace dvx {

// Holds a timer off until the returned guard goes, and starts it again then, however the scope
// is left, so the one-second tick always goes on.
[[nodiscard]] inline auto PauseTimer(QTimer& timer) {
    timer.stop();
    return qScopeGuard([&timer] { timer.start(); });
}

} // namespace dvx
