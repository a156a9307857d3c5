#include "platform/sound/module_sound_player.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>

namespace dvx {

QStringList SoundModuleFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder,
            QDir::cleanPath(programFolder + QStringLiteral("/../" DORVANTIX_MODULE_DIR))};
}

ModuleSoundPlayer::ModuleSoundPlayer(QString fileName, QStringList moduleFolders,
                                     std::function<void()> fallback)
    : fileName_(std::move(fileName)), moduleFolders_(std::move(moduleFolders)),
      fallback_(fallback ? std::move(fallback) : [] { QApplication::beep(); }) {}

// The module stays loaded for the rest of the run: its player lives as long as this one.
ModuleSoundPlayer::~ModuleSoundPlayer() = default;

void ModuleSoundPlayer::play() {
    if (!tried_)
        load();
    if (player_)
        player_->play();
    else
        fallback_();
}

void ModuleSoundPlayer::load() {
    tried_ = true;
    for (const QString& folder : moduleFolders_.isEmpty() ? SoundModuleFolders() : moduleFolders_) {
        QLibrary module(QDir(folder).filePath(QStringLiteral(DORVANTIX_SOUND_MODULE)));
        const auto make = reinterpret_cast<SoundModuleMaker>(module.resolve(kSoundModuleMaker));
        if (make != nullptr) {
            player_.reset(make(fileName_, fallback_));
            return;
        }
    }
}

} // namespace dvx
