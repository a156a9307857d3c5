// The alarm window and the floating display are made at the start but may never be shown: until
// they are, the process reads no font (the font caches, the font files) and loads no image
// plugin for them. Seen from the files the process has mapped.
#include "loaded_so_far.h"
#include "support/fake_sound_player.h"
#include "ui/alarm/alarm_window.h"
#include "ui/floating/frm_float.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(HiddenWindows, ReadNoFontsNorImagePluginsUntilShown) {
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        GTEST_SKIP() << "no /proc/self/maps to see what the process has loaded";
    if (const Loaded before = LoadedSoFar(); before.fonts || before.imagePlugins)
        GTEST_SKIP() << "the platform read fonts or image plugins before any window was made";

    // Made and told as at the start, and every tick after.
    FakeSoundPlayer sound;
    TfrmAlarm alarm(sound);
    TfrmFloat display(nullptr);
    display.hide();
    display.move(0, 0);
    display.showNotConnected();
    display.move(300, display.y());
    display.move(display.x(), 200);
    for (int second = 1; second <= 3; ++second)
        display.showCall(second, QStringLiteral("£0.05"));
    EXPECT_FALSE(alarm.isShowing());
    QCoreApplication::processEvents();
    EXPECT_FALSE(LoadedSoFar().fonts);
    EXPECT_FALSE(LoadedSoFar().imagePlugins);

    // Shown and painted, each reads what it needs: the display its font, the alarm its icon.
    display.show();
    display.grab();
    EXPECT_TRUE(LoadedSoFar().fonts);
    alarm.ShowAlarm(QStringLiteral("The current session cost has reached £0.05"));
    alarm.grab();
    EXPECT_TRUE(LoadedSoFar().imagePlugins);
}

} // namespace
} // namespace dvx
