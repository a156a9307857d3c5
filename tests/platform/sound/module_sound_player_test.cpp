#include "platform/sound/module_sound_player.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

// Whether the sound server's client library is in the process.
bool soundLibraryLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libpulse");
}

TEST(ModuleSoundPlayer, WithoutTheModuleEveryPlayGivesTheBeep) {
    QTemporaryDir empty;
    int beeps = 0;
    ModuleSoundPlayer player(QStringLiteral("alarm.wav"), {empty.path()}, [&beeps] { ++beeps; });
    player.play();
    player.play();
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(player.loaded());
}

// The sound server's library comes into the process with the first play, not before.
TEST(ModuleSoundPlayer, TheModuleIsLoadedAtTheFirstPlay) {
    ASSERT_FALSE(soundLibraryLoaded());
    QTemporaryDir empty;
    ModuleSoundPlayer player(QStringLiteral("no such sound.wav"),
                             {empty.path(), QStringLiteral(SOUND_MODULE_FOLDER)}, [] {});
    EXPECT_FALSE(player.loaded());
    EXPECT_FALSE(soundLibraryLoaded());
    player.play();
    EXPECT_TRUE(player.loaded());
    EXPECT_TRUE(soundLibraryLoaded());
}

} // namespace
