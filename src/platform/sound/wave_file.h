#pragma once

#include <QByteArray>
#include <optional>

namespace dvx {

// The samples of an uncompressed wave file (RIFF WAVE, PCM or IEEE float) and how to play them.
struct WaveSound {
    enum class SampleFormat { uint8, int16, int32, float32 };

    int sampleRate = 0;
    int channels = 0;
    SampleFormat format = SampleFormat::int16;
    // The samples as they lie in the file: little-endian, the channels interleaved.
    QByteArray samples;

    int bytesPerFrame() const;
    // How long the samples play, in milliseconds.
    qint64 durationMs() const;
};

// Reads a wave file's bytes; nothing when they are not a wave file this player can play (a
// compressed one, say), so that the caller can fall back.
std::optional<WaveSound> ReadWaveSound(const QByteArray& file);

} // namespace dvx
