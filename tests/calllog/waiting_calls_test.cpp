// Calls the hive cannot take wait in order and land later, whole and once; the totals stay the
// sums of the records whatever happens meanwhile; what waits outlives the program.
#include "call_log_fixture.h"

#include "metering/money_text.h"
#include "store/settings/store_keys.h"

#include <QFile>
#include <functional>
#include <map>
#include <thread>
#include <vector>

namespace dvx::test {
namespace {

TEST_F(CallLogTest, CallsEndingWhileTheHiveIsHeldLandInOrderWithTheirDescriptions) {
    holdHive();
    record(60, QStringLiteral("a"));
    const CallLog::Ticket second = record(30, QStringLiteral("b"));
    log->describe(second, QStringLiteral("b answered"));
    const CallLogReport waiting = ticks(3);
    EXPECT_EQ(waiting.unsaved, 2);
    EXPECT_FALSE(waiting.newProblem.has_value()) << "a held hive is no news";
    EXPECT_EQ(meter.totalSeconds(), 90) << "the waiting calls count";
    EXPECT_FALSE(hive.keyExists(kSessionsKey));
    releaseHive();
    EXPECT_EQ(ticks(1).unsaved, 0);
    ASSERT_EQ(recordNames(), QStringList({"0", "1"}));
    EXPECT_EQ(storedRecord("0").description, "a");
    EXPECT_EQ(storedRecord("1").description, "b answered");
    EXPECT_EQ(storedRecord("1").callTime, 30);
    expectTotalsAreTheRecords();
}

// An answer given after its call landed, while the hive is held, lands after it.
TEST_F(CallLogTest, ADescriptionThatCannotBeWrittenWaitsToo) {
    const CallLog::Ticket ticket = record(60, QStringLiteral("proposed"));
    holdHive();
    log->describe(ticket, QStringLiteral("answered"));
    EXPECT_EQ(log->unsaved(), 0) << "the call itself is saved";
    releaseHive();
    ticks(1);
    EXPECT_EQ(storedRecord("0").description, "answered");
}

// A hive that refuses for another reason than being held is told once, tried every few ticks,
// and takes the calls soon after it can.
TEST_F(CallLogTest, AHiveThatCannotBeWrittenIsToldOnceAndTakesTheCallsSoonAfterItCan) {
    breakHive();
    record(60);
    CallLogReport report = log->news();
    ASSERT_TRUE(report.newProblem.has_value());
    EXPECT_TRUE(report.newProblem->startsWith("A finished call could not be saved in " +
                                              hive.hive().file()))
        << report.newProblem->toStdString();
    record(30);
    report = ticks(12);
    EXPECT_FALSE(report.newProblem.has_value()) << "told once";
    EXPECT_EQ(report.unsaved, 2);
    mendHive();
    int ticksToLand = 0;
    while (log->tick().unsaved > 0 && ticksToLand < 10)
        ++ticksToLand;
    EXPECT_LT(ticksToLand, 6);
    EXPECT_EQ(recordNames().size(), 2);
    expectTotalsAreTheRecords();
}

// Each step of the program that touches the totals or the calls, in any order, leaves the stored
// totals the sums of the records once every call has landed. (Calls of whole pennies: a record
// shows its charge to the penny, the totals add the charges as they were.)
enum class Step { hold, release, endCall, reload, reset, tick, restart };

TEST_F(CallLogTest, TotalsAreTheSumsOfTheRecordsAfterAnyMixOfWaitingReloadsAndResets) {
    using enum Step;
    const struct {
        const char* what;
        std::vector<Step> steps;
        int records;
    } cases[] = {
        {"a reload while a call waits", {hold, endCall, reload, endCall, release, tick}, 2},
        {"a reload between retries", {hold, endCall, tick, reload, tick, release, tick}, 1},
        {"a reset that finds the hive held", {endCall, hold, endCall, reset, release, tick}, 2},
        {"a reset between retries", {hold, endCall, release, reset, tick, endCall}, 1},
        {"a restart while calls wait", {hold, endCall, endCall, restart, release, tick}, 2},
        {"a restart, a reload and a reset",
         {endCall, hold, endCall, restart, reload, release, reset, endCall, tick},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(log->reset(QStringLiteral("01/03/2026 09:00:00")).ok());
        for (const Step step : c.steps) {
            const std::map<Step, std::function<void()>> act{
                {hold, [this] { holdHive(); }},
                {release, [this] { releaseHive(); }},
                {endCall, [this] { record(120); }},
                {reload, [this] { reloadTotals(); }},
                {reset,
                 [this] {
                     [[maybe_unused]] const StoreResult done =
                         log->reset(QStringLiteral("02/03/2026 09:00:00"));
                 }},
                {tick, [this] { ticks(1); }},
                {restart, [this] { this->restart(); }},
            };
            act.at(step)();
        }
        EXPECT_EQ(recordNames().size(), c.records);
        expectTotalsAreTheRecords();
    }
}

// The program ends while calls wait: they are tried for a while, then kept in the file beside the
// hive, and land once at the next start, even when the program ended between a call's landing
// and the file's learning it.
TEST_F(CallLogTest, CallsThatWaitAtTheEndLandOnceAtTheNextStart) {
    holdHive();
    record(60, QStringLiteral("first"));
    record(30, QStringLiteral("second"));
    EXPECT_EQ(log->saveBeforeExit(std::chrono::milliseconds(100)), 2);
    const QString file = WaitingCallsFile::besideHive(hive.hive().file());
    ASSERT_TRUE(QFile::exists(file));
    ASSERT_TRUE(QFile::copy(file, file + QStringLiteral(".copy")));
    log.reset();
    releaseHive();

    restart();
    EXPECT_EQ(log->unsaved(), 2);
    ticks(1);
    EXPECT_EQ(recordNames(), QStringList({"0", "1"}));
    EXPECT_EQ(storedRecord("1").description, "second");
    EXPECT_FALSE(QFile::exists(file)) << "nothing waits";
    expectTotalsAreTheRecords();

    // As if the program had ended before the file learnt that the calls had landed.
    ASSERT_TRUE(QFile::rename(file + QStringLiteral(".copy"), file));
    restart();
    ticks(1);
    EXPECT_EQ(recordNames().size(), 2);
    expectTotalsAreTheRecords();
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(CallLogTest, TheEndOfTheProgramWaitsForAHiveThatIsHeldForAMoment) {
    holdHive();
    record(60);
    std::thread releaser([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        releaseHive();
    });
    const qsizetype left = log->saveBeforeExit(std::chrono::seconds(5));
    releaser.join();
    EXPECT_EQ(left, 0);
    EXPECT_EQ(recordNames().size(), 1);
}

// Calls timed while no hive could be read are priced with the hive's tariff once it can be,
// at the rate in force at their start, never at nobody's price.
TEST_F(CallLogTest, CallsTimedWithoutATariffArePricedOnceTheHiveCanBeRead) {
    hive.seed(ProductSeed(QStringLiteral("\"MinCallCharge\"=dword:00000032\n")));
    breakHive();
    log->storeUnusable();
    meter.setTariff(Tariff());
    meter.setTariffUnknown();
    FinishedSession call = endCall(30);
    call.charge = Currency();
    call.priced = false;
    log->record(call, QStringLiteral("timed blind"));
    EXPECT_FALSE(ticks(12).storeUsableAgain);
    EXPECT_TRUE(recordNames().isEmpty());
    mendHive();
    ASSERT_TRUE(ticks(6).storeUsableAgain);
    EXPECT_TRUE(recordNames().isEmpty()) << "not before it is priced";
    meter.setTariff(TestTariff());
    log->priceWaitingCalls(meter.tariff());
    ticks(1);
    ASSERT_EQ(recordNames(), QStringList({"0"}));
    EXPECT_EQ(storedRecord("0").callCharges, "£0.05");
    EXPECT_EQ(storedRecord("0").description, "timed blind");
}

} // namespace
} // namespace dvx::test
