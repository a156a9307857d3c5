#include "platform/sound/stream_sound_player.h"

#include "platform/sound/pulse_stream.h"
#include "platform/sound/sound_file_search.h"

#include <QApplication>
#include <QFile>

namespace dvx {

namespace {

std::optional<WaveSound> readSound(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadWaveSound(file.readAll());
}

} // namespace

StreamSoundPlayer::StreamSoundPlayer(QString fileName, QStringList folders,
                                     std::function<void()> fallback)
    : fileName_(std::move(fileName)), folders_(std::move(folders)),
      fallback_(fallback ? std::move(fallback) : [] { QApplication::beep(); }) {}

StreamSoundPlayer::~StreamSoundPlayer() = default;

void StreamSoundPlayer::play() {
    const QString path =
        FindSoundFile(fileName_, folders_.isEmpty() ? SoundSearchFolders() : folders_);
    if (path.isEmpty() || !useFile(path)) {
        fallback_();
        return;
    }
    if (streaming()) {
        stream_->restart();
        return;
    }
    stream_.reset();
    // Without a sound server the stream fails on its own thread: the beep comes on this one.
    stream_ = std::make_unique<PulseStream>(
        *sound_, QCoreApplication::applicationName(), std::chrono::milliseconds(kLingerMs), [this] {
            QMetaObject::invokeMethod(
                &receiver_, [this] { fallback_(); }, Qt::QueuedConnection);
        });
}

bool StreamSoundPlayer::streaming() const {
    return stream_ != nullptr && stream_->running();
}

// Reads the file when it is not the one read already; false when it cannot be played.
bool StreamSoundPlayer::useFile(const QString& path) {
    if (path != loadedPath_) {
        stream_.reset();
        loadedPath_ = path;
        sound_ = readSound(path);
    }
    return sound_.has_value();
}

} // namespace dvx
