#include "platform/sound/stream_sound_player.h"

#include "platform/sound/sound_file_search.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <cstring>
#include <limits>

namespace dvx {

namespace {

// Short enough that a restart is heard at once, long enough not to stutter.
constexpr int kBufferMs = 60;

QAudioFormat::SampleFormat qtSampleFormat(WaveSound::SampleFormat format) {
    switch (format) {
    case WaveSound::SampleFormat::uint8:
        return QAudioFormat::UInt8;
    case WaveSound::SampleFormat::int32:
        return QAudioFormat::Int32;
    case WaveSound::SampleFormat::float32:
        return QAudioFormat::Float;
    default:
        return QAudioFormat::Int16;
    }
}

QAudioFormat audioFormat(const WaveSound& sound) {
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(qtSampleFormat(sound.format));
    return format;
}

std::optional<WaveSound> readSound(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadWaveSound(file.readAll());
}

} // namespace

RestartingSound::RestartingSound(QByteArray samples, QObject* parent)
    : QIODevice(parent), samples_(std::move(samples)) {
    open(QIODevice::ReadOnly);
}

void RestartingSound::restart() {
    position_ = 0;
}

qint64 RestartingSound::bytesAvailable() const {
    return std::numeric_limits<qint32>::max();
}

// The samples from where they stand, then silence for as long as the stream asks.
qint64 RestartingSound::readData(char* data, qint64 maxSize) {
    const qint64 fromSamples = qMin<qint64>(maxSize, samples_.size() - position_);
    if (fromSamples > 0) {
        std::memcpy(data, samples_.constData() + position_, size_t(fromSamples));
        position_ += fromSamples;
    }
    const qint64 silence = maxSize - qMax<qint64>(fromSamples, 0);
    std::memset(data + (maxSize - silence), 0, size_t(silence));
    return maxSize;
}

StreamSoundPlayer::StreamSoundPlayer(QString fileName, QStringList folders,
                                     std::function<void()> fallback)
    : fileName_(std::move(fileName)), folders_(std::move(folders)),
      fallback_(fallback ? std::move(fallback) : [] { QApplication::beep(); }) {
    closing_.setSingleShot(true);
    QObject::connect(&closing_, &QTimer::timeout, &closing_, [this] { closeStream(); });
}

StreamSoundPlayer::~StreamSoundPlayer() {
    closeStream();
}

void StreamSoundPlayer::play() {
    const QString path =
        FindSoundFile(fileName_, folders_.isEmpty() ? SoundSearchFolders() : folders_);
    if (path.isEmpty() || !useFile(path) || !startStream()) {
        fallback_();
        return;
    }
    source_->restart();
    closing_.start(int(qMin<qint64>(sound_->durationMs(), 60000)) + kLingerMs);
}

bool StreamSoundPlayer::streaming() const {
    return sink_ != nullptr;
}

// Reads the file when it is not the one read already; false when it cannot be played.
bool StreamSoundPlayer::useFile(const QString& path) {
    if (path != loadedPath_) {
        closeStream();
        loadedPath_ = path;
        sound_ = readSound(path);
    }
    return sound_.has_value();
}

// Opens the stream unless it is open; false when there is nothing to play it on.
bool StreamSoundPlayer::startStream() {
    // A stream that ran short of samples for a moment (the program was busy) plays on.
    if (sink_ && sink_->state() != QAudio::StoppedState)
        return true;
    closeStream();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = audioFormat(*sound_);
    if (output.isNull() || !output.isFormatSupported(format))
        return false;
    source_ = std::make_unique<RestartingSound>(sound_->samples);
    sink_ = std::make_unique<QAudioSink>(output, format);
    sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
    sink_->start(source_.get());
    if (sink_->state() == QAudio::StoppedState) {
        closeStream();
        return false;
    }
    return true;
}

void StreamSoundPlayer::closeStream() {
    closing_.stop();
    if (sink_)
        sink_->stop();
    sink_.reset();
    source_.reset();
}

} // namespace dvx
