#include "platform/connection/modem_link.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <net/if_arp.h>

using namespace dvx;
namespace fs = std::filesystem;

namespace {

// A stand-in for /sys/class/net with the uevent files of a few interfaces.
class SysClassNet : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = fs::path(testing::TempDir()) / "class_net_fixture";
        root_ = base_ / "net";
        fs::remove_all(base_);
        // Decoys outside the folder, which a name must never reach.
        addInterface("../decoy", "DEVTYPE=wwan\n");
        std::ofstream(base_ / "uevent") << "DEVTYPE=wwan\n";
        addInterface("wwan0", "DEVTYPE=wwan\nINTERFACE=wwan0\nIFINDEX=3\n");
        addInterface("wlan0", "DEVTYPE=wlan\nINTERFACE=wlan0\nIFINDEX=4\n");
        addInterface("eth0", "INTERFACE=eth0\nIFINDEX=2\n");
        addInterface("odd0", "INTERFACE=odd0\nXDEVTYPE=wwan\nDEVTYPE=wwanx\n");
    }
    void TearDown() override { fs::remove_all(base_); }

    void addInterface(const std::string& name, const std::string& uevent) {
        fs::create_directories(root_ / name);
        std::ofstream(root_ / name / "uevent") << uevent;
    }

    fs::path base_;
    fs::path root_;
};

TEST_F(SysClassNet, ModemLinkIsPppOrWwan) {
    struct Case {
        const char* name;
        unsigned linkType;
        bool modem;
    } const cases[] = {
        {"ppp0", ARPHRD_PPP, true},     // pppd, no sysfs entry needed
        {"wwan0", ARPHRD_NONE, true},   // mobile broadband
        {"wlan0", ARPHRD_ETHER, false}, // wireless LAN is not a modem
        {"eth0", ARPHRD_ETHER, false},
        {"odd0", ARPHRD_ETHER, false},  // only the exact DEVTYPE line counts
        {"gone0", ARPHRD_ETHER, false}, // no uevent file
        {"..", ARPHRD_ETHER, false},    // never a path outside the folder
        {"../decoy", ARPHRD_ETHER, false},
        {"", ARPHRD_ETHER, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.modem, IsModemLink(c.name, c.linkType, root_));
    }
}

} // namespace
