#include "support/window_program.h"

namespace dvx {

WindowProgram::WindowProgram(Controls controls, const RegionalSettings& regional, Work work)
    : window(MainWindowServices{.clock = clock,
                                .connection = connection,
                                .dialogs = dialogs,
                                .regional = regional,
                                .runList = runList,
                                .settingsStore = hive.settingsStore,
                                .sessionLog = hive.sessionLog,
                                .alarmWindow = &alarmWindow,
                                .trayHost = &trayHost,
                                .notifier = &notifier,
                                .workAside = work == Work::aside}) {
    if (controls == Controls::builtAtOnce)
        window.buildControls();
}

} // namespace dvx
