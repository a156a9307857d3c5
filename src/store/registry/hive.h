#pragma once

#include "store/registry/hive_database.h"
#include "store/registry/hive_health.h"
#include "store/registry/key_path.h"
#include "store/registry/reg_value.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace dvx {

// The hive: a tree of keys, each holding named DWORD and string values, kept in one SQLite
// file. Key paths are "\"-separated and relative to the root (HKEY_LOCAL_MACHINE); key and
// value names are compared without regard to case and keep the case they were created with.
// Subkeys come in ascending order of their names, case ignored.
//
// Every call stands on its own: it succeeds or fails as a whole, a change is on disk when the
// call returns, and a failure leaves the hive as it was; inside a Transaction the changes land
// together when it commits. A failed call returns false (or Lookup::failed) and leaves the
// reason in lastError(). The hive holds nothing beyond the limits of reg_limits.h.
// One subkey's stored name with its values in the order they were created.
struct SubKeyValues {
    QString name;
    QList<NamedRegValue> values;
};

class Hive {
public:
    enum class Lookup { found, noKey, noValue, failed };

    explicit Hive(QString file);
    // A hive that is only read, by one connection that never writes a byte of it (it may run
    // while the program writes the same hive): every write fails.
    struct ReadOnly {};
    Hive(QString file, ReadOnly);

    const QString& file() const { return db_.file(); }
    const QString& lastError() const { return db_.lastError(); }
    // Whether the last failure was only another process holding the hive beyond the wait
    // (then the same call is likely to succeed a little later).
    bool lastFailureWasBusy() const { return db_.busy(); }
    // How long a call waits while another process holds the hive (10 s unless set) before it
    // fails with "database is locked". A program whose window must not freeze waits briefly
    // and tries again later.
    void setBusyWait(std::chrono::milliseconds wait) { db_.setBusyWait(wait); }
    // Closes the connection; the next call opens the file again.
    void close() { db_.close(); }
    // A seam for tests of what a crash leaves: `hook` is called after each change made through
    // this hive (each write call that succeeded, and each commit of a transaction), when the
    // change has reached the file. An empty hook turns it off.
    void setChangeHook(std::function<void()> hook) { changeHook_ = std::move(hook); }

    // Whether the file is a hive that can be used, none yet (a first run), or one that cannot
    // be used and why. Looks at the file without writing, replacing or deleting it.
    HiveHealth health();

    [[nodiscard]] bool keyExists(const QString& key);
    [[nodiscard]] Lookup readValue(const QString& key, const QString& name, RegValue& value);
    // Writes the value, creating the key and its missing parents.
    [[nodiscard]] bool writeValue(const QString& key, const QString& name, const RegValue& value);
    // Writes the value only if the key exists; creates no key.
    [[nodiscard]] bool writeValueIfKeyExists(const QString& key, const QString& name,
                                             const RegValue& value);
    // Creates the key and its missing parents; an existing key is left as it is.
    [[nodiscard]] bool ensureKey(const QString& key);
    [[nodiscard]] bool listSubKeys(const QString& key, QStringList& names);
    // How many direct subkeys the key has, without reading them.
    [[nodiscard]] bool countSubKeys(const QString& key, qsizetype& count);
    [[nodiscard]] bool listValues(const QString& key, QList<NamedRegValue>& values);
    // Every direct subkey of the key in the order listSubKeys gives, each with its values, all
    // read from one state of the hive.
    [[nodiscard]] bool readSubKeyValues(const QString& key, QList<SubKeyValues>& subKeys);
    // The same, one subkey at a time as it is read: a long list is never held whole. What
    // `visit` is given lasts only for the call.
    using SubKeyVisitor = std::function<void(const SubKeyValues&)>;
    [[nodiscard]] bool visitSubKeyValues(const QString& key, const SubKeyVisitor& visit);
    // The state of the key, its subkeys and its values now, as far as telling it from another
    // goes: two equal stamps mean that nothing there changed in between, through this hive or
    // any other connection (whose every change counts). None when the hive cannot be read or
    // cannot tell.
    std::optional<HiveStamp> stamp(const QString& key);
    // Deletes the key with all its subkeys and values; the root cannot be deleted.
    [[nodiscard]] bool deleteKey(const QString& key);
    // Deletes the value; a missing key or value is a failure.
    [[nodiscard]] bool deleteValue(const QString& key, const QString& name);
    // Deletes the value when it is there; a missing key or value is no failure.
    [[nodiscard]] bool deleteValueIfPresent(const QString& key, const QString& name);
    // The key's path with each name in its stored case.
    [[nodiscard]] bool storedPath(const QString& key, QString& path);

    // Calls visit for the key and every key below it, parents before children and subkeys in
    // their order, with the stored path (relative to the root) and the values. All of it is
    // read from one state of the hive.
    using KeyVisitor = std::function<void(const QString& path, const QList<NamedRegValue>&)>;
    [[nodiscard]] bool visitTree(const QString& key, const KeyVisitor& visit);

    // Changes made through this hive while a transaction is open take effect together when it
    // commits, or not at all: when any of them failed, the commit fails and undoes them all.
    // Calls inside it see its changes; the changes are on disk when the outermost commit
    // returns. A transaction opened inside another joins it.
    class Transaction {
    public:
        explicit Transaction(Hive& hive);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        bool begun() const { return transaction_ && transaction_->begun(); }
        [[nodiscard]] bool commit();

    private:
        Hive& hive_;
        std::unique_ptr<HiveTransaction> transaction_;
        bool committed_ = false;
    };

private:
    // Opens the file for the call; inside a transaction that has failed, refuses.
    bool ready(HiveDatabase::Access access);
    // Passes a write's result on, after noting a failure for the open transaction, counting
    // the change for the watched keys it may touch and telling the change hook of a success.
    // A change reaches the key alone (its values, or the key made) or its whole subtree.
    enum class Reach { key, subtree };
    bool changed(bool ok, const QString& key, Reach reach = Reach::key);
    [[nodiscard]] bool ensureKeyExists(const QString& key);
    [[nodiscard]] bool deleteKeyTree(const QString& key);
    bool deleteOneValue(const QString& key, const QString& name, bool missingIsFailure);
    std::optional<KeyPath> parsePath(const QString& key);
    std::optional<std::int64_t> findKey(const KeyPath& path);
    std::optional<std::int64_t> createKey(const KeyPath& path);
    std::optional<std::int64_t> resolveKey(const QString& key, bool create);
    std::optional<std::int64_t> nextValueSeq(std::int64_t keyId);
    bool upsertValue(std::int64_t keyId, const QString& name, const RegValue& value);
    bool readValues(std::int64_t keyId, QList<NamedRegValue>& values);
    bool readSubKeys(std::int64_t keyId, QList<std::pair<std::int64_t, QString>>& subKeys);
    bool readSubKeyRows(std::int64_t keyId, const SubKeyVisitor& visit);
    bool visitFrom(std::int64_t keyId, QString path, const KeyVisitor& visit);
    // What a write call did: a value set to what it already holds is left as it is, so that
    // nothing is written or synced for it.
    enum class WriteOutcome { failed, unchanged, written };
    WriteOutcome writeToKey(const QString& key, const QString& name, const RegValue& value,
                            bool create);
    // Whether the key holds the value under the name, with the same type and the same bytes.
    bool holdsValue(const QString& key, const QString& name, const RegValue& value);
    // Passes a write call's outcome on; a value left as it was is no change.
    bool wrote(WriteOutcome outcome, const QString& key);

    HiveDatabase db_;
    std::function<void()> changeHook_;
    int openTransactions_ = 0;
    bool transactionFailed_ = false;
    // Set by the last look-up of a key that found no such key.
    bool keyMissing_ = false;
    // The keys whose stamps were asked for, folded, each with the count of the writes through
    // this hive that may have changed it.
    struct Watch {
        QString folded;
        std::int64_t changes = 0;
    };
    std::vector<Watch> watches_;
};

} // namespace dvx
