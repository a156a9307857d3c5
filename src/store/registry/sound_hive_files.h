#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <sys/types.h>

namespace dvx {

// A hive file as it stands: which file it is, its size and the moment it was last written.
struct HiveFileState {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const HiveFileState&) const = default;
};

// The state of the file now; none when it cannot be looked at.
std::optional<HiveFileState> StateOfHiveFile(const QByteArray& file);

// The states of hive files that this process found sound, by the database's check or by writing
// them itself through the database since: a connection that opens such a file as it still stands
// need not check every page of it again, which for a long log takes a second. One state is kept
// per file; any thread may ask.
bool KnownSound(const HiveFileState& state);
void RememberSound(const HiveFileState& state);

// A check of a file in that state runs on some thread: another that would check the same waits
// for its verdict instead (KnownSound then tells), rather than read every page a second time;
// false when the check goes on beyond `patience`.
void CheckBegins(const HiveFileState& state);
void CheckEnds(const HiveFileState& state);
bool WaitForCheckOf(const HiveFileState& state, std::chrono::milliseconds patience);

// Whether a connection that opens the hive file now would check it page by page: it is there,
// and not known sound as it stands.
bool HiveCheckWanted(const QString& file);

} // namespace dvx
