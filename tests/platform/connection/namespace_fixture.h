#pragma once

#include "platform/connection/kernel_connection_state.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace dvx {

void PrintTo(const ConnectionState& state, std::ostream* out);

namespace test {

// Runs each test in a network namespace of its own that holds only loopback, up. Skips, saying
// why, where such a namespace cannot be made (not root, or namespaces not available).
class InPrivateNetworkNamespace : public ::testing::Test {
protected:
    void SetUp() override;

    // Leaves the current namespace for a new one that holds only loopback, up. Empty text on
    // success, otherwise why it failed.
    static std::string enterFreshNamespace();

    // Runs "ip ARGUMENTS" in the current namespace; its exit status.
    static int ip(const std::string& arguments);

    // Makes the veth pair lan0/lan1 and brings up the given number of its two ends.
    static void addLan(int endsUp);
};

// Processes Qt events until the query reports the expected state or a generous deadline passes;
// the state last reported. The kernel reports a link running only a moment after it is set up.
ConnectionState WaitForState(const std::function<ConnectionState()>& query,
                             ConnectionState expected);
ConnectionState WaitForState(KernelConnectionState& source, ConnectionState expected);

} // namespace test
} // namespace dvx
