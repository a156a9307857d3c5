#pragma once

namespace dvx {

// The alarm sound. Each call starts the sound from its beginning, cutting off a sound that an
// earlier call started, and returns at once while the sound plays in the background.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play() = 0;
};

} // namespace dvx
