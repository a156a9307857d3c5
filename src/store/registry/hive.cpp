#include "store/registry/hive.h"

#include <limits>
#include <sqlite3.h>

namespace dvx {

namespace {

using Access = HiveDatabase::Access;

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

std::optional<KeyPath> Hive::parsePath(const QString& key) {
    std::optional<KeyPath> path = KeyPath::parse(key);
    if (!path) {
        db_.setError(QStringLiteral("\"%1\" is not a valid key path").arg(key));
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
    } else {
        db_.takeSqliteError();
    }
    return std::nullopt;
}

// Inside a write transaction: finds the key or creates it after its parents.
std::optional<std::int64_t> Hive::createKey(const KeyPath& path) {
    if (std::optional<std::int64_t> id = findKey(path)) {
        return id;
    }
    std::optional<std::int64_t> parent = createKey(path.parent());
    if (!parent) {
        return std::nullopt;
    }
    SqliteStatement insert = db_.statement(HiveSql::insertKey);
    const QString name = path.name();
    insert.bind(1, *parent).bind(2, name).bind(3, FoldName(name)).bind(4, path.folded);
    if (!insert.run()) {
        db_.takeSqliteError();
        return std::nullopt;
    }
    return db_.lastInsertId();
}

bool Hive::upsertValue(std::int64_t keyId, const QString& name, const RegValue& value) {
    SqliteStatement upsert = db_.statement(HiveSql::upsertValue);
    upsert.bind(1, keyId).bind(2, name).bind(3, FoldName(name));
    upsert.bind(4, static_cast<std::int64_t>(value.type));
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
    return path && db_.open(Access::read) && findKey(*path).has_value();
}

Hive::Lookup Hive::readValue(const QString& key, const QString& name, RegValue& value) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !db_.open(Access::read)) {
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

bool Hive::writeToKey(const QString& key, const QString& name, const RegValue& value, bool create) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !db_.open(create ? Access::write : Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::write);
    if (!transaction.begun()) {
        return false;
    }
    const std::optional<std::int64_t> keyId = create ? createKey(*path) : findKey(*path);
    return keyId && upsertValue(*keyId, name, value) && transaction.commit();
}

bool Hive::writeValue(const QString& key, const QString& name, const RegValue& value) {
    return writeToKey(key, name, value, true);
}

bool Hive::writeValueIfKeyExists(const QString& key, const QString& name, const RegValue& value) {
    return writeToKey(key, name, value, false);
}

bool Hive::ensureKey(const QString& key) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !db_.open(Access::write)) {
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
    if (!path || !db_.open(Access::read)) {
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
    if (!path || !db_.open(Access::read)) {
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

bool Hive::deleteKey(const QString& key) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !db_.open(Access::read)) {
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
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !db_.open(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::write);
    const std::optional<std::int64_t> keyId = transaction.begun() ? findKey(*path) : std::nullopt;
    if (!keyId) {
        return false;
    }
    SqliteStatement remove = db_.statement(HiveSql::deleteValue);
    remove.bind(1, *keyId).bind(2, FoldName(name));
    if (!remove.run()) {
        db_.takeSqliteError();
        return false;
    }
    if (db_.changes() == 0) {
        db_.setError(QStringLiteral("the key \"%1\" has no value \"%2\"").arg(key, name));
        return false;
    }
    return transaction.commit();
}

bool Hive::storedPath(const QString& key, QString& stored) {
    const std::optional<KeyPath> path = parsePath(key);
    if (!path || !db_.open(Access::read)) {
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

bool Hive::visitFrom(std::int64_t keyId, const QString& path, const KeyVisitor& visit) {
    QList<NamedRegValue> values;
    QList<std::pair<std::int64_t, QString>> subKeys;
    if (!readValues(keyId, values) || !readSubKeys(keyId, subKeys)) {
        return false;
    }
    visit(path, values);
    for (const auto& [subKeyId, name] : subKeys) {
        const QString subPath = path.isEmpty() ? name : path + QLatin1Char('\\') + name;
        if (!visitFrom(subKeyId, subPath, visit)) {
            return false;
        }
    }
    return true;
}

bool Hive::visitTree(const QString& key, const KeyVisitor& visit) {
    QString stored;
    if (!db_.open(Access::read)) {
        return false;
    }
    HiveTransaction transaction(db_, HiveTransaction::Kind::read);
    if (!transaction.begun() || !storedPath(key, stored)) {
        return false;
    }
    const std::optional<std::int64_t> keyId = findKey(*KeyPath::parse(key));
    return keyId && visitFrom(*keyId, stored, visit) && transaction.commit();
}

Hive::Transaction::Transaction(Hive& hive) {
    if (hive.db_.open(Access::write)) {
        transaction_ = std::make_unique<HiveTransaction>(hive.db_, HiveTransaction::Kind::write);
    }
}

} // namespace dvx
