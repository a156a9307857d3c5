// The file of waiting calls gives back exactly what it was given, is gone when nothing waits,
// and never takes a damaged file for calls.
#include "calllog/waiting_calls_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(WaitingCallsFile, GivesBackWhatItWasGivenAndIsGoneWhenNothingWaits) {
    QTemporaryDir dir;
    const WaitingCallsFile file(WaitingCallsFile::besideHive(dir.filePath("hive.db")));
    EXPECT_EQ(file.path(), dir.filePath("hive.db.waiting-calls"));
    EXPECT_TRUE(file.read().empty());
    WaitingCalls waiting;
    waiting.calls.append({.session = {.start = 46084.500011574,
                                      .stop = 46084.51,
                                      .seconds = 864,
                                      .charge = Currency::fromRaw(123456789012LL),
                                      .connectionName = "Manual Connection",
                                      .number = {},
                                      .priced = false},
                          .description = "Ünïcode, \"quoted\"\nand a line",
                          .recordKey = {}});
    waiting.calls.append({.session = {}, .description = "answer", .recordKey = "Sessions\\12"});
    waiting.droppedCallStarts.append(46083.25);
    ASSERT_TRUE(file.write(waiting).ok());
    EXPECT_EQ(file.read(), waiting);
    ASSERT_TRUE(file.write({}).ok());
    EXPECT_FALSE(QFile::exists(file.path()));
    EXPECT_TRUE(file.write({}).ok()) << "nothing to remove is no failure";
}

TEST(WaitingCallsFile, ADamagedFileIsSetAsideAndReadAsNothing) {
    QTemporaryDir dir;
    const WaitingCallsFile file(dir.filePath("calls"));
    QFile damaged(file.path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"calls\": [ {\"start\": 4608");
    damaged.close();
    EXPECT_TRUE(file.read().empty());
    EXPECT_TRUE(QFile::exists(file.path() + ".unreadable"));
}

TEST(WaitingCallsFile, AFileThatCannotBeWrittenSaysWhy) {
    const WaitingCallsFile file(QStringLiteral("/proc/no-such-folder/calls"));
    WaitingCalls waiting;
    waiting.droppedCallStarts.append(1);
    const StoreResult result = file.write(waiting);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.reason().contains("/proc/no-such-folder/calls"))
        << result.reason().toStdString();
}

} // namespace
} // namespace dvx
