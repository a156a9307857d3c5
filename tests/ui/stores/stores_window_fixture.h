#pragma once

#include "platform/fakes/fake_clock.h"
#include "platform/fakes/fake_connection_state.h"
#include "platform/fakes/fake_dialogs.h"
#include "platform/runlist/fake_run_list.h"
#include "store_hive.h"
#include "ui/main_window/frm_main.h"

#include <gtest/gtest.h>

namespace dvx {

// The main window over a hive of the test's own, with a clock that stands still (Tuesday
// 3 March 2026, 12:00 UTC), a connection the test sets, dialogs it answers and a run list in
// memory. The British regional settings.
class StoresWindowTest : public ::testing::Test {
protected:
    StoresWindowTest();

    // A store where the program has run before: the first-run mark, the four tariff times and
    // the rates peak 0.035, off-peak 0.010, weekend 0.020 and minimum charge 0.050.
    void seedConfiguredStore();
    // Runs a handler as an event runs it: an error goes to the general error box.
    void run(const std::function<void()>& handler);
    // Runs a handler that must stop with the error text (the error box adds the full stop).
    void expectError(const QString& text, const std::function<void()>& handler);

    // One session from dialling up to hanging up, watched by the monitor: `seconds` long.
    void automaticSession(std::int64_t seconds);
    // A session started and stopped by hand; `scriptBoxes` scripts the boxes that follow the
    // question whether to stop.
    void manualSession(
        std::int64_t seconds, const std::function<void()>& scriptBoxes = [] {});
    void tick();

    // The list's rows as "date|description|duration|cost".
    QStringList listedRows() const;
    QString now() const;

    test::StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    FakeRunList runList;
    TfrmMain window;
};

// The session records key and one record's key.
QString RecordKey(const QString& name);

} // namespace dvx
