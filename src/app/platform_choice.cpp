#include "app/platform_choice.h"

#include <QtGlobal>

namespace dvx {

QByteArray ChosenPlatform(const SessionDisplays& session) {
    const bool wayland = session.sessionType == "wayland" || !session.waylandDisplay.isEmpty();
    if (!session.qpaPlatform.isEmpty() || !wayland || session.x11Display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

SessionDisplays CurrentSessionDisplays() {
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"),
            qgetenv("DISPLAY")};
}

void ChoosePlatform() {
    if (const QByteArray platform = ChosenPlatform(CurrentSessionDisplays()); !platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace dvx
