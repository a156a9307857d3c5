// Exit ends the message loop as it stands: no window is closed on the way, so the floating
// display is still recorded as it was.
#include "support/main_window_test.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace dvx {
namespace {

TEST_F(ConfiguredWindowTest, ExitEndsTheLoopAndLeavesTheFloatingDisplayAsItWas) {
    window.SetFloatingDisplay(true);
    QTimer::singleShot(0, &window, [this] { window.mnuExit->trigger(); });
    QTimer safetyNet; // ends the loop should Exit not end it, and goes with the test
    safetyNet.setSingleShot(true);
    QObject::connect(&safetyNet, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    safetyNet.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(window.settings().FloatingShown);
    EXPECT_TRUE(window.mnuFloatingDisplay->isChecked());
}

} // namespace
} // namespace dvx
