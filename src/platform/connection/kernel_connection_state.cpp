#include "platform/connection/kernel_connection_state.h"

#include "platform/connection/interface_dump.h"

namespace dvx {

KernelConnectionState::KernelConnectionState(QObject* parent) : QObject(parent) {}

ConnectionState KernelConnectionState::query() {
    if (watch_.inSync()) {
        lastAnswer_ = watch_.state();
    } else if (const auto dumped = DumpConnectionState()) {
        lastAnswer_ = *dumped;
    }
    return lastAnswer_;
}

} // namespace dvx
