#include "ui/floating/tool_window_hints.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace dvx {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(qstrlen(name)), name), nullptr));
    return atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window's _NET_WM_STATE with the two skip states added, keeping what Qt put there.
void skipTaskbarAndPager(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_atom_t state = atomNamed(connection, "_NET_WM_STATE");
    std::vector<xcb_atom_t> atoms;
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr));
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        atoms.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
    }
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t skip = atomNamed(connection, name);
        if (std::find(atoms.begin(), atoms.end(), skip) == atoms.end())
            atoms.push_back(skip);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        std::uint32_t(atoms.size()), atoms.data());
}

// Motif hints: no decorations of the window manager's (the window draws its own caption), and of
// the functions only moving.
void onlyMoving(xcb_connection_t* connection, xcb_window_t window) {
    constexpr std::uint32_t kFunctions = 1U << 0;
    constexpr std::uint32_t kDecorations = 1U << 1;
    constexpr std::uint32_t kMove = 1U << 2;
    const std::uint32_t hints[5] = {kFunctions | kDecorations, kMove, 0, 0, 0};
    const xcb_atom_t motif = atomNamed(connection, "_MOTIF_WM_HINTS");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, motif, motif, 32, 5, hints);
}

} // namespace

void MarkAsToolWindow(QWidget& window) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr)
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window.winId());
    skipTaskbarAndPager(connection, id);
    onlyMoving(connection, id);
    xcb_flush(connection);
}

} // namespace dvx
