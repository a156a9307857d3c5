#include "platform/sound/effect_sound_player.h"

#include "platform/sound/sound_file_search.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QUrl>

namespace dvx {

EffectSoundPlayer::EffectSoundPlayer(QString fileName, QStringList folders,
                                     std::function<void()> fallback)
    : fileName_(std::move(fileName)), folders_(std::move(folders)),
      fallback_(fallback ? std::move(fallback) : [] { QApplication::beep(); }) {
    QObject::connect(&effect_, &QSoundEffect::statusChanged, &effect_,
                     [this] { onStatusChanged(); });
}

void EffectSoundPlayer::play() {
    const QString path =
        FindSoundFile(fileName_, folders_.isEmpty() ? SoundSearchFolders() : folders_);
    if (path.isEmpty() || QMediaDevices::audioOutputs().isEmpty() || !useFile(path)) {
        playWhenLoaded_ = false;
        fallback_();
        return;
    }
    if (effect_.status() != QSoundEffect::Ready) {
        playWhenLoaded_ = true; // heard as soon as the file has been read
        return;
    }
    effect_.stop();
    effect_.play();
}

// Loads the file when it is not the one loaded already; false when it is known to be unplayable.
bool EffectSoundPlayer::useFile(const QString& path) {
    if (path != loadedPath_) {
        loadedPath_ = path;
        effect_.setSource(QUrl::fromLocalFile(path));
    }
    return effect_.status() != QSoundEffect::Error;
}

void EffectSoundPlayer::onStatusChanged() {
    if (!playWhenLoaded_)
        return;
    if (effect_.status() == QSoundEffect::Ready) {
        playWhenLoaded_ = false;
        effect_.play();
    } else if (effect_.status() == QSoundEffect::Error) {
        playWhenLoaded_ = false;
        fallback_();
    }
}

} // namespace dvx
