#pragma once

#include "platform/sound/sound_player.h"
#include "platform/sound/wave_file.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace dvx {

class PulseStream;

// Plays a wave file, named without a folder, on the sound server as one stream per alarm: the
// first play opens the stream, every play starts the sound from its beginning on it, and the
// stream closes a while after the last sound ended. The server shows the stream as the
// program's ("Dorvantix"). The file is looked for anew at every play; when it is missing or
// cannot be played, or no sound server answers, the fallback (the desktop's beep) is heard
// instead.
class StreamSoundPlayer : public SoundPlayer {
public:
    explicit StreamSoundPlayer(QString fileName, QStringList folders = {},
                               std::function<void()> fallback = {});
    ~StreamSoundPlayer() override;

    void play() override;
    // Whether a sound stream is open now.
    bool streaming() const;

    // How long the stream stays open after a sound ended, waiting for the next play.
    static constexpr int kLingerMs = 1500;

private:
    bool useFile(const QString& path);

    QString fileName_;
    QStringList folders_; // empty: the usual search folders
    std::function<void()> fallback_;
    QString loadedPath_;
    std::optional<WaveSound> sound_;
    // Receives the stream's failure on this thread; goes after the stream.
    QObject receiver_;
    std::unique_ptr<PulseStream> stream_;
};

} // namespace dvx
