#include "app/display_check.h"

#include <QtGlobal>

namespace dvx {

QString MissingDisplayReason() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    return QStringLiteral(
        "Dorvantix is a desktop program and needs a graphical display, but none is set.\n"
        "Start it from a desktop session (X11 or Wayland), or set DISPLAY to a running X server\n"
        "(for example one started with: Xvfb :1 & DISPLAY=:1 dorvantix).");
}

} // namespace dvx
