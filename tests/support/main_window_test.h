#pragma once

#include "support/window_program.h"

#include <gtest/gtest.h>

#include <functional>

namespace dvx {

// The program of WindowProgram under test. Ticks are driven by calling the handlers. The tests
// look at the controls from the start, unless a test leaves them to the window's first show.
class MainWindowTest : public ::testing::Test, protected WindowProgram {
protected:
    explicit MainWindowTest(Controls controls = Controls::builtAtOnce, Work work = Work::atOnce);

    // A store where the program has run before: the first-run mark, the four tariff times and
    // the rates peak 0.035, off-peak 0.010, weekend 0.020 and minimum charge 0.050 per minute.
    void seedConfiguredStore();
    // Adds these values of the product key to the store (REGEDIT4 lines) and loads the settings.
    void loadWith(const QString& productLines);
    // The totals since the last reset on 1 March 2026 at 09:00, stored and loaded.
    void storeTotals(std::int32_t seconds, Currency charges);

    // Runs a handler as an event runs it: an error goes to the general error box.
    void run(const std::function<void()>& handler);
    // Runs a handler that must stop with the error text (the error box adds the full stop).
    void expectError(const QString& text, const std::function<void()>& handler);

    // One tick of the one-second timer, as the timer runs it.
    void tick();
    // The clock moves on by `seconds`, then the timer ticks.
    void tickAfter(std::int64_t seconds);
    // The state at the end of start-up: monitor mode on, no session, the timer running.
    void watch();
    // An automatic session started by a modem connection seen in monitor mode.
    void startAutomaticSession();
    // One session from dialling up to hanging up, watched by the monitor: `seconds` long.
    void automaticSession(std::int64_t seconds);
    // A session started and stopped by hand; `scriptBoxes` scripts the boxes that follow the
    // question whether to stop.
    void manualSession(
        std::int64_t seconds, const std::function<void()>& scriptBoxes = [] {});

    QString status() const;
    QString trayHint() const;
    QString floatingTime() const;
    QString floatingCost() const;
    // The list's rows as "date|description|duration|cost".
    QStringList listedRows() const;
    // The clock's date-and-time text.
    QString now() const;
};

// The main window as a configured program has it before its start-up: the store of
// seedConfiguredStore loaded.
class ConfiguredWindowTest : public MainWindowTest {
protected:
    ConfiguredWindowTest();
};

// The fixture's tariff in ten-thousandths.
inline constexpr std::int64_t kPeakRaw = 350;
inline constexpr std::int64_t kMinimumRaw = 500;

// A session record's key.
QString RecordKey(const QString& name);

} // namespace dvx
