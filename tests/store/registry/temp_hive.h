#pragma once

#include "store/registry/process_hive.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

// A test whose process hive is a fresh file in a folder of its own.
class TempHiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        UseHiveFile(hivePath());
    }
    void TearDown() override { UseHiveFile(dir_.filePath(QStringLiteral("unused.db"))); }

    QString hivePath() const { return dir_.filePath(QStringLiteral("hive.db")); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

} // namespace dvx::test
