#include "platform/connection/kernel_connection_state.h"

#include "platform/connection/interface_dump.h"

namespace dvx {

KernelConnectionState::KernelConnectionState(QObject* parent) : QObject(parent) {}

ConnectionState KernelConnectionState::query() {
    return watch_.inSync() ? watch_.state() : DumpConnectionState();
}

} // namespace dvx
