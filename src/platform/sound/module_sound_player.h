#pragma once

#include "platform/sound/sound_player.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace dvx {

// The alarm sound of the program, made only when an alarm first sounds: the sound module (the
// player on the sound server) is loaded then, so that a program that never raises an alarm never
// loads the sound server's libraries. When the module cannot be loaded the
// fallback (the desktop's beep) is heard instead, at every play.
class ModuleSoundPlayer : public SoundPlayer {
public:
    explicit ModuleSoundPlayer(QString fileName, QStringList moduleFolders = {},
                               std::function<void()> fallback = {});
    ~ModuleSoundPlayer() override;

    void play() override;
    // Whether the module has been loaded (it is loaded at the first play).
    bool loaded() const { return player_ != nullptr; }

private:
    void load();

    QString fileName_;
    QStringList moduleFolders_; // empty: the usual module folders
    std::function<void()> fallback_;
    std::unique_ptr<SoundPlayer> player_;
    bool tried_ = false;
};

// The folders the sound module is looked for in: the program's folder, then the installed
// module folder beside the program's.
QStringList SoundModuleFolders();

// The name of the function the sound module makes its player with.
inline constexpr char kSoundModuleMaker[] = "dorvantix_make_sound_player";
// Its type: the player of the named sound, whose fallback is the given function.
using SoundModuleMaker = SoundPlayer* (*)(const QString& fileName,
                                          const std::function<void()>& fallback);

} // namespace dvx
