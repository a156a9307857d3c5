// Errors inside a handler are shown in the general error box, and the tick always goes on.
#include "support/main_window_test.h"

#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <limits>

namespace dvx {
namespace {

// So far ahead that the session's seconds no longer fit in 32 bits.
constexpr std::int64_t kBeyond32BitSeconds = 3'000'000'000;

TEST_F(ConfiguredWindowTest, AnErrorInAMonitorTickIsShownAndTheTimerRunsOn) {
    startAutomaticSession();
    dialogs.expect(BoxKind::applicationError);
    tickAfter(kBeyond32BitSeconds);
    EXPECT_EQ(dialogs.texts(), QStringList{"Range check error."});
    EXPECT_TRUE(window.DurationTimer->isActive());
    EXPECT_TRUE(window.meter().charging());
}

TEST_F(ConfiguredWindowTest, AnErrorInATickOutsideMonitorModeLeavesTheTimerRunning) {
    window.btnManualStartClick();
    window.DurationTimer->start();
    dialogs.expect(BoxKind::applicationError);
    tickAfter(kBeyond32BitSeconds);
    EXPECT_EQ(dialogs.texts(), QStringList{"Range check error."});
    EXPECT_TRUE(window.DurationTimer->isActive());
}

// The totals overflow while the session is recorded: the error is shown once, the session
// counts as ended, and the next tick does not try to record it again.
TEST_F(ConfiguredWindowTest, ASessionWhoseRecordingFailsIsNotRecordedTwice) {
    storeTotals(std::numeric_limits<std::int32_t>::max() - 5, Currency());
    watch();
    connection.dialUp();
    window.btnManualStartClick();
    tickAfter(10);
    connection.hangUp();
    dialogs.expect(BoxKind::applicationError);
    tickAfter(1);
    EXPECT_EQ(dialogs.texts(), QStringList{"Integer overflow."});
    EXPECT_FALSE(window.meter().charging());
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_TRUE(window.DurationTimer->isActive());
    tickAfter(1);
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(window.meter().totalSeconds(), std::numeric_limits<std::int32_t>::max() - 5);
}

TEST_F(ConfiguredWindowTest, AButtonsErrorGoesToTheErrorBoxNotTheEventLoop) {
    window.edtPeakPerSecond->setText(QString());
    dialogs.expect(BoxKind::applicationError);
    window.btnSetChanges->click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].kind, BoxKind::applicationError);
    EXPECT_EQ(dialogs.shown()[0].text, "'' is not a valid floating point value.");
}

} // namespace
} // namespace dvx
