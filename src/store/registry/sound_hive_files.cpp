#include "store/registry/sound_hive_files.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <sys/stat.h>

namespace dvx {

namespace {

struct SoundFiles {
    std::mutex mutex;
    QList<HiveFileState> states;
    QList<HiveFileState> checking;
    std::condition_variable checked;
};

SoundFiles& Sound() {
    static SoundFiles files;
    return files;
}

} // namespace

std::optional<HiveFileState> StateOfHiveFile(const QByteArray& file) {
    struct stat info {};
    if (::stat(file.constData(), &info) != 0)
        return std::nullopt;
    return HiveFileState{info.st_dev, info.st_ino, info.st_size,
                         std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

bool KnownSound(const HiveFileState& state) {
    SoundFiles& files = Sound();
    const std::lock_guard lock(files.mutex);
    return files.states.contains(state);
}

void RememberSound(const HiveFileState& state) {
    SoundFiles& files = Sound();
    const std::lock_guard lock(files.mutex);
    files.states.removeIf([&state](const HiveFileState& known) {
        return known.device == state.device && known.inode == state.inode;
    });
    files.states.append(state);
}

void CheckBegins(const HiveFileState& state) {
    SoundFiles& files = Sound();
    const std::lock_guard lock(files.mutex);
    files.checking.append(state);
}

void CheckEnds(const HiveFileState& state) {
    SoundFiles& files = Sound();
    {
        const std::lock_guard lock(files.mutex);
        files.checking.removeOne(state);
    }
    files.checked.notify_all();
}

bool WaitForCheckOf(const HiveFileState& state, std::chrono::milliseconds patience) {
    SoundFiles& files = Sound();
    std::unique_lock lock(files.mutex);
    return files.checked.wait_for(lock, patience,
                                  [&files, &state] { return !files.checking.contains(state); });
}

bool HiveCheckWanted(const QString& file) {
    const std::optional<HiveFileState> state = StateOfHiveFile(QFile::encodeName(file));
    return state && !KnownSound(*state);
}

} // namespace dvx
