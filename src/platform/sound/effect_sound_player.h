#pragma once

#include "platform/sound/sound_player.h"

#include <QSoundEffect>
#include <QString>
#include <QStringList>
#include <functional>

namespace dvx {

// Plays a wave file, named without a folder, through Qt Multimedia. The file is looked for
// anew at every play; when it is missing or cannot be played, or no sound output exists, the
// fallback (the desktop's beep) is heard instead.
class EffectSoundPlayer : public SoundPlayer {
public:
    explicit EffectSoundPlayer(QString fileName, QStringList folders = {},
                               std::function<void()> fallback = {});

    void play() override;

private:
    void onStatusChanged();
    bool useFile(const QString& path);

    QString fileName_;
    QStringList folders_; // empty: the usual search folders
    std::function<void()> fallback_;
    QSoundEffect effect_;
    QString loadedPath_;
    bool playWhenLoaded_ = false;
};

} // namespace dvx
