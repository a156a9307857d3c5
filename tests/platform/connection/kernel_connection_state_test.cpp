#include "namespace_fixture.h"
#include "platform/connection/interface_dump.h"
#include "platform/connection/kernel_connection_state.h"
#include "tun_modem_link.h"

#include <QCoreApplication>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using namespace dvx;
using dvx::test::TunModemLink;
using dvx::test::WaitForState;

namespace {

constexpr ConnectionState kNoConnection{false, false};
constexpr ConnectionState kConnected{true, false};
constexpr ConnectionState kThroughModem{true, true};

class KernelConnectionStateTest : public dvx::test::InPrivateNetworkNamespace {};

ConnectionState DumpedState() {
    const auto state = DumpConnectionState();
    EXPECT_TRUE(state.has_value()) << "the interface dump failed";
    return state.value_or(ConnectionState{});
}

// While it lives, the process can open no further file descriptor: sockets cannot be made.
class NoNewDescriptors {
public:
    NoNewDescriptors() {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(lowestFree);
        rlimit blocked = saved_;
        blocked.rlim_cur = static_cast<rlim_t>(lowestFree);
        ::setrlimit(RLIMIT_NOFILE, &blocked);
    }
    ~NoNewDescriptors() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    NoNewDescriptors(const NoNewDescriptors&) = delete;
    NoNewDescriptors& operator=(const NoNewDescriptors&) = delete;

private:
    rlimit saved_{};
};

struct InterfaceCase {
    const char* what;
    bool modemLink;
    bool modemUp;
    int lanEndsUp; // -1: no LAN
    ConnectionState expected;
};

// Both ways of reading the state, the link-event table filled by the start-up dump and the
// per-query interface dump, see the same interfaces alike.
TEST_F(KernelConnectionStateTest, ReportsWhatTheInterfacesAmountTo) {
    const InterfaceCase cases[] = {
        {"loopback only", false, false, -1, kNoConnection},
        {"modem link up", true, true, -1, kThroughModem},
        {"modem link made but down", true, false, -1, kNoConnection},
        {"LAN, both ends up", false, false, 2, kConnected},
        {"LAN, one end up, so not running", false, false, 1, kNoConnection},
        {"LAN and modem link up", true, true, 2, kThroughModem},
        {"LAN up, modem link down", true, false, 2, kConnected},
    };
    for (const InterfaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ("", enterFreshNamespace());
        std::unique_ptr<TunModemLink> modem;
        if (c.modemLink) {
            modem = std::make_unique<TunModemLink>();
            modem->setUp(c.modemUp);
        }
        if (c.lanEndsUp >= 0) {
            addLan(c.lanEndsUp);
        }
        KernelConnectionState source;
        EXPECT_TRUE(source.followsLinkEvents());
        EXPECT_EQ(c.expected, WaitForState(source, c.expected));
        EXPECT_EQ(c.expected, WaitForState(DumpedState, c.expected));
    }
}

TEST_F(KernelConnectionStateTest, FollowsLinksComingAndGoing) {
    KernelConnectionState source;
    ASSERT_TRUE(source.followsLinkEvents());
    EXPECT_EQ(kNoConnection, source.query());

    auto modem = std::make_unique<TunModemLink>();
    EXPECT_EQ(kNoConnection, WaitForState(source, kNoConnection));
    modem->setUp(true);
    EXPECT_EQ(kThroughModem, WaitForState(source, kThroughModem));
    modem->setUp(false);
    EXPECT_EQ(kNoConnection, WaitForState(source, kNoConnection));
    modem->setUp(true);
    EXPECT_EQ(kThroughModem, WaitForState(source, kThroughModem));
    modem.reset(); // the hang-up
    EXPECT_EQ(kNoConnection, WaitForState(source, kNoConnection));

    addLan(2);
    EXPECT_EQ(kConnected, WaitForState(source, kConnected));
    ASSERT_EQ(0, ip("link del lan0"));
    EXPECT_EQ(kNoConnection, WaitForState(source, kNoConnection));
}

// Where the link events cannot be watched, each query reads the interfaces; a read that fails is
// no hang-up, so it repeats the last answer.
TEST_F(KernelConnectionStateTest, WithoutLinkEventsEachQueryReadsTheInterfaces) {
    std::optional<KernelConnectionState> source;
    {
        NoNewDescriptors blocked;
        source.emplace();
    }
    ASSERT_FALSE(source->followsLinkEvents());

    auto modem = std::make_unique<TunModemLink>();
    modem->setUp(true);
    EXPECT_EQ(kThroughModem, WaitForState(*source, kThroughModem));
    {
        NoNewDescriptors blocked;
        EXPECT_FALSE(DumpConnectionState().has_value());
        EXPECT_EQ(kThroughModem, source->query());
    }
    modem.reset();
    EXPECT_EQ(kNoConnection, WaitForState(*source, kNoConnection));
}

// Far more link events than the socket's queue holds arrive while the program is busy; the
// kernel drops some, the last one among them. The state must still end up right.
TEST_F(KernelConnectionStateTest, RecoversWhenTheKernelDropsEvents) {
    KernelConnectionState source;
    addLan(2);
    ASSERT_EQ(kConnected, WaitForState(source, kConnected));

    const std::string batch = testing::TempDir() + "link_storm_" + std::to_string(::getpid());
    {
        std::ofstream commands(batch);
        for (int i = 0; i < 400; ++i) {
            commands << "link set lan0 down\nlink set lan0 up\n";
        }
        commands << "link del lan0\n";
    }
    ASSERT_EQ(0, ip("-batch " + batch));
    std::remove(batch.c_str());

    EXPECT_EQ(kNoConnection, WaitForState(source, kNoConnection));
    EXPECT_TRUE(source.followsLinkEvents());
}

} // namespace
