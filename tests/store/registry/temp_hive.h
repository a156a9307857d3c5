#pragma once

#include "store/registry/hive.h"
#include "store/registry/regutils.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace dvx::test {

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A test whose hive is a fresh file in a folder of its own.
class TempHiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        useHive(hivePath());
    }
    void TearDown() override { hive_.reset(); }

    // The test's hive becomes the file at `path`; the one before is closed.
    void useHive(const QString& path) {
        hive_.reset();
        hive_ = std::make_unique<Hive>(path);
    }
    Hive& hive() const { return *hive_; }
    // The registry functions over the test's hive.
    Registry registry() const { return Registry(*hive_); }

    QString hivePath() const { return dir_.filePath(QStringLiteral("hive.db")); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    std::unique_ptr<Hive> hive_;
};

} // namespace dvx::test
