// Start-up over the store: a fresh machine comes up cleanly and is asked to be configured once.
#include "support/main_window_test.h"

#include "store/settings/store_keys.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTimeEdit>

namespace dvx {
namespace {

const QString kFirstRunMessage = QStringLiteral(
    "This is the first time Dorvantix has been run - please configure your settings");

TEST_F(MainWindowTest, AFreshMachineStartsCleanlyAndShowsTheFirstRunMessageOnce) {
    dialogs.expect(BoxKind::information);
    window.FormCreate();
    EXPECT_EQ(dialogs.texts(), QStringList{kFirstRunMessage});
    EXPECT_TRUE(window.meter().monitoring());
    EXPECT_EQ(window.SB->currentMessage(), "Monitoring For Call");
    EXPECT_EQ(window.DTPOffPeakStart->time(), QTime(18, 0));
    EXPECT_EQ(window.DTPOffPeakEnd->time(), QTime(8, 0));
    EXPECT_EQ(window.DTPWeekendStart->time(), QTime(18, 0));
    EXPECT_EQ(window.DTPWeekendEnd->time(), QTime(8, 0));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("FirstRun")), RegValue::ofDword(1));

    TfrmMain nextStart(
        MainWindowServices{clock, connection, dialogs, RegionalSettings::british(), runList});
    nextStart.FormCreate();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(nextStart.meter().monitoring());
}

TEST_F(MainWindowTest, AConfiguredStoreStartsWithItsTariffAndNoMessage) {
    seedConfiguredStore();
    hive.seed(test::ProductSeed(QStringLiteral("\"OffPeakStart\"=\"20:00:00\"\n")));
    window.FormCreate();
    EXPECT_EQ(dialogs.shown().size(), 0);
    EXPECT_EQ(window.DTPOffPeakStart->time(), QTime(20, 0));
    EXPECT_EQ(window.edtCurrentChargeRate->text(), "£0.035");
    EXPECT_TRUE(window.meter().monitoring());
}

// The program writes no tariff time over a stored one: a broken time stops the start-up, which
// leaves the program in the tray without monitor mode until the settings are set again.
TEST_F(MainWindowTest, ABrokenStoredTariffTimeStopsTheStartUp) {
    seedConfiguredStore();
    hive.seed(test::ProductSeed(QStringLiteral("\"WeekendStart\"=\"\"\n")));
    expectError(QStringLiteral("'' is not a valid time"), [this] { window.FormCreate(); });
    EXPECT_FALSE(window.meter().monitoring());
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("WeekendStart")), RegValue::ofString({}));
}

} // namespace
} // namespace dvx
