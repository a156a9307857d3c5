#pragma once

#include "platform/connection/connection_state.h"

#include <optional>

namespace dvx {

// The connection state from one dump of every interface (getifaddrs). Used when the kernel's
// link events cannot be watched. Nothing when the dump fails (no descriptor or memory left, say):
// that says nothing about the connection.
std::optional<ConnectionState> DumpConnectionState();

} // namespace dvx
