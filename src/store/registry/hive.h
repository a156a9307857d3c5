#pragma once

#include "store/registry/hive_database.h"
#include "store/registry/key_path.h"
#include "store/registry/reg_value.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace dvx {

// The hive: a tree of keys, each holding named DWORD and string values, kept in one SQLite
// file. Key paths are "\"-separated and relative to the root (HKEY_LOCAL_MACHINE); key and
// value names are compared without regard to case and keep the case they were created with.
// Subkeys come in ascending order of their names, case ignored.
//
// Every call stands on its own: it succeeds or fails as a whole, a change is on disk when the
// call returns, and a failure leaves the hive as it was. A failed call returns false (or
// Lookup::failed) and leaves the reason in lastError().
class Hive {
public:
    enum class Lookup { found, noKey, noValue, failed };

    explicit Hive(QString file);

    const QString& file() const { return db_.file(); }
    const QString& lastError() const { return db_.lastError(); }
    // Closes the connection; the next call opens the file again.
    void close() { db_.close(); }

    bool keyExists(const QString& key);
    Lookup readValue(const QString& key, const QString& name, RegValue& value);
    // Writes the value, creating the key and its missing parents.
    bool writeValue(const QString& key, const QString& name, const RegValue& value);
    // Writes the value only if the key exists; creates no key.
    bool writeValueIfKeyExists(const QString& key, const QString& name, const RegValue& value);
    // Creates the key and its missing parents; an existing key is left as it is.
    bool ensureKey(const QString& key);
    bool listSubKeys(const QString& key, QStringList& names);
    bool listValues(const QString& key, QList<NamedRegValue>& values);
    // Deletes the key with all its subkeys and values; the root cannot be deleted.
    bool deleteKey(const QString& key);
    // Deletes the value; a missing key or value is a failure.
    bool deleteValue(const QString& key, const QString& name);
    // The key's path with each name in its stored case.
    bool storedPath(const QString& key, QString& path);

    // Calls visit for the key and every key below it, parents before children and subkeys in
    // their order, with the stored path (relative to the root) and the values. All of it is
    // read from one state of the hive.
    using KeyVisitor = std::function<void(const QString& path, const QList<NamedRegValue>&)>;
    bool visitTree(const QString& key, const KeyVisitor& visit);

    // Changes made through this hive while a transaction is open take effect together when it
    // commits, or not at all.
    class Transaction {
    public:
        explicit Transaction(Hive& hive);
        bool begun() const { return transaction_ && transaction_->begun(); }
        bool commit() { return begun() && transaction_->commit(); }

    private:
        std::unique_ptr<HiveTransaction> transaction_;
    };

private:
    std::optional<KeyPath> parsePath(const QString& key);
    std::optional<std::int64_t> findKey(const KeyPath& path);
    std::optional<std::int64_t> createKey(const KeyPath& path);
    bool upsertValue(std::int64_t keyId, const QString& name, const RegValue& value);
    bool readValues(std::int64_t keyId, QList<NamedRegValue>& values);
    bool readSubKeys(std::int64_t keyId, QList<std::pair<std::int64_t, QString>>& subKeys);
    bool visitFrom(std::int64_t keyId, const QString& path, const KeyVisitor& visit);
    bool writeToKey(const QString& key, const QString& name, const RegValue& value, bool create);

    HiveDatabase db_;
};

} // namespace dvx
