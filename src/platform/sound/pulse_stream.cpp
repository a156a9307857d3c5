#include "platform/sound/pulse_stream.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace dvx {

namespace {

// What the server holds ahead: short, so that a restart is heard at once.
constexpr int kBufferMs = 60;
// What is written at a time.
constexpr int kChunkMs = 20;

pa_sample_format_t sampleFormat(WaveSound::SampleFormat format) {
    switch (format) {
    case WaveSound::SampleFormat::uint8:
        return PA_SAMPLE_U8;
    case WaveSound::SampleFormat::int32:
        return PA_SAMPLE_S32LE;
    case WaveSound::SampleFormat::float32:
        return PA_SAMPLE_FLOAT32LE;
    default:
        return PA_SAMPLE_S16LE;
    }
}

std::uint32_t bytesFor(const WaveSound& sound, int milliseconds) {
    const auto frames =
        std::max<std::int64_t>(1, std::int64_t(sound.sampleRate) * milliseconds / 1000);
    return std::uint32_t(frames * sound.bytesPerFrame());
}

} // namespace

PulseStream::PulseStream(WaveSound sound, QString applicationName, std::chrono::milliseconds linger,
                         std::function<void()> failed)
    : sound_(std::move(sound)), applicationName_(std::move(applicationName)), linger_(linger),
      failed_(std::move(failed)), worker_([this] { run(); }) {}

PulseStream::~PulseStream() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    worker_.join();
}

void PulseStream::restart() {
    const std::lock_guard lock(mutex_);
    restart_ = true;
}

bool PulseStream::nextStep(bool& fromStart) {
    const std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    fromStart = restart_;
    if (restart_) {
        restart_ = false;
        closeAt_ = now + std::chrono::milliseconds(sound_.durationMs()) + linger_;
    }
    return !quit_ && now < closeAt_;
}

void PulseStream::run() {
    const pa_sample_spec spec{sampleFormat(sound_.format), std::uint32_t(sound_.sampleRate),
                              std::uint8_t(sound_.channels)};
    pa_buffer_attr buffer{};
    buffer.maxlength = std::uint32_t(-1);
    buffer.tlength = bytesFor(sound_, kBufferMs);
    buffer.prebuf = std::uint32_t(-1);
    buffer.minreq = std::uint32_t(-1);
    buffer.fragsize = std::uint32_t(-1);
    int error = 0;
    pa_simple* stream =
        pa_simple_new(nullptr, applicationName_.toUtf8().constData(), PA_STREAM_PLAYBACK, nullptr,
                      "Alarm", &spec, nullptr, &buffer, &error);
    if (stream == nullptr) {
        running_ = false;
        failed_();
        return;
    }
    std::vector<char> chunk(bytesFor(sound_, kChunkMs));
    qsizetype position = 0;
    bool fromStart = false;
    while (nextStep(fromStart)) {
        if (fromStart) {
            position = 0;
            pa_simple_flush(stream, &error);
        }
        const qsizetype taken =
            std::clamp<qsizetype>(sound_.samples.size() - position, 0, qsizetype(chunk.size()));
        std::memcpy(chunk.data(), sound_.samples.constData() + position, size_t(taken));
        std::memset(chunk.data() + taken, 0, chunk.size() - size_t(taken));
        position += taken;
        if (pa_simple_write(stream, chunk.data(), chunk.size(), &error) < 0)
            break;
    }
    pa_simple_free(stream);
    running_ = false;
}

} // namespace dvx
