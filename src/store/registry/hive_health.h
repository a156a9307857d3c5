#pragma once

#include <QString>

namespace dvx {

// What the hive file is like, found without changing it.
struct HiveHealth {
    enum class State {
        ready,     // a hive that may be read and written
        noFileYet, // no hive file yet, and one can be made: a first run
        readOnly,  // a hive that may be read but not written (read-only file or folder)
        unusable,  // a file that cannot serve as the hive (damaged, not a database, another
                   // program's, a newer version's, unreadable, or there is none and none can be
                   // made); it is never written, replaced or deleted
    };
    State state = State::ready;
    // For readOnly and unusable: what is wrong, naming the file.
    QString reason;

    bool usable() const { return state == State::ready || state == State::noFileYet; }
};

} // namespace dvx
