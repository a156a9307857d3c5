// The sound module: the alarm sound's player on the sound server, loaded by the program when an
// alarm first sounds.
#include "platform/sound/module_sound_player.h"
#include "platform/sound/stream_sound_player.h"

extern "C" Q_DECL_EXPORT dvx::SoundPlayer*
dorvantix_make_sound_player(const QString& fileName, const std::function<void()>& fallback) {
    return new dvx::StreamSoundPlayer(fileName, {}, fallback);
}

// The maker has the type the program calls it through.
static_assert(std::is_same_v<decltype(&dorvantix_make_sound_player), dvx::SoundModuleMaker>);
