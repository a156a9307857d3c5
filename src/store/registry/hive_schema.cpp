#include "store/registry/hive_schema.h"

#include <sqlite3.h>

#include <iterator>

namespace dvx {

namespace {

// Version 1: keys form a tree through their parent; the root key (id 1) has none. Names keep
// their case; the folded forms find them and order subkeys. A value is found by its key and
// folded name in one look-up; seq keeps the order in which a key's values were created.
constexpr const char* kCreateVersion1 = R"sql(
CREATE TABLE hive_key(
    id INTEGER PRIMARY KEY,
    parent INTEGER,
    name TEXT NOT NULL,
    folded_name TEXT NOT NULL,
    folded_path TEXT NOT NULL UNIQUE
);
CREATE UNIQUE INDEX hive_key_child ON hive_key(parent, folded_name);
CREATE TABLE hive_value(
    key INTEGER NOT NULL,
    folded_name TEXT NOT NULL,
    seq INTEGER NOT NULL,
    name TEXT NOT NULL,
    type INTEGER NOT NULL,
    data NOT NULL,
    PRIMARY KEY(key, folded_name)
) WITHOUT ROWID;
INSERT INTO hive_key(id, parent, name, folded_name, folded_path) VALUES(1, NULL, '', '', '');
PRAGMA application_id = 1146509384;
PRAGMA user_version = 1;
)sql";

// Each entry turns a hive of version i into one of version i + 1 (index 0 creates version 1).
constexpr const char* kMigrations[] = {kCreateVersion1};
static_assert(std::size(kMigrations) == kHiveSchemaVersion);

struct SchemaState {
    int applicationId = 0;
    int version = 0;
    int objects = 0;
};

// One statement, so that the three facts come from one state of the file even while another
// process is creating the hive.
bool ReadState(sqlite3* db, SchemaState& state) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT (SELECT application_id FROM pragma_application_id), "
                           "(SELECT user_version FROM pragma_user_version), "
                           "(SELECT count(*) FROM sqlite_schema)",
                           -1, &statement, nullptr) != SQLITE_OK) {
        return false;
    }
    const bool ok = sqlite3_step(statement) == SQLITE_ROW;
    if (ok) {
        state.applicationId = sqlite3_column_int(statement, 0);
        state.version = sqlite3_column_int(statement, 1);
        state.objects = sqlite3_column_int(statement, 2);
    }
    sqlite3_finalize(statement);
    return ok;
}

QString SqliteError(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Checks the state; true when it is a hive of the current version, or one that may be brought
// to it (then needsWork is set).
bool Acceptable(const SchemaState& state, bool& needsWork, QString& error) {
    const bool empty = state.applicationId == 0 && state.version == 0 && state.objects == 0;
    if (!empty && state.applicationId != kHiveApplicationId) {
        error = QStringLiteral("the file is a database of another program, not a Dorvantix hive");
        return false;
    }
    if (state.version > kHiveSchemaVersion) {
        error = QStringLiteral("the hive was written by a newer version of Dorvantix "
                               "(hive version %1, this program knows up to %2)")
                    .arg(state.version)
                    .arg(kHiveSchemaVersion);
        return false;
    }
    needsWork = state.version < kHiveSchemaVersion;
    return true;
}

bool Migrate(sqlite3* db, QString& error) {
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = SqliteError(db);
        return false;
    }
    // Another process may have done the work meanwhile: look again inside the transaction.
    SchemaState state;
    bool needsWork = false;
    bool ok = ReadState(db, state) && Acceptable(state, needsWork, error);
    for (int version = state.version; ok && version < kHiveSchemaVersion; ++version) {
        ok = sqlite3_exec(db, kMigrations[version], nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    if (ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) {
        return true;
    }
    if (error.isEmpty()) {
        error = SqliteError(db);
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

// The schema's state, when this program can use it as it is or after work on it.
bool ReadUsableState(sqlite3* db, SchemaState& state, bool& needsWork, QString& error) {
    if (!ReadState(db, state)) {
        error = SqliteError(db);
        return false;
    }
    return Acceptable(state, needsWork, error);
}

} // namespace

bool PrepareHiveSchema(sqlite3* db, QString& error) {
    SchemaState state;
    bool needsWork = false;
    if (!ReadUsableState(db, state, needsWork, error)) {
        return false;
    }
    return !needsWork || Migrate(db, error);
}

bool CheckHiveSchema(sqlite3* db, QString& error) {
    SchemaState state;
    bool needsWork = false;
    if (!ReadUsableState(db, state, needsWork, error)) {
        return false;
    }
    if (needsWork) {
        error = state.version == 0 ? QStringLiteral("the hive is empty")
                                   : QStringLiteral("the hive was written by an older version of "
                                                    "Dorvantix; start Dorvantix once to update it");
        return false;
    }
    return true;
}

} // namespace dvx
