#pragma once

namespace dvx {

// The desktop's tray as the tray icon meets it: which kind of tray holds the icon, and whether a
// tray host is there at all.
class TrayHost {
public:
    virtual ~TrayHost() = default;

    // The icon sits on a StatusNotifier host (KDE, GNOME with its AppIndicator extension,
    // waybar), where a primary click is the item's activation and there is no double click.
    // Otherwise it is an XEmbed tray icon, or there is no tray. Fixed for the program's run.
    virtual bool statusNotifier() const = 0;
    // A tray host is there now to hold the icon.
    virtual bool present() = 0;
};

} // namespace dvx
