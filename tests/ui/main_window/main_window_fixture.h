#pragma once

#include "platform/fakes/fake_clock.h"
#include "platform/fakes/fake_connection_state.h"
#include "platform/fakes/fake_dialogs.h"
#include "ui/main_window/frm_main.h"
#include "ui/tray/fake_tray_host.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dvx {

// The main window with a clock that stands still, a connection a test sets, dialogs it answers
// and a settings store of its own where the program has run before. The tariff: peak 0.035,
// off-peak 0.010 and weekend 0.020 per minute, minimum charge 0.050, off-peak from 18:00 to
// 08:00, weekend from Friday 18:00 to Monday 08:00. The clock shows Tuesday 3 March 2026, 12:00
// (peak) in UTC.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();

    // One tick of the one-second timer, as the timer runs it.
    void tick();
    // The clock moves on by `seconds`, then the timer ticks.
    void tickAfter(std::int64_t seconds);
    // The state at the end of start-up: monitor mode on, no session, the timer running.
    void watch();
    // An automatic session started by a modem connection seen in monitor mode.
    void startAutomaticSession();

    QString status() const;
    QString trayHint() const;
    QString floatingTime() const;
    QString floatingCost() const;

    // A settings store of the test's own, holding the tariff below.
    QTemporaryDir store;
    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    // An XEmbed tray that is there.
    FakeTrayHost trayHost{false, true};
    TfrmMain window;
};

// The fixture's tariff in ten-thousandths.
inline constexpr std::int64_t kPeakRaw = 350;
inline constexpr std::int64_t kMinimumRaw = 500;

} // namespace dvx
