// Finished sessions that wait for the store: written in order with their own totals, kept while
// the store fails, and their descriptions following their records.
#include "store/sessionlog/pending_sessions.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

// A store that refuses while `refusing` is set and logs every write that lands.
class FakeStore {
public:
    PendingSessions pending{
        [this](const SessionRecord& record, std::int32_t seconds, Currency) {
            if (refusing)
                return QString();
            log.append(QStringLiteral("record %1 total %2").arg(record.callTime).arg(seconds));
            return QStringLiteral("key %1").arg(record.callTime);
        },
        [this](const QString& key, const QString& text) {
            log.append(QStringLiteral("%1: %2").arg(key, text));
        }};
    bool refusing = false;
    QStringList log;
};

SessionRecord Record(std::int32_t seconds) {
    SessionRecord record;
    record.callTime = seconds;
    return record;
}

TEST(PendingSessions, ASessionLandsWithItsTotalsThenItsDescription) {
    FakeStore store;
    const auto ticket = store.pending.add(Record(60), 160, Currency());
    EXPECT_TRUE(store.pending.write());
    EXPECT_EQ(store.pending.unsaved(), 0);
    EXPECT_FALSE(store.pending.empty()); // it waits for its description, which is no failure
    store.pending.describe(ticket, QStringLiteral("Home ISP"));
    EXPECT_TRUE(store.pending.write());
    EXPECT_TRUE(store.pending.empty());
    EXPECT_EQ(store.log, QStringList({"record 60 total 160", "key 60: Home ISP"}));
}

TEST(PendingSessions, SessionsTheStoreRefusesWaitAndLandInOrder) {
    FakeStore store;
    store.refusing = true;
    const auto first = store.pending.add(Record(60), 160, Currency());
    EXPECT_FALSE(store.pending.write());
    store.pending.describe(first, QStringLiteral("first"));
    const auto second = store.pending.add(Record(30), 190, Currency());
    store.pending.describe(second, QStringLiteral("second"));
    EXPECT_FALSE(store.pending.write());
    EXPECT_EQ(store.pending.unsaved(), 2);
    EXPECT_TRUE(store.log.isEmpty());

    store.refusing = false;
    EXPECT_TRUE(store.pending.write());
    EXPECT_TRUE(store.pending.empty());
    EXPECT_EQ(store.log, QStringList({"record 60 total 160", "key 60: first", "record 30 total 190",
                                      "key 30: second"}));
}

TEST(PendingSessions, ALaterSessionNeverOvertakesOneThatWaits) {
    FakeStore store;
    const auto first = store.pending.add(Record(60), 160, Currency());
    EXPECT_TRUE(store.pending.write()); // its record is in; its description is not known yet
    const auto second = store.pending.add(Record(30), 190, Currency());
    EXPECT_TRUE(store.pending.write());
    EXPECT_EQ(store.log, QStringList({"record 60 total 160"}));
    store.pending.describe(second, QStringLiteral("second"));
    store.pending.describe(first, QStringLiteral("first"));
    EXPECT_TRUE(store.pending.write());
    EXPECT_EQ(store.log, QStringList({"record 60 total 160", "key 60: first", "record 30 total 190",
                                      "key 30: second"}));
}

} // namespace
