#include "store/registry/hive.h"

#include "store/registry/reg_limits.h"

#include <limits>
#include <sqlite3.h>
#include <vector>

namespace dvx {

namespace {

using Access = HiveDatabase::Access;

// The root key, made with the hive.
constexpr std::int64_t kRootKeyId = 1;

// The value held by a row's type and data columns. A string ends at its first NUL.
RegValue DecodeValue(const SqliteStatement& row, int typeColumn) {
    const std::int64_t type = row.integer(typeColumn);
    const int dataColumn = typeColumn + 1;
    if (type == static_cast<int>(RegValue::Type::dword) && row.isInteger(dataColumn)) {
        const std::int64_t data = row.integer(dataColumn);
        if (data >= std::numeric_limits<std::int32_t>::min() &&
            data <= std::numeric_limits<std::int32_t>::max()) {
            return RegValue::ofDword(static_cast<std::int32_t>(data));
        }
    }
    if (type == static_cast<int>(RegValue::Type::string) && !row.isInteger(dataColumn)) {
        QString text = row.text(dataColumn);
        const qsizetype nul = text.indexOf(QChar(0));
        return RegValue::ofString(nul < 0 ? text : text.left(nul));
    }
    return RegValue{RegValue::Type::other, 0, {}};
}

} // namespace

Hive::Hive(QString file) : db_(std::move(file)) {}

Hive::Hive(QString file, ReadOnly) : db_(std::move(file), HiveDatabase::Mode::readOnly) {}

namespace {

// Whether the folded key path `lower` is `upper` or lies below it (the root is above all).
bool atOrBelow(const QString& lower, const QString& upper) {
    return upper.isEmpty() || lower == upper ||
           (lower.startsWith(upper) && lower.at(upper.size()) == QLatin1Char('\\'));
}

} // namespace

std::optional<KeyPath> Hive::parsePath(const QString& key) {
    std::optional<KeyPath> path = KeyPath::parse(key);
    if (!path) {
        db_.setError(QStringLiteral("\"%1\" is not a valid key path: %2")
                         .arg(Excerpt(key), KeyPathProblem(key)));
    }
    return path;
}

std::optional<std::int64_t> Hive::findKey(const KeyPath& path) {
    SqliteStatement find = db_.statement(HiveSql::findKey);
    find.bind(1, path.folded);
    const int result = find.step();
    if (result == SQLITE_ROW) {
        return find.integer(0);
    }
    if (result == SQLITE_DONE) {
        db_.setError(QStringLiteral("the key \"%1\" does not exist").arg(path.text));
        keyMissing_ = true;
    } else {
        db_.takeSqliteError();
    }
    return std::nullopt;
}

// Inside a write transaction: finds the key or creates it after its parents, walking down from
// the root one name at a time, so that a deep path costs no copies of all its parents.
std::optional<std::int64_t> Hive::createKey(const KeyPath& path) {
    if (std::optional<std::int64_t> id = findKey(path)) {
        return id;
    }
    std::int64_t id = kRootKeyId;
    for (qsizetype start = 0; start < path.text.size();) {
        qsizetype stop = path.text.indexOf(QLatin1Char('\\'), start);
        stop = stop < 0 ? path.text.size() : stop;
        const QString name = path.text.mid(start, stop - start);
        const QString folded = path.folded.mid(start, stop - start);
        SqliteStatement child = db_.statement(HiveSql::findChild);
        child.bind(1, id).bind(2, folded);
        const int found = child.step();
        if (found == SQLITE_ROW) {
            id = child.integer(0);
        } else if (found != SQLITE_DONE) {
            db_.takeSqliteError();
            return std::nullopt;
        } else {
            SqliteStatement insert = db_.statement(HiveSql::insertKey);
            insert.bind(1, id).bind(2, name).bind(3, folded).bind(4, path.folded.left(stop));
            if (!insert.run()) {
                db_.takeSqliteError();
                return std::nullopt;
            }
            id = db_.lastInsertId();
        }
        start = stop + 1;
    }
    return id;
}

// The key's id, from the key last used when it is the same path again inside one write
// transaction: the many values of one key in an imported file look their key up once.
std::optional<std::int64_t> Hive::resolveKey(const QString& key, bool create) {
    HiveDatabase::RecentKey& recent = db_.recentKey();
    if (recent.id != 0 && key.size() == recent.path.size() &&
        (key.constData() == recent.path.constData() || key == recent.path)) {
        return recent.id;
    }
    const std::optional<KeyPath> path = parsePath(key);
    const std::optional<std::int64_t> id = !path    ? std::nullopt
                                           : create ? createKey(*path)
                                                    : findKey(*path);
    if (id) {
        recent = {key, *id};
    }
    return id;
}

// Inside a write transaction: the place a new value of the key takes in its order.
std::optional<std::int64_t> Hive::nextValueSeq(std::int64_t keyId) {
    auto& known = db_.nextValueSeq();
    if (const auto found = known.find(keyId); found != known.end()) {
        return found->second++;
    }
    SqliteStatement count = db_.statement(HiveSql::nextValueSeq);
    count.bind(1, keyId);
    if (count.step() != SQLITE_ROW) {
        db_.takeSqliteError();
        return std::nullopt;
    }
    const std::int64_t next = count.integer(0);
    known.emplace(keyId, next + 1);
    return next;
}

bool Hive::upsertValue(std::int64_t keyId, const QString& name, const RegValue& value) {
    // A value that exists keeps its place; the place taken for it here is simply not used.
    const std::optional<std::int64_t> seq = nextValueSeq(keyId);
    if (!seq) {
        return false;
    }
    SqliteStatement upsert = db_.statement(HiveSql::upsertValue);
    upsert.bind(1, keyId).bind(2, name).bind(3, FoldName(name));
    upsert.bind(4, static_cast<std::int64_t>(value.type)).bind(6, *seq);
    if (value.isDword()) {
        upsert.bind(5, static_cast<std::int64_t>(value.dword));
    } else {
        upsert.bind(5, value.text);
    }
    if (!upsert.run()) {
        db_.takeSqliteError();
        return false;
    }
    return true;
}

bool Hive::keyExists(const QString& key) {
    const std::optional<KeyPath> path = parsePath(key);
    return path && ready(Access::read) && findKey(*path).has_value();
}

Hive::Lookup Hive::readValue(const QString& key, const QString& name, RegValue& value) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return Lookup::failed;
    }
    SqliteStatement read = db_.statement(HiveSql::readValue);
    read.bind(1, path->folded).bind(2, FoldName(name));
    const int result = read.step();
    if (result == SQLITE_DONE) {
        db_.setError(QStringLiteral("the key \"%1\" does not exist").arg(key));
        return Lookup::noKey;
    }
    if (result != SQLITE_ROW) {
        db_.takeSqliteError();
        return Lookup::failed;
    }
    if (read.isNull(1)) {
        db_.setError(QStringLiteral("the key \"%1\" has no value \"%2\"").arg(key, name));
        return Lookup::noValue;
    }
    value = DecodeValue(read, 1);
    return Lookup::found;
}

// Reads the stored value as it lies, without decoding it: a string is the same only when its
// bytes are, and a DWORD only when it is stored as the same integer.
bool Hive::holdsValue(const QString& key, const QString& name, const RegValue& value) {
    const std::optional<KeyPath> path = KeyPath::parse(key);
    if (!path) {
        return false;
    }
    SqliteStatement read = db_.statement(HiveSql::readValue);
    read.bind(1, path->folded).bind(2, FoldName(name));
    if (read.step() != SQLITE_ROW || read.isNull(1) ||
        read.integer(1) != static_cast<std::int64_t>(value.type)) {
        return false;
    }
    if (value.isDword()) {
        return read.isInteger(2) && read.integer(2) == value.dword;
    }
    return read.isText(2) && read.utf8(2) == value.text.toUtf8();
}

Hive::WriteOutcome Hive::writeToKey(const QString& key, const QString& name, const RegValue& value,
                                    bool create) {
    if (const QString problem = ValueLimitProblem(name, value); !problem.isEmpty()) {
        db_.setError(problem);
        return WriteOutcome::failed;
    }
    if (!ready(create ? Access::write : Access::read)) {
        return WriteOutcome::failed;
    }
    if (holdsValue(key, name, value)) {
        return WriteOutcome::unchanged;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::write);
    if (!transaction.begun()) {
        return WriteOutcome::failed;
    }
    const std::optional<std::int64_t> keyId = resolveKey(key, create);
    return keyId && upsertValue(*keyId, name, value) && transaction.commit() ? WriteOutcome::written
                                                                             : WriteOutcome::failed;
}

bool Hive::wrote(WriteOutcome outcome, const QString& key) {
    return outcome == WriteOutcome::unchanged || changed(outcome == WriteOutcome::written, key);
}

bool Hive::writeValue(const QString& key, const QString& name, const RegValue& value) {
    return wrote(writeToKey(key, name, value, true), key);
}

bool Hive::writeValueIfKeyExists(const QString& key, const QString& name, const RegValue& value) {
    return wrote(writeToKey(key, name, value, false), key);
}

bool Hive::ensureKey(const QString& key) {
    return changed(ensureKeyExists(key), key);
}

bool Hive::ensureKeyExists(const QString& key) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::write)) {
        return false;
    }
    if (findKey(*path)) {
        return true;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::write);
    return transaction.begun() && createKey(*path) && transaction.commit();
}

bool Hive::readSubKeys(std::int64_t keyId, QList<std::pair<std::int64_t, QString>>& subKeys) {
    SqliteStatement list = db_.statement(HiveSql::listSubKeys);
    list.bind(1, keyId);
    int result = list.step();
    for (; result == SQLITE_ROW; result = list.step()) {
        subKeys.append({list.integer(0), list.text(1)});
    }
    if (result != SQLITE_DONE) {
        db_.takeSqliteError();
        return false;
    }
    return true;
}

bool Hive::listSubKeys(const QString& key, QStringList& names) {
    names.clear();
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    const std::optional<std::int64_t> keyId = transaction.begun() ? findKey(*path) : std::nullopt;
    QList<std::pair<std::int64_t, QString>> subKeys;
    if (!keyId || !readSubKeys(*keyId, subKeys) || !transaction.commit()) {
        return false;
    }
    names.reserve(subKeys.size());
    for (const auto& subKey : subKeys) {
        names.append(subKey.second);
    }
    return true;
}

bool Hive::countSubKeys(const QString& key, qsizetype& count) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    const std::optional<std::int64_t> keyId = transaction.begun() ? findKey(*path) : std::nullopt;
    if (!keyId) {
        return false;
    }
    SqliteStatement counting = db_.statement(HiveSql::countSubKeys);
    counting.bind(1, *keyId);
    if (counting.step() != SQLITE_ROW) {
        db_.takeSqliteError();
        return false;
    }
    count = qsizetype(counting.integer(0));
    return transaction.commit();
}

bool Hive::readValues(std::int64_t keyId, QList<NamedRegValue>& values) {
    SqliteStatement list = db_.statement(HiveSql::listValues);
    list.bind(1, keyId);
    int result = list.step();
    for (; result == SQLITE_ROW; result = list.step()) {
        values.append({list.text(0), DecodeValue(list, 1)});
    }
    if (result != SQLITE_DONE) {
        db_.takeSqliteError();
        return false;
    }
    return true;
}

bool Hive::listValues(const QString& key, QList<NamedRegValue>& values) {
    values.clear();
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    const std::optional<std::int64_t> keyId = transaction.begun() ? findKey(*path) : std::nullopt;
    if (!keyId || !readValues(*keyId, values) || !transaction.commit()) {
        values.clear();
        return false;
    }
    return true;
}

// One row per value, and one for each subkey without values, in the subkeys' order.
bool Hive::readSubKeyRows(std::int64_t keyId, const SubKeyVisitor& visit) {
    SqliteStatement list = db_.statement(HiveSql::listSubKeyValues);
    list.bind(1, keyId);
    std::int64_t currentId = 0;
    bool any = false;
    SubKeyValues subKey;
    int result = list.step();
    for (; result == SQLITE_ROW; result = list.step()) {
        if (!any || list.integer(0) != currentId) {
            if (any) {
                visit(subKey);
            }
            any = true;
            currentId = list.integer(0);
            subKey.name = list.text(1);
            subKey.values.clear();
        }
        if (!list.isNull(2)) {
            subKey.values.append({list.text(2), DecodeValue(list, 3)});
        }
    }
    if (result != SQLITE_DONE) {
        db_.takeSqliteError();
        return false;
    }
    if (any) {
        visit(subKey);
    }
    return true;
}

bool Hive::readSubKeyValues(const QString& key, QList<SubKeyValues>& subKeys) {
    subKeys.clear();
    if (!visitSubKeyValues(key,
                           [&subKeys](const SubKeyValues& subKey) { subKeys.append(subKey); })) {
        subKeys.clear();
        return false;
    }
    return true;
}

bool Hive::visitSubKeyValues(const QString& key, const SubKeyVisitor& visit) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    const std::optional<std::int64_t> keyId = transaction.begun() ? findKey(*path) : std::nullopt;
    return keyId && readSubKeyRows(*keyId, visit) && transaction.commit();
}

std::optional<HiveStamp> Hive::stamp(const QString& key) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read))
        return std::nullopt;
    auto watch = std::find_if(watches_.begin(), watches_.end(),
                              [&path](const Watch& w) { return w.folded == path->folded; });
    if (watch == watches_.end())
        watch = watches_.insert(watches_.end(), Watch{path->folded, 0});
    std::optional<HiveStamp> stamp = db_.stamp();
    if (stamp)
        stamp->ownChanges = watch->changes;
    return stamp;
}

bool Hive::deleteKey(const QString& key) {
    return changed(deleteKeyTree(key), key, Reach::subtree);
}

bool Hive::deleteKeyTree(const QString& key) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return false;
    }
    if (path->isRoot()) {
        db_.setError(QStringLiteral("the root key cannot be deleted"));
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::write);
    if (!transaction.begun() || !findKey(*path)) {
        return false;
    }
    db_.recentKey() = {};
    const QString below = path->folded + QLatin1Char('\\');
    const QString beyond = path->folded + QLatin1Char(']');
    for (const HiveSql sql : {HiveSql::deleteTreeValues, HiveSql::deleteTreeKeys}) {
        SqliteStatement remove = db_.statement(sql);
        remove.bind(1, path->folded).bind(2, below).bind(3, beyond);
        if (!remove.run()) {
            db_.takeSqliteError();
            return false;
        }
    }
    return transaction.commit();
}

bool Hive::deleteValue(const QString& key, const QString& name) {
    return changed(deleteOneValue(key, name, true), key);
}

bool Hive::deleteValueIfPresent(const QString& key, const QString& name) {
    return changed(deleteOneValue(key, name, false), key);
}

bool Hive::deleteOneValue(const QString& key, const QString& name, bool missingIsFailure) {
    if (!ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::write);
    keyMissing_ = false;
    const std::optional<std::int64_t> keyId =
        transaction.begun() ? resolveKey(key, false) : std::nullopt;
    if (!keyId) {
        return !missingIsFailure && keyMissing_;
    }
    SqliteStatement remove = db_.statement(HiveSql::deleteValue);
    remove.bind(1, *keyId).bind(2, FoldName(name));
    if (!remove.run()) {
        db_.takeSqliteError();
        return false;
    }
    if (missingIsFailure && db_.changes() == 0) {
        db_.setError(QStringLiteral("the key \"%1\" has no value \"%2\"").arg(key, name));
        return false;
    }
    return transaction.commit();
}

bool Hive::storedPath(const QString& key, QString& stored) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    std::optional<std::int64_t> keyId = transaction.begun() ? findKey(*path) : std::nullopt;
    QStringList names;
    while (keyId) {
        SqliteStatement row = db_.statement(HiveSql::keyById);
        row.bind(1, *keyId);
        if (row.step() != SQLITE_ROW) {
            db_.takeSqliteError();
            return false;
        }
        if (row.isNull(0)) {
            break;
        }
        names.prepend(row.text(1));
        keyId = row.integer(0);
    }
    if (!keyId || !transaction.commit()) {
        return false;
    }
    stored = names.join(QLatin1Char('\\'));
    return true;
}

// Depth first without recursion, with one path that grows and shrinks: a deep tree costs
// neither stack nor a copy of its path per level.
bool Hive::visitFrom(std::int64_t keyId, QString path, const KeyVisitor& visit) {
    struct Level {
        QList<std::pair<std::int64_t, QString>> subKeys;
        qsizetype next = 0;
        qsizetype pathSize = 0;
    };
    std::vector<Level> levels;
    const auto enter = [&](std::int64_t id) {
        QList<NamedRegValue> values;
        Level level{{}, 0, path.size()};
        if (!readValues(id, values) || !readSubKeys(id, level.subKeys)) {
            return false;
        }
        visit(path, values);
        levels.push_back(std::move(level));
        return true;
    };
    if (!enter(keyId)) {
        return false;
    }
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.subKeys.size()) {
            levels.pop_back();
            continue;
        }
        const auto [subKeyId, name] = level.subKeys[level.next++];
        path.truncate(level.pathSize);
        if (!path.isEmpty()) {
            path += QLatin1Char('\\');
        }
        path += name;
        if (!enter(subKeyId)) {
            return false;
        }
    }
    return true;
}

bool Hive::visitTree(const QString& key, const KeyVisitor& visit) {
    QString stored;
    if (!ready(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    if (!transaction.begun() || !storedPath(key, stored)) {
        return false;
    }
    const std::optional<std::int64_t> keyId = findKey(*KeyPath::parse(key));
    return keyId && visitFrom(*keyId, stored, visit) && transaction.commit();
}

bool Hive::ready(Access access) {
    // A failed statement may have ended the transaction early; then no later change of it may
    // land on its own.
    if (openTransactions_ > 0 && !db_.inTransaction()) {
        if (!transactionFailed_) {
            db_.setError(QStringLiteral("the change was abandoned: an earlier write in it failed"));
        }
        transactionFailed_ = true;
        return false;
    }
    return db_.open(access);
}

bool Hive::changed(bool ok, const QString& key, Reach reach) {
    if (!ok && openTransactions_ > 0) {
        transactionFailed_ = true;
    }
    // A failed write may still have changed something inside a transaction: it counts too.
    if (!watches_.empty()) {
        const std::optional<KeyPath> path = KeyPath::parse(key);
        for (Watch& watch : watches_) {
            if (!path || atOrBelow(path->folded, watch.folded) ||
                (reach == Reach::subtree && atOrBelow(watch.folded, path->folded)))
                ++watch.changes;
        }
    }
    if (ok && changeHook_) {
        changeHook_();
    }
    return ok;
}

// A transaction that could not begin (the hive busy, or not writable) still counts as open, so
// that no write made inside it lands on its own.
Hive::Transaction::Transaction(Hive& hive) : hive_(hive) {
    if (hive_.ready(Access::write)) {
        transaction_ = std::make_unique<HiveTransaction>(hive_.db_, HiveTransaction::Kind::write);
    }
    if (hive_.openTransactions_++ == 0) {
        hive_.transactionFailed_ = false;
    }
    if (!begun()) {
        hive_.transactionFailed_ = true;
    }
}

Hive::Transaction::~Transaction() {
    --hive_.openTransactions_;
    // An outermost transaction that was not committed is rolled back as transaction_ goes.
}

bool Hive::Transaction::commit() {
    if (!begun() || committed_) {
        return false;
    }
    // The failure that made it fail is left as the last error.
    if (hive_.transactionFailed_ || !hive_.db_.inTransaction()) {
        hive_.transactionFailed_ = true;
        return false;
    }
    const bool outermost = hive_.openTransactions_ == 1;
    committed_ = transaction_->commit();
    if (!committed_) {
        hive_.transactionFailed_ = true;
        return false;
    }
    if (outermost && hive_.changeHook_) {
        hive_.changeHook_();
    }
    return true;
}

} // namespace dvx
