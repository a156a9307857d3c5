// The floating display as the user switches it: both menus, the tray icon's double click,
// closing its window, and its state and place kept in the hive across a restart.
#include "store/settings/store_keys.h"
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/fake_dialogs.h"
#include "support/fake_run_list.h"
#include "support/store_hive.h"
#include "ui/floating/frm_float.h"
#include "ui/main_window/frm_main.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

#include <memory>

using namespace dvx;

namespace {

class FloatingDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const Registry registry = hive_.registry();
        registry.WriteRegInteger(kProductKey, QStringLiteral("FirstRun"), 1);
        for (const char* name : {"OffPeakStart", "WeekendStart"})
            registry.WriteRegString(kProductKey, QString::fromLatin1(name),
                                    QStringLiteral("18:00:00"));
        for (const char* name : {"OffPeakEnd", "WeekendEnd"})
            registry.WriteRegString(kProductKey, QString::fromLatin1(name),
                                    QStringLiteral("08:00:00"));
    }
    void TearDown() override { main_.reset(); }

    void startProgram() {
        main_ = std::make_unique<TfrmMain>(
            MainWindowServices{clock_, connection_, dialogs_, RegionalSettings::british(), runList_,
                               hive_.settingsStore, hive_.sessionLog});
        main_->FormCreate();
    }
    void endProgram() { main_.reset(); }

    std::int32_t stored(const char* name) const {
        std::int32_t value = -1;
        hive_.registry().ReadRegInteger(kProductKey, QString::fromLatin1(name), value, false);
        return value;
    }
    // Shown, both check marks and the stored value agree, and say `shown`.
    void expectSwitched(bool shown) {
        EXPECT_EQ(main_->settings().FloatingShown, shown);
        EXPECT_EQ(main_->frmFloat->isVisible(), shown);
        EXPECT_EQ(main_->mnuFloatingDisplay->isChecked(), shown);
        EXPECT_EQ(main_->mnuFloatingDisplayPopUp->isChecked(), shown);
        EXPECT_EQ(stored("FloatingDisplay"), shown ? 1 : 0);
    }

    test::StoreHive hive_;
    FakeClock clock_;
    FakeRunList runList_;
    FakeConnectionState connection_;
    FakeDialogs dialogs_;
    std::unique_ptr<TfrmMain> main_;
};

} // namespace

TEST_F(FloatingDisplayTest, EitherMenuSwitchesItOnAndOff) {
    startProgram();
    expectSwitched(false);
    main_->mnuFloatingDisplay->trigger();
    expectSwitched(true);
    main_->mnuFloatingDisplayPopUp->trigger();
    expectSwitched(false);
    main_->mnuFloatingDisplayPopUp->trigger();
    expectSwitched(true);
    main_->mnuFloatingDisplay->trigger();
    expectSwitched(false);
}

TEST_F(FloatingDisplayTest, ClosingItsWindowSwitchesItOff) {
    startProgram();
    main_->mnuFloatingDisplay->trigger();
    main_->frmFloat->close();
    expectSwitched(false);
}

TEST_F(FloatingDisplayTest, TheTrayIconsDoubleClickHidesIt) {
    startProgram();
    main_->mnuFloatingDisplayPopUp->trigger();
    main_->CoolTrayIconDblClick();
    expectSwitched(false);
    // Hidden already: it stays hidden and the stored value is written again.
    hive_.registry().DeleteRegValue(kProductKey, QStringLiteral("FloatingDisplay"));
    main_->CoolTrayIconDblClick();
    expectSwitched(false);
}

TEST_F(FloatingDisplayTest, ItsStateAndPlaceComeBackAfterARestart) {
    startProgram();
    EXPECT_EQ(main_->frmFloat->pos(), QPoint(0, 0)); // nothing stored yet: the top left corner
    main_->mnuFloatingDisplay->trigger();
    main_->frmFloat->move(321, 123);
    endProgram();
    EXPECT_EQ(stored("FloatLeft"), 321);
    EXPECT_EQ(stored("FloatTop"), 123);

    startProgram();
    expectSwitched(true);
    EXPECT_EQ(main_->frmFloat->pos(), QPoint(321, 123));
    // Moved while shown, then hidden: the place is still written at exit.
    main_->frmFloat->move(40, 50);
    main_->mnuFloatingDisplay->trigger();
    endProgram();

    startProgram();
    expectSwitched(false);
    EXPECT_EQ(main_->frmFloat->pos(), QPoint(40, 50));
}

TEST_F(FloatingDisplayTest, SetChangesWritesItsPlace) {
    startProgram();
    main_->frmFloat->move(77, 88);
    main_->btnSetChangesClick();
    EXPECT_EQ(stored("FloatLeft"), 77);
    EXPECT_EQ(stored("FloatTop"), 88);
}

TEST_F(FloatingDisplayTest, ItsLinesAreKeptCurrentWhileHidden) {
    startProgram();
    EXPECT_EQ(main_->frmFloat->timeText(), QStringLiteral("Not Connected"));
    connection_.dialUp();
    main_->DurationTimerTimer();
    clock_.advanceSeconds(61);
    main_->DurationTimerTimer();
    EXPECT_FALSE(main_->frmFloat->isVisible());
    EXPECT_EQ(main_->frmFloat->timeText(), QStringLiteral("Call time 1 minutes, 1 seconds."));
    const QString cost = main_->frmFloat->costText();
    EXPECT_TRUE(cost.startsWith(QStringLiteral("Cost £")));
    main_->mnuFloatingDisplay->trigger();
    EXPECT_EQ(main_->frmFloat->lblTime->text(), QStringLiteral("Call time 1 minutes, 1 seconds."));
    EXPECT_EQ(main_->frmFloat->lblCost->text(), cost);
}
