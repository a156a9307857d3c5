#pragma once

namespace dvx {

// What the system says about the machine's connection: whether any connection exists and
// whether it goes through a modem.
struct ConnectionState {
    bool connected = false;
    bool viaModem = false;

    bool operator==(const ConnectionState&) const = default;
};

// The connection-state query that the session monitor asks once a second.
class ConnectionStateSource {
public:
    virtual ~ConnectionStateSource() = default;
    virtual ConnectionState query() = 0;
};

} // namespace dvx
