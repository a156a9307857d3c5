#include "call_log_fixture.h"

#include "metering/money_text.h"
#include "metering/tariff.h"
#include "store/settings/store_keys.h"

#include <QFile>
#include <chrono>

namespace dvx::test {

HiveHolder::HiveHolder(const QString& file) : hive_(file) {
    holding_.emplace(hive_);
    EXPECT_TRUE(hive_.writeValue(QStringLiteral("Software\\Other"), QStringLiteral("x"),
                                 RegValue::ofDword(1)));
}

Tariff CallLogTest::TestTariff() {
    Tariff tariff;
    tariff.peakRate = Currency::fromRaw(350);
    tariff.offPeakRate = Currency::fromRaw(100);
    tariff.weekendRate = Currency::fromRaw(200);
    tariff.minimumCharge = Currency::fromRaw(500);
    tariff.offPeakStart = 18.0 / 24;
    tariff.offPeakEnd = 8.0 / 24;
    tariff.weekendStart = 18.0 / 24;
    tariff.weekendEnd = 8.0 / 24;
    return tariff;
}

Currency PeakCharge(std::int32_t seconds) {
    return SessionCharge(seconds, Currency::fromRaw(350), Currency::fromRaw(500));
}

CallLogTest::CallLogTest() {
    qputenv("TZ", "UTC");
    hive.hive().setBusyWait(std::chrono::milliseconds(20));
    meter.setTariff(TestTariff());
    restart();
}

void CallLogTest::restart() {
    log.reset();
    log = std::make_unique<CallLog>(
        meter, hive.sessionLog, list, regional,
        WaitingCallsFile(WaitingCallsFile::besideHive(hive.hive().file())));
    log->start();
    reloadTotals();
}

void CallLogTest::holdHive() {
    holder_ = std::make_unique<HiveHolder>(hive.hive().file());
}

void CallLogTest::releaseHive() {
    holder_.reset();
}

void CallLogTest::breakHive() {
    hive.seed(ProductSeed(QStringLiteral("\"FirstRun\"=dword:00000001\n")));
    const QString file = hive.hive().file();
    ASSERT_TRUE(QFile::rename(file, file + QStringLiteral(".aside")));
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("not a hive\n").repeated(100));
}

void CallLogTest::mendHive() {
    const QString file = hive.hive().file();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(file + QStringLiteral(".aside"), file));
}

FinishedSession CallLogTest::endCall(std::int32_t seconds) {
    FinishedSession call;
    call.start = clock.now();
    clock.advanceSeconds(seconds);
    call.stop = clock.now();
    call.seconds = seconds;
    call.charge = PeakCharge(seconds);
    call.connectionName = kAutomaticConnection;
    clock.advanceSeconds(60);
    return call;
}

CallLog::Ticket CallLogTest::record(std::int32_t seconds, const QString& description) {
    return log->record(endCall(seconds), description);
}

CallLogReport CallLogTest::ticks(int count) {
    CallLogReport report;
    for (int i = 0; i < count; ++i) {
        report = log->tick();
        if (report.newProblem || report.storeUsableAgain)
            return report;
    }
    return report;
}

void CallLogTest::reloadTotals() {
    const SettingsStore product = hive.settingsStore.product(regional);
    std::int32_t seconds = log->storedSeconds();
    Currency charges = log->storedCharges();
    product.readInteger(QStringLiteral("TotalCallTime"), seconds);
    product.readMoney(QStringLiteral("TotalCallCharges"), charges);
    log->setStoredTotals(seconds, charges);
}

QStringList CallLogTest::recordNames() const {
    return hive.sessionLog.SessionRecordNames();
}

SessionRecord CallLogTest::storedRecord(const QString& name) const {
    return hive.sessionLog.ReadSessionRecord(name);
}

void CallLogTest::expectTotalsAreTheRecords() const {
    std::int32_t seconds = 0;
    Currency charges;
    for (const SessionRecord& record : hive.sessionLog.ReadSessionRecords()) {
        seconds += record.callTime;
        charges += ParseMoneyText(record.callCharges, regional);
    }
    const std::optional<RegValue> storedSeconds =
        hive.value(kProductKey, QStringLiteral("TotalCallTime"));
    const std::optional<RegValue> storedCharges =
        hive.value(kProductKey, QStringLiteral("TotalCallCharges"));
    EXPECT_EQ(storedSeconds.value_or(RegValue::ofDword(0)).dword, seconds);
    EXPECT_EQ(ParseMoneyText(storedCharges ? storedCharges->text : QStringLiteral("0"), regional),
              charges);
    EXPECT_EQ(log->unsaved(), 0) << "calls still wait";
    EXPECT_EQ(meter.totalSeconds(), seconds);
}

} // namespace dvx::test
