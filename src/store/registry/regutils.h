#pragma once

#include "store/registry/store_result.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace dvx {

class Hive;

// The registry functions through which every part of the program reads and writes its store,
// acting on the hive they are given. Key paths are relative to HKEY_LOCAL_MACHINE, with "\"
// between key names, for example "Software\\Ostravane\\Dorvantix\\Alarms". Each function is one
// complete access of its own and returns true when it FAILED; failures are silent: a failed
// read leaves its variable unchanged, a failed write is lost. A write is on disk when the
// function returns.
class Registry {
public:
    explicit Registry(Hive& hive) : hive_(hive) {}

    // The hive the functions act on.
    Hive& hive() const { return hive_; }

    // Reads a DWORD value. A key that does not exist: fails, variable unchanged, nothing
    // created. A value of another type: the variable becomes 0 and the value is replaced by
    // DWORD 0. A missing value: with createIfMissing the variable becomes 0 and DWORD 0 is
    // written; without it, fails with the variable unchanged.
    bool ReadRegInteger(const QString& key, const QString& name, std::int32_t& value,
                        bool createIfMissing) const;
    // The same for a string value (replaced by, or created as, an empty string). The text read
    // ends at its first NUL character.
    bool ReadRegString(const QString& key, const QString& name, QString& value,
                       bool createIfMissing) const;
    // Writes a DWORD value, creating the key and any missing parent keys.
    bool WriteRegInteger(const QString& key, const QString& name, std::int32_t value) const;
    // Writes a string value, creating the key and any missing parent keys.
    bool WriteRegString(const QString& key, const QString& name, const QString& value) const;
    // Clears names, then fills it with the names of the key's direct subkeys in ascending
    // order, case ignored. A missing key leaves the list empty.
    bool ListRegSubKeys(const QString& key, QStringList& names) const;
    // Deletes the key with all its subkeys and values.
    bool DeleteRegKey(const QString& key) const;
    // Deletes one value of an existing key; a missing value is a failure.
    bool DeleteRegValue(const QString& key, const QString& name) const;
    // Creates the key (and missing parents) unless it exists.
    bool EnsureRegKey(const QString& key) const;

    // Runs `writes`, calls of the functions above, as one change of the store: each call in it
    // sees the store as the calls before it left it, and when this returns either every write
    // of it is on disk or, when any of them failed (or the store could not be locked for
    // writing), none is. Reads and writes of other processes wait meanwhile, so keep it to a few
    // writes; never ask the user anything inside it.
    StoreResult WriteRegTogether(const std::function<void()>& writes) const;

private:
    Hive& hive_;
};

} // namespace dvx
