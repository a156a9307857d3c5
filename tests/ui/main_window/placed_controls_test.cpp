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

} // namespace
} // namespace dvx
