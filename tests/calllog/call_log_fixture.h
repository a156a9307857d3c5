#pragma once

#include "calllog/call_log.h"
#include "metering/meter/session_meter.h"
#include "metering/session_list_model.h"
#include "store/registry/hive.h"
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/store_hive.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace dvx::test {

// Another program that holds the hive for writing while it lives, as `dorvantix-reg import`
// does.
class HiveHolder {
public:
    explicit HiveHolder(const QString& file);

private:
    Hive hive_;
    std::optional<Hive::Transaction> holding_;
};

// The call log over a hive of the test's own, with the meter whose calls it records, the session
// list it feeds and the file of waiting calls beside the hive. The tariff is 0.035 a minute at
// peak times (the clock starts in one), 0.010 off-peak, 0.020 at weekends, at least 0.050 a call.
class CallLogTest : public ::testing::Test {
protected:
    CallLogTest();

    // The program ends and starts again over the same hive and file: a new call log, which takes
    // up what waited.
    void restart();
    // The hive another program holds is busy for this program after a short wait.
    void holdHive();
    void releaseHive();
    // The hive file is swapped for one that is no database, and back.
    void breakHive();
    void mendHive();

    // A call of `seconds` that ends now, charged at the peak rate; the clock moves on past it.
    FinishedSession endCall(std::int32_t seconds);
    CallLog::Ticket record(std::int32_t seconds, const QString& description = {});
    // Ticks of the call log.
    CallLogReport ticks(int count);
    // The stored totals read back, as the settings load reads them.
    void reloadTotals();

    QStringList recordNames() const;
    SessionRecord storedRecord(const QString& name) const;
    // Checks that the stored totals are the sums of the stored records, and that the meter's
    // totals are those plus the calls that wait.
    void expectTotalsAreTheRecords() const;

    static Tariff TestTariff();

    StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    RegionalSettings regional = RegionalSettings::british();
    SessionMeter meter{clock, connection, regional};
    SessionListModel list{regional};
    std::unique_ptr<CallLog> log;

private:
    std::unique_ptr<HiveHolder> holder_;
};

// The fixture's charge of a call of `seconds` at the peak rate, in ten-thousandths.
Currency PeakCharge(std::int32_t seconds);

} // namespace dvx::test
