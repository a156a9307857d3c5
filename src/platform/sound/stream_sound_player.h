#pragma once

#include "platform/sound/sound_player.h"
#include "platform/sound/wave_file.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QAudioSink;

namespace dvx {

// The sound's samples, read from their start again at every restart, and silence after them:
// the stream stays open between the plays of an alarm instead of ending after each.
class RestartingSound : public QIODevice {
public:
    explicit RestartingSound(QByteArray samples, QObject* parent = nullptr);
    void restart();
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray samples_;
    qsizetype position_ = 0;
};

// Plays a wave file, named without a folder, through Qt Multimedia as one sound stream per
// alarm: the first play opens the stream, every play starts the sound from its beginning on it,
// and the stream closes a while after the last sound ended. The file is looked for anew at
// every play; when it is missing or cannot be played, or no sound output exists, the fallback
// (the desktop's beep) is heard instead.
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
    bool startStream();
    void closeStream();

    QString fileName_;
    QStringList folders_; // empty: the usual search folders
    std::function<void()> fallback_;
    QString loadedPath_;
    std::optional<WaveSound> sound_;
    std::unique_ptr<RestartingSound> source_;
    std::unique_ptr<QAudioSink> sink_;
    QTimer closing_;
};

} // namespace dvx
