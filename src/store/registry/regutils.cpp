#include "store/registry/regutils.h"

#include "store/registry/process_hive.h"

namespace dvx {

namespace {

// The common part of the two reads: a stored value of the wrong type, and a missing one when
// it should be created, become the type's empty value (0 or "").
bool ReadRegValue(const QString& key, const QString& name, RegValue& value,
                  const RegValue& emptyValue, bool createIfMissing) {
    Hive& hive = ProcessHive();
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

bool ReadRegInteger(const QString& key, const QString& name, std::int32_t& value,
                    bool createIfMissing) {
    RegValue read{RegValue::Type::other, 0, {}};
    const bool failed = ReadRegValue(key, name, read, RegValue::ofDword(0), createIfMissing);
    if (read.isDword()) {
        value = read.dword;
    }
    return failed;
}

bool ReadRegString(const QString& key, const QString& name, QString& value, bool createIfMissing) {
    RegValue read{RegValue::Type::other, 0, {}};
    const bool failed = ReadRegValue(key, name, read, RegValue::ofString({}), createIfMissing);
    if (read.type == RegValue::Type::string) {
        value = read.text;
    }
    return failed;
}

bool WriteRegInteger(const QString& key, const QString& name, std::int32_t value) {
    return !ProcessHive().writeValue(key, name, RegValue::ofDword(value));
}

bool WriteRegString(const QString& key, const QString& name, const QString& value) {
    return !ProcessHive().writeValue(key, name, RegValue::ofString(value));
}

bool ListRegSubKeys(const QString& key, QStringList& names) {
    return !ProcessHive().listSubKeys(key, names);
}

bool DeleteRegKey(const QString& key) {
    return !ProcessHive().deleteKey(key);
}

bool DeleteRegValue(const QString& key, const QString& name) {
    return !ProcessHive().deleteValue(key, name);
}

bool EnsureRegKey(const QString& key) {
    return !ProcessHive().ensureKey(key);
}

bool WriteRegTogether(const std::function<void()>& writes) {
    Hive::Transaction transaction(ProcessHive());
    if (!transaction.begun()) {
        return true;
    }
    writes();
    return !transaction.commit();
}

} // namespace dvx
