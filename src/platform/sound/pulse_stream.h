#pragma once

#include "platform/sound/wave_file.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace dvx {

// One playback stream on the sound server (PulseAudio, or PipeWire's pulse server), fed from a
// thread of its own so that the user interface never waits for it. The stream opens with the
// sound playing from its beginning; restart() starts it from its beginning again at once,
// dropping what was still to be heard. Between sounds the stream plays silence, and it closes
// when `linger` has passed after the last sound ended. The server knows the stream by the
// application's name and calls it "Alarm".
class PulseStream {
public:
    // `failed` is called, on the stream's own thread, when no stream could be opened.
    PulseStream(WaveSound sound, QString applicationName, std::chrono::milliseconds linger,
                std::function<void()> failed);
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    void restart();
    // False once the stream has closed, or could not be opened.
    bool running() const { return running_; }

private:
    void run();
    // Whether to go on; sets `fromStart` when the sound is to start again.
    bool nextStep(bool& fromStart);

    const WaveSound sound_;
    const QString applicationName_;
    const std::chrono::milliseconds linger_;
    const std::function<void()> failed_;
    std::mutex mutex_;
    bool restart_ = true;
    bool quit_ = false;
    std::chrono::steady_clock::time_point closeAt_;
    std::atomic<bool> running_{true};
    std::thread worker_;
};

} // namespace dvx
