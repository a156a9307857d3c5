#include "namespace_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sched.h>

namespace dvx {

void PrintTo(const ConnectionState& state, std::ostream* out) {
    *out << (state.connected ? "connected" : "no connection")
         << (state.viaModem ? " through a modem" : "");
}

namespace test {

namespace {

// The socket notifier needs an application object; one serves every test.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "connection_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(argc, argv);
    }
}

} // namespace

void InPrivateNetworkNamespace::SetUp() {
    EnsureApplication();
    if (const std::string failure = enterFreshNamespace(); !failure.empty()) {
        GTEST_SKIP() << failure;
    }
}

std::string InPrivateNetworkNamespace::enterFreshNamespace() {
    if (::unshare(CLONE_NEWNET) != 0) {
        return std::string("cannot make a private network namespace (needs root): ") +
               std::strerror(errno);
    }
    if (ip("link set lo up") != 0) {
        return "the ip command (iproute2) is missing or failed";
    }
    return {};
}

int InPrivateNetworkNamespace::ip(const std::string& arguments) {
    const int status = std::system(("ip " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void InPrivateNetworkNamespace::addLan(int endsUp) {
    ASSERT_EQ(0, ip("link add lan0 type veth peer name lan1"));
    if (endsUp >= 1) {
        ASSERT_EQ(0, ip("link set lan0 up"));
    }
    if (endsUp >= 2) {
        ASSERT_EQ(0, ip("link set lan1 up"));
    }
}

ConnectionState WaitForState(const std::function<ConnectionState()>& query,
                             ConnectionState expected) {
    QDeadlineTimer deadline(10000);
    ConnectionState state = query();
    while (state != expected && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        state = query();
    }
    return state;
}

ConnectionState WaitForState(KernelConnectionState& source, ConnectionState expected) {
    return WaitForState([&source] { return source.query(); }, expected);
}

} // namespace test
} // namespace dvx
