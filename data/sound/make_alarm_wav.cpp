// Writes the program's alarm sound: a short two-tone warble as 16-bit mono PCM wave file.
// Usage: make_alarm_wav OUTPUT.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 22050;
constexpr double kSegmentSeconds = 0.1;
constexpr double kFadeSeconds = 0.005;
constexpr double kFrequencies[] = {880.0, 1318.5, 880.0, 1318.5};
constexpr double kAmplitude = 0.6 * 32767;

// One tone segment, faded in and out so that the changes of pitch do not click.
void AppendTone(std::vector<std::int16_t>& samples, double frequency) {
    const int count = static_cast<int>(kSampleRate * kSegmentSeconds);
    const int fade = static_cast<int>(kSampleRate * kFadeSeconds);
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        const double phase = 2 * std::numbers::pi * frequency * i / kSampleRate;
        samples.push_back(
            static_cast<std::int16_t>(std::lround(kAmplitude * envelope * std::sin(phase))));
    }
}

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);              // size of the format chunk
    PutLittleEndian(out, 1, 2);               // PCM
    PutLittleEndian(out, 1, 2);               // mono
    PutLittleEndian(out, kSampleRate, 4);     // samples per second
    PutLittleEndian(out, kSampleRate * 2, 4); // bytes per second
    PutLittleEndian(out, 2, 2);               // bytes per frame
    PutLittleEndian(out, 16, 2);              // bits per sample
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argv[0]);
        return 64;
    }
    std::vector<std::int16_t> samples;
    for (const double frequency : kFrequencies)
        AppendTone(samples, frequency);
    if (!WriteWave(argv[1], samples)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
