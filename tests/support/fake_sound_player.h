#pragma once

#include "platform/sound/sound_player.h"

namespace dvx {

// Counts the sounds that would have been heard.
class FakeSoundPlayer : public SoundPlayer {
public:
    void play() override { ++plays; }

    int plays = 0;
};

} // namespace dvx
