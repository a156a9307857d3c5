#pragma once

#include "platform/connection/connection_state.h"

namespace dvx {

// The connection state from one dump of every interface (getifaddrs). Used when the kernel's
// link events cannot be watched; no connection when even the dump fails.
ConnectionState DumpConnectionState();

} // namespace dvx
