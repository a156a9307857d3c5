#include "platform/sound/module_sound_player.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

bool multimediaLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
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

// Qt Multimedia comes into the process with the first play, not before.
TEST(ModuleSoundPlayer, TheModuleIsLoadedAtTheFirstPlay) {
    ASSERT_FALSE(multimediaLoaded());
    QTemporaryDir empty;
    ModuleSoundPlayer player(QStringLiteral("no such sound.wav"),
                             {empty.path(), QStringLiteral(SOUND_MODULE_FOLDER)}, [] {});
    EXPECT_FALSE(player.loaded());
    EXPECT_FALSE(multimediaLoaded());
    player.play();
    EXPECT_TRUE(player.loaded());
    EXPECT_TRUE(multimediaLoaded());
}

} // namespace
