#include "app/platform_choice.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(ChosenPlatform, TakesX11OnAWaylandSessionWithAnXServerUnlessTheUserChose) {
    const struct {
        const char* what;
        SessionDisplays session;
        QByteArray platform;
    } cases[] = {
        {"Wayland session with XWayland", {"", "wayland", "wayland-1", ":0"}, "xcb"},
        {"Wayland display named, no session type", {"", "", "wayland-0", ":1"}, "xcb"},
        {"Wayland session type, display not named", {"", "wayland", "", ":0"}, "xcb"},
        {"Wayland without X", {"", "wayland", "wayland-1", ""}, ""},
        {"the user chose Wayland", {"wayland", "wayland", "wayland-1", ":0"}, ""},
        {"the user chose offscreen", {"offscreen", "", "", ""}, ""},
        {"X11 session", {"", "x11", "", ":0"}, ""},
        {"X server without a session type", {"", "", "", ":5"}, ""},
        {"nothing at all", {"", "", "", ""}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ChosenPlatform(c.session), c.platform);
    }
}

TEST(ChoosePlatform, SetsOnlyWhatItChose) {
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("WAYLAND_DISPLAY", "wayland-1");
    qputenv("DISPLAY", ":7");
    qunsetenv("QT_QPA_PLATFORM");
    ChoosePlatform();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "xcb");
    qputenv("QT_QPA_PLATFORM", "wayland");
    ChoosePlatform();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "wayland");
}

} // namespace
} // namespace dvx
