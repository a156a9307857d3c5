// Work on the hive aside from the main thread waits while the window asks it to give way.
#include "store/registry/giving_way.h"
#include "store/registry/hive.h"
#include "temp_hive.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>

using namespace dvx;
using dvx::test::TempHiveTest;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

const QString kKeys = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions");

// Counts the keys over a connection of its own, as work aside does, and says when it was done.
Clock::time_point CountedAt(const QString& file) {
    Hive reader(file, Hive::ReadOnly{});
    qsizetype count = 0;
    EXPECT_TRUE(reader.countSubKeys(kKeys, count));
    EXPECT_EQ(count, 3000);
    return Clock::now();
}

class GivingWayTest : public TempHiveTest {};

// Enough keys that counting them takes SQLite many steps: it looks whether to pause between them.
TEST_F(GivingWayTest, OnlyConnectionsOffTheMainThreadPauseForTheMomentAskedFor) {
    char name[] = "giving_way_test";
    char* arguments[] = {name, nullptr};
    int count = 1;
    const QCoreApplication application(count, arguments);
    {
        Hive::Transaction keys(hive());
        for (int key = 0; key < 3000; ++key)
            ASSERT_TRUE(hive().ensureKey(kKeys + QStringLiteral("\\%1").arg(key)));
        ASSERT_TRUE(keys.commit());
    }

    const Clock::time_point asked = Clock::now();
    GiveWayFor(300ms);
    Clock::time_point countedAside;
    std::thread([&] { countedAside = CountedAt(hivePath()); }).join();
    EXPECT_GE(countedAside - asked, 300ms) << "work aside waits out the moment";

    const Clock::time_point askedAgain = Clock::now();
    GiveWayFor(1s);
    EXPECT_LT(CountedAt(hivePath()) - askedAgain, 1s) << "the main thread never waits";
}

} // namespace
