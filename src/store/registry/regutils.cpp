#include "store/registry/regutils.h"

#include "store/registry/hive.h"

namespace dvx {

namespace {

// The common part of the two reads: a stored value of the wrong type, and a missing one when
// it should be created, become the type's empty value (0 or "").
bool ReadRegValue(Hive& hive, const QString& key, const QString& name, RegValue& value,
                  const RegValue& emptyValue, bool createIfMissing) {
    RegValue stored;
    switch (hive.readValue(key, name, stored)) {
    case Hive::Lookup::found:
        if (stored.type == emptyValue.type) {
            value = stored;
            return false;
        }
        break;
    case Hive::Lookup::noValue:
        if (createIfMissing) {
            break;
        }
        return true;
    case Hive::Lookup::noKey:
    case Hive::Lookup::failed:
        return true;
    }
    value = emptyValue;
    return !hive.writeValueIfKeyExists(key, name, emptyValue);
}

} // namespace

bool Registry::ReadRegInteger(const QString& key, const QString& name, std::int32_t& value,
                              bool createIfMissing) const {
    RegValue read{RegValue::Type::other, 0, {}};
    const bool failed = ReadRegValue(hive_, key, name, read, RegValue::ofDword(0), createIfMissing);
    if (read.isDword()) {
        value = read.dword;
    }
    return failed;
}

bool Registry::ReadRegString(const QString& key, const QString& name, QString& value,
                             bool createIfMissing) const {
    RegValue read{RegValue::Type::other, 0, {}};
    const bool failed =
        ReadRegValue(hive_, key, name, read, RegValue::ofString({}), createIfMissing);
    if (read.type == RegValue::Type::string) {
        value = read.text;
    }
    return failed;
}

bool Registry::WriteRegInteger(const QString& key, const QString& name, std::int32_t value) const {
    return !hive_.writeValue(key, name, RegValue::ofDword(value));
}

bool Registry::WriteRegString(const QString& key, const QString& name, const QString& value) const {
    return !hive_.writeValue(key, name, RegValue::ofString(value));
}

bool Registry::ListRegSubKeys(const QString& key, QStringList& names) const {
    return !hive_.listSubKeys(key, names);
}

bool Registry::DeleteRegKey(const QString& key) const {
    return !hive_.deleteKey(key);
}

bool Registry::DeleteRegValue(const QString& key, const QString& name) const {
    return !hive_.deleteValue(key, name);
}

bool Registry::EnsureRegKey(const QString& key) const {
    return !hive_.ensureKey(key);
}

StoreResult Registry::WriteRegTogether(const std::function<void()>& writes) const {
    Hive::Transaction transaction(hive_);
    if (!transaction.begun()) {
        return StoreResult::of(hive_, true);
    }
    writes();
    return StoreResult::of(hive_, !transaction.commit());
}

} // namespace dvx
