#include "support/store_hive.h"

#include "store/registry/regedit_import.h"

#include <gtest/gtest.h>

namespace dvx::test {

StoreHive::StoreHive() : hive_(dir_.filePath(QStringLiteral("hive.db"))) {
    EXPECT_TRUE(dir_.isValid());
}

void StoreHive::seed(const QString& regedit) {
    RegeditError error;
    const QByteArray text = (QStringLiteral("REGEDIT4\n\n") + regedit).toUtf8();
    EXPECT_TRUE(ImportRegedit(hive_, text, error))
        << "line " << error.line << ": " << error.message.toStdString();
}

bool StoreHive::keyExists(const QString& key) const {
    return hive_.keyExists(key);
}

std::optional<RegValue> StoreHive::value(const QString& key, const QString& name) const {
    RegValue held;
    if (hive_.readValue(key, name, held) != Hive::Lookup::found)
        return std::nullopt;
    return held;
}

QStringList StoreHive::valueNames(const QString& key) const {
    QList<NamedRegValue> values;
    EXPECT_TRUE(hive_.listValues(key, values));
    QStringList names;
    for (const NamedRegValue& named : values)
        names.append(named.name);
    return names;
}

QStringList StoreHive::subKeys(const QString& key) const {
    QStringList names;
    EXPECT_TRUE(hive_.listSubKeys(key, names));
    return names;
}

} // namespace dvx::test
