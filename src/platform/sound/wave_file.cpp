#include "platform/sound/wave_file.h"

#include <QtEndian>

namespace dvx {

namespace {

constexpr quint16 kPcm = 1;
constexpr quint16 kIeeeFloat = 3;
constexpr quint16 kExtensible = 0xFFFE;
constexpr qsizetype kChunkHeader = 8;
constexpr qsizetype kRiffHeader = 12;
constexpr qsizetype kFormatChunkMinimum = 16;
constexpr qsizetype kExtensibleFormatSize = 40;
constexpr qsizetype kSubFormatOffset = 24;

quint16 u16(const char* bytes) {
    return qFromLittleEndian<quint16>(bytes);
}

quint32 u32(const char* bytes) {
    return qFromLittleEndian<quint32>(bytes);
}

std::optional<WaveSound::SampleFormat> sampleFormat(quint16 code, quint16 bits) {
    if (code == kPcm && bits == 8)
        return WaveSound::SampleFormat::uint8;
    if (code == kPcm && bits == 16)
        return WaveSound::SampleFormat::int16;
    if (code == kPcm && bits == 32)
        return WaveSound::SampleFormat::int32;
    if (code == kIeeeFloat && bits == 32)
        return WaveSound::SampleFormat::float32;
    return std::nullopt;
}

// The format chunk: the sample format, the channels and the rate.
bool readFormat(const char* chunk, qsizetype size, WaveSound& sound) {
    if (size < kFormatChunkMinimum)
        return false;
    quint16 code = u16(chunk);
    if (code == kExtensible && size >= kExtensibleFormatSize)
        code = u16(chunk + kSubFormatOffset);
    const auto format = sampleFormat(code, u16(chunk + 14));
    if (!format)
        return false;
    sound.format = *format;
    sound.channels = u16(chunk + 2);
    sound.sampleRate = int(u32(chunk + 4));
    return sound.channels > 0 && sound.sampleRate > 0;
}

} // namespace

int WaveSound::bytesPerFrame() const {
    const int sampleBytes = format == SampleFormat::uint8   ? 1
                            : format == SampleFormat::int16 ? 2
                                                            : 4;
    return sampleBytes * channels;
}

qint64 WaveSound::durationMs() const {
    const qint64 frameBytes = bytesPerFrame();
    return frameBytes == 0 || sampleRate == 0 ? 0 : samples.size() / frameBytes * 1000 / sampleRate;
}

std::optional<WaveSound> ReadWaveSound(const QByteArray& file) {
    if (file.size() < kRiffHeader || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveSound sound;
    bool haveFormat = false;
    for (qsizetype at = kRiffHeader; at + kChunkHeader <= file.size();) {
        const char* header = file.constData() + at;
        const qsizetype size = qsizetype(u32(header + 4));
        const qsizetype available = qMin(size, file.size() - at - kChunkHeader);
        const QByteArray id(header, 4);
        if (id == "fmt ") {
            haveFormat = readFormat(header + kChunkHeader, available, sound);
            if (!haveFormat)
                return std::nullopt;
        } else if (id == "data" && haveFormat) {
            const qsizetype whole = available / sound.bytesPerFrame() * sound.bytesPerFrame();
            sound.samples = file.mid(at + kChunkHeader, whole);
            return sound.samples.isEmpty() ? std::nullopt : std::optional(sound);
        }
        at += kChunkHeader + size + (size & 1); // chunks are padded to an even size
    }
    return std::nullopt;
}

} // namespace dvx
