#pragma once

#include "platform/connection/connection_state.h"

namespace dvx {

// A connection state that a test sets; it counts how often it was asked.
class FakeConnectionState final : public ConnectionStateSource {
public:
    ConnectionState query() override {
        ++queries;
        return state;
    }

    void hangUp() { state = {}; }
    void dialUp() { state = {true, true}; }
    void lan() { state = {true, false}; }

    ConnectionState state;
    int queries = 0;
};

} // namespace dvx
