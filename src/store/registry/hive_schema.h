#pragma once

#include <QString>

struct sqlite3;

namespace dvx {

// The layout of the hive's tables, versioned through the database's user_version so that a
// later version can migrate an older hive in place. The application_id marks the file as a
// Dorvantix hive.
constexpr int kHiveApplicationId = 0x44565848; // "DVXH"
constexpr int kHiveSchemaVersion = 1;

// Brings an open database to the current layout: creates the tables in an empty database,
// migrates an older hive, and refuses (false, with the reason in error) a database of another
// program or of a newer version, which it leaves untouched.
bool PrepareHiveSchema(sqlite3* db, QString& error);
// Whether an open database is a hive of the current layout, without changing it; false with
// the reason in error otherwise.
bool CheckHiveSchema(sqlite3* db, QString& error);

} // namespace dvx
