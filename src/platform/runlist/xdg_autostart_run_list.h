#pragma once

#include "platform/runlist/run_list.h"

namespace dvx {

// The entry as the desktop's autostart file dorvantix.desktop in the user's autostart folder,
// $XDG_CONFIG_HOME/autostart (~/.config/autostart when XDG_CONFIG_HOME is unset).
class XdgAutostartRunList final : public RunList {
public:
    // The file at its standard place, looked up at each change.
    XdgAutostartRunList() = default;
    // The file at `entryPath` (tests).
    explicit XdgAutostartRunList(QString entryPath);

    void write(const QString& programPath) override;
    void remove() override;

    QString entryPath() const;

private:
    QString entryPath_;
};

// $XDG_CONFIG_HOME/autostart/dorvantix.desktop, or ~/.config/autostart/dorvantix.desktop.
QString DefaultAutostartEntryPath();

// The whole text of the autostart file that starts the program file at `programPath`.
QString AutostartEntryText(const QString& programPath);

} // namespace dvx
