// A test helper: records finished sessions as the program does when a call ends, each of 60
// seconds and £1.00, and can stop dead in the middle of it.
//   session_recorder HIVE COUNT [STOP_AFTER_CHANGE]
// Reads the stored totals, then for i = 0 .. COUNT-1 (COUNT 0: forever) adds a session to them,
// records it whole, writes its description "Call i" in a step of its own and prints i. With
// STOP_AFTER_CHANGE N the process ends at once, as a kill would end it, right after the N-th
// change it has made to the hive, with the status 75.
#include "metering/money_text.h"
#include "metering/regional_settings.h"
#include "store/registry/hive.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/store_keys.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace dvx;

namespace {

constexpr int kStoppedStatus = 75;

void StopAfterChange(Hive& hive, long stopAfter) {
    if (stopAfter <= 0) {
        return;
    }
    hive.setChangeHook([stopAfter, changes = 0L]() mutable {
        if (++changes == stopAfter) {
            _exit(kStoppedStatus);
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: session_recorder HIVE COUNT [STOP_AFTER_CHANGE]\n");
        return 2;
    }
    Hive hive(QString::fromLocal8Bit(argv[1]));
    const Registry registry(hive);
    const SessionLogStore sessionLog(registry);
    const long count = std::strtol(argv[2], nullptr, 10);
    StopAfterChange(hive, argc == 4 ? std::strtol(argv[3], nullptr, 10) : 0);
    const RegionalSettings regional = RegionalSettings::british();
    std::int32_t totalSeconds = 0;
    QString chargesText;
    registry.ReadRegInteger(kProductKey, QStringLiteral("TotalCallTime"), totalSeconds, false);
    registry.ReadRegString(kProductKey, QStringLiteral("TotalCallCharges"), chargesText, false);
    Currency totalCharges = ParseMoneyText(chargesText, regional);
    const Currency charge = ParseMoneyText(QStringLiteral("£1.00"), regional);
    for (long i = 0; count == 0 || i < count; ++i) {
        totalSeconds += 60;
        totalCharges += charge;
        const StoreValue<QString> recorded =
            sessionLog.RecordWholeSession({.callTime = 60,
                                           .sessionStart = QStringLiteral("03/03/2026 12:00:00"),
                                           .sessionStop = QStringLiteral("03/03/2026 12:01:00"),
                                           .callCharges = MoneyText(charge, regional),
                                           .connectionName = QStringLiteral("Automatic Connection"),
                                           .number = {},
                                           .description = {}},
                                          totalSeconds, totalCharges, regional);
        if (!recorded.result.ok()) {
            std::fprintf(stderr, "session_recorder: session %ld was not recorded: %s\n", i,
                         qPrintable(recorded.result.reason()));
            return 1;
        }
        // The user's answer replaces the first description in a change of its own.
        [[maybe_unused]] const StoreResult described =
            sessionLog.WriteSessionDescription(recorded.value, QStringLiteral("Call %1").arg(i));
        std::printf("%ld\n", i);
        std::fflush(stdout);
    }
    return 0;
}
