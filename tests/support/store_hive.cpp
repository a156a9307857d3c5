#include "support/store_hive.h"

#include "store/registry/process_hive.h"
#include "store/registry/regedit_import.h"

#include <gtest/gtest.h>

namespace dvx::test {

StoreHive::StoreHive() {
    EXPECT_TRUE(dir_.isValid());
    UseHiveFile(dir_.filePath(QStringLiteral("hive.db")));
}

StoreHive::~StoreHive() {
    UseHiveFile(dir_.filePath(QStringLiteral("closed.db")));
}

void StoreHive::seed(const QString& regedit) {
    RegeditError error;
    const QByteArray text = (QStringLiteral("REGEDIT4\n\n") + regedit).toUtf8();
    EXPECT_TRUE(ImportRegedit(ProcessHive(), text, error))
        << "line " << error.line << ": " << error.message.toStdString();
}

bool StoreHive::keyExists(const QString& key) const {
    return ProcessHive().keyExists(key);
}

std::optional<RegValue> StoreHive::value(const QString& key, const QString& name) const {
    RegValue held;
    if (ProcessHive().readValue(key, name, held) != Hive::Lookup::found)
        return std::nullopt;
    return held;
}

QStringList StoreHive::valueNames(const QString& key) const {
    QList<NamedRegValue> values;
    EXPECT_TRUE(ProcessHive().listValues(key, values));
    QStringList names;
    for (const NamedRegValue& named : values)
        names.append(named.name);
    return names;
}

QStringList StoreHive::subKeys(const QString& key) const {
    QStringList names;
    EXPECT_TRUE(ProcessHive().listSubKeys(key, names));
    return names;
}

} // namespace dvx::test
