#pragma once

#include <QByteArray>

namespace dvx {

// What the session offers the program's windows, from its environment.
struct SessionDisplays {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM: the user's own choice
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY
};

// The Qt platform the program asks for, or nothing to leave Qt's own choice. The floating
// display needs a place of its own and to stay on top, which Wayland does not give ordinary
// windows: on a Wayland session that has an X server too (XWayland), the program runs on X11,
// unless the user chose a platform. Without X it runs natively on Wayland.
QByteArray ChosenPlatform(const SessionDisplays& session);

// The session's displays as the environment names them.
SessionDisplays CurrentSessionDisplays();

// Sets the platform for the application about to be made.
void ChoosePlatform();

} // namespace dvx
