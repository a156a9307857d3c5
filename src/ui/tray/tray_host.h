#pragma once

#include <functional>

namespace dvx {

// The desktop's tray as the tray icon meets it: which kind of tray holds the icon, and whether a
// tray host is there at all.
class TrayHost {
public:
    virtual ~TrayHost() = default;

    // The icon is made now, which settles for the program's run which kind of tray holds it.
    virtual void settleKind() = 0;
    // The icon sits on a StatusNotifier host (KDE, GNOME with its AppIndicator extension,
    // waybar), where a primary click is the item's activation and there is no double click.
    // Otherwise it is an XEmbed tray icon.
    virtual bool statusNotifier() const = 0;
    // A tray host is there now to hold the icon: before the kind is settled a tray of either
    // kind, afterwards one of the settled kind.
    virtual bool present() = 0;
    // The function to call whenever a tray may have come or gone: the host tells, no one needs
    // to keep asking.
    virtual void onChange(std::function<void()> changed) = 0;
};

} // namespace dvx
