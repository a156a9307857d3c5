#pragma once

#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/fake_dialogs.h"
#include "support/fake_notifier.h"
#include "support/fake_run_list.h"
#include "support/fake_sound_player.h"
#include "support/fake_tray_host.h"
#include "support/store_hive.h"
#include "ui/alarm/alarm_window.h"
#include "ui/main_window/frm_main.h"

namespace dvx {

// The main window over a hive of its own, which starts empty, with a clock that stands still
// (Tuesday 3 March 2026, 12:00 UTC, peak time), a connection to set, dialogs to answer, a run
// list in memory, the alarm window with a silent sound, an XEmbed tray that is there and the
// desktop's notifications kept. British regional settings, unless others are given.
struct WindowProgram {
    // The controls are built at once, as a window shown at once has them, or left to be built
    // when the window is first shown, as the program does.
    enum class Controls { builtAtOnce, builtWhenShown };
    // The long work over the hive is done at once on the window's thread, or aside on threads
    // of its own as the program does it.
    enum class Work { atOnce, aside };
    explicit WindowProgram(Controls controls = Controls::builtAtOnce,
                           const RegionalSettings& regional = RegionalSettings::british(),
                           Work work = Work::atOnce);

    test::StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    FakeRunList runList;
    FakeSoundPlayer alarmSound;
    TfrmAlarm alarmWindow{alarmSound};
    FakeTrayHost trayHost{false, true};
    FakeNotifier notifier;
    TfrmMain window;
};

} // namespace dvx
