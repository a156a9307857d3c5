#include "platform/sound/wave_file.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

QByteArray U16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray U32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Chunk(const QByteArray& id, const QByteArray& body) {
    QByteArray chunk = id + U32(quint32(body.size())) + body;
    if (body.size() % 2 != 0)
        chunk.append('\0');
    return chunk;
}

QByteArray Format(quint16 code, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 frame = quint16(channels * bits / 8);
    return Chunk("fmt ", U16(code) + U16(channels) + U32(rate) + U32(rate * frame) + U16(frame) +
                             U16(bits));
}

QByteArray Wave(const QByteArray& chunks) {
    return "RIFF" + U32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(ReadWaveSound, ReadsThePlayableFormats) {
    struct Case {
        const char* what;
        QByteArray file;
        int rate;
        int channels;
        WaveSound::SampleFormat format;
        qsizetype sampleBytes;
    };
    const QByteArray second16(44100 * 2, '\1');
    const Case cases[] = {
        {"16-bit mono", Wave(Format(1, 1, 44100, 16) + Chunk("data", second16)), 44100, 1,
         WaveSound::SampleFormat::int16, second16.size()},
        {"8-bit stereo after another chunk of odd size",
         Wave(Chunk("LIST", "abc") + Format(1, 2, 8000, 8) + Chunk("data", QByteArray(10, 'x'))),
         8000, 2, WaveSound::SampleFormat::uint8, 10},
        {"float, the last frame cut short",
         Wave(Format(3, 1, 48000, 32) + Chunk("data", QByteArray(10, 'x'))), 48000, 1,
         WaveSound::SampleFormat::float32, 8},
    };
    for (const Case& c : cases) {
        const std::optional<WaveSound> sound = ReadWaveSound(c.file);
        ASSERT_TRUE(sound) << c.what;
        EXPECT_EQ(sound->sampleRate, c.rate) << c.what;
        EXPECT_EQ(sound->channels, c.channels) << c.what;
        EXPECT_EQ(sound->format, c.format) << c.what;
        EXPECT_EQ(sound->samples.size(), c.sampleBytes) << c.what;
    }
    EXPECT_EQ(ReadWaveSound(cases[0].file)->durationMs(), 1000);
}

TEST(ReadWaveSound, RefusesWhatItCannotPlay) {
    const QByteArray data = Chunk("data", QByteArray(100, 'x'));
    const struct {
        const char* what;
        QByteArray file;
    } cases[] = {
        {"not a wave file", "this is not a wave file"},
        {"empty", ""},
        {"compressed (ADPCM)", Wave(Format(2, 1, 8000, 4) + data)},
        {"24-bit", Wave(Format(1, 1, 8000, 24) + data)},
        {"no format chunk", Wave(data)},
        {"no data chunk", Wave(Format(1, 1, 8000, 16))},
        {"no samples", Wave(Format(1, 1, 8000, 16) + Chunk("data", {}))},
        {"no channels", Wave(Format(1, 0, 8000, 16) + data)},
        {"a format chunk cut short", Wave(Chunk("fmt ", U16(1)) + data)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ReadWaveSound(c.file)) << c.what;
}

} // namespace
