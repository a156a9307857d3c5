#include "support/window_program.h"

namespace dvx {

WindowProgram::WindowProgram(Controls controls, const RegionalSettings& regional)
    : window(MainWindowServices{.clock = clock,
                                .connection = connection,
                                .dialogs = dialogs,
                                .regional = regional,
                                .runList = runList,
                                .settingsStore = hive.settingsStore,
                                .sessionLog = hive.sessionLog,
                                .alarmWindow = &alarmWindow,
                                .trayHost = &trayHost,
                                .notifier = &notifier}) {
    if (controls == Controls::builtAtOnce)
        window.buildControls();
}

} // namespace dvx
