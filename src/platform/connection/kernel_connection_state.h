#pragma once

#include "platform/connection/connection_state.h"
#include "platform/connection/link_event_watch.h"

#include <QObject>

namespace dvx {

// The connection state read from the kernel's network interfaces: connected when an interface
// other than loopback is up and running, through a modem when such an interface is a modem link.
// The answer is kept current from the kernel's link events, so a query costs nothing; where the
// events cannot be followed, each query reads every interface afresh, and a read that fails
// repeats the last answer rather than report a hang-up that did not happen.
class KernelConnectionState : public QObject, public ConnectionStateSource {
    Q_OBJECT

public:
    explicit KernelConnectionState(QObject* parent = nullptr);

    ConnectionState query() override;

    // Whether queries are answered from the link events rather than by reading every interface.
    bool followsLinkEvents() const { return watch_.inSync(); }

private:
    LinkEventWatch watch_;
    ConnectionState lastAnswer_;
};

} // namespace dvx
