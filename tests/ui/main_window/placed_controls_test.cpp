#include "ui/main_window/placed_controls.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(SpokenName, DropsTheAccessKeyAndTheColon) {
    EXPECT_EQ(SpokenName(QStringLiteral("&Exit")), "Exit");
    EXPECT_EQ(SpokenName(QStringLiteral("Current Charge Rate :")), "Current Charge Rate");
    EXPECT_EQ(SpokenName(QStringLiteral("Total Call Charges:")), "Total Call Charges");
    EXPECT_EQ(SpokenName(QStringLiteral("Monitor!")), "Monitor!");
}

TEST(QtTimeFormat, FollowsTheRegionalLongTime) {
    EXPECT_EQ(QtTimeFormat(QStringLiteral("%H:%M:%S")), "HH:mm:ss");
    EXPECT_EQ(QtTimeFormat(QStringLiteral("%I:%M:%S %p")), "hh:mm:ss AP");
    EXPECT_EQ(QtTimeFormat(QStringLiteral("%l:%M")), "hh:mm AP");
    EXPECT_EQ(QtTimeFormat(QStringLiteral("%H.%M.%S")), "HH.mm.ss");
    EXPECT_EQ(QtTimeFormat(QString()), "HH:mm:ss");
}

} // namespace
} // namespace dvx
