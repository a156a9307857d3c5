"""The floating display is a small tool window under an X11 window manager: a utility window
that stays above the others and out of the task bar, without the window manager's title bar and
so without its minimise, maximise and close buttons (the display draws its own caption), also
beside the main window and once that is hidden again."""

import re

import a11y
import harness
from waiting import Failure, wait_until

TITLE = "Dorvantix"
MAIN_TITLE = "Dorvantix v1.05"
SHOWN_SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"FloatingDisplay"=dword:00000001
"FloatLeft"=dword:00000064
"FloatTop"=dword:00000050
"""
# Openbox drops these for any window it does not decorate: a frame of its own would show them.
REFUSED_ACTIONS = {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                   "_NET_WM_ACTION_RESIZE"}


def atoms(desktop, window, name):
    """The atoms of a window's property, as xprop names them."""
    output = desktop.x.run(["xprop", "-id", str(window), name], check=False).stdout
    return set(re.findall(r"_NET_[A-Z_]+", output.split("=", 1)[1])) if "=" in output else set()


def frame_extents(desktop, window):
    output = desktop.x.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], check=False).stdout
    return [int(n) for n in re.findall(r"\d+", output.split("=", 1)[1])] if "=" in output else None


def expect_tool_window(desktop, window):
    types = atoms(desktop, window, "_NET_WM_WINDOW_TYPE")
    if "_NET_WM_WINDOW_TYPE_UTILITY" not in types:
        raise Failure(f"the floating display's window type is {sorted(types)}")
    wait_until(lambda: {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE"}
               <= atoms(desktop, window, "_NET_WM_STATE"), 10,
               "the floating display to stay on top and out of the task bar")
    wait_until(lambda: atoms(desktop, window, "_NET_WM_ALLOWED_ACTIONS"), 10,
               "the window manager to say which actions it allows")
    offered = atoms(desktop, window, "_NET_WM_ALLOWED_ACTIONS") & REFUSED_ACTIONS
    if offered:
        raise Failure(f"the floating display can be {sorted(offered)}")
    # No title bar, border or buttons of the window manager's around it.
    extents = frame_extents(desktop, window)
    if extents != [0, 0, 0, 0]:
        raise Failure(f"the window manager framed the floating display: {extents}")


def drag_by_caption(desktop, window):
    """The user drags the display by its caption, as by a title bar."""
    before = desktop.x.geometry(window)
    desktop.x.xdotool("mousemove", "--window", window, 40, 6, "mousedown", 1)
    for step in range(1, 6):
        desktop.x.xdotool("mousemove", "--window", window, 40 + 10 * step, 6 + 8 * step)
    desktop.x.xdotool("mouseup", 1)
    wait_until(lambda: (desktop.x.geometry(window) or before)[:2] != before[:2], 5,
               "the floating display to follow its dragged caption")


def test(desktop):
    desktop.seed_hive(SHOWN_SEED)
    desktop.start_program()
    icon = desktop.wait_for_tray_icon()
    window = desktop.x.wait_for_window(TITLE, timeout=20)
    expect_tool_window(desktop, window)
    desktop.screenshot("floating-display")
    drag_by_caption(desktop, window)

    # Beside the main window, and again once the main window is back in the tray.
    program = desktop.accessible_program()
    menu = desktop.open_tray_menu(icon)
    a11y.press(a11y.wait_for(menu, "menu item", "Show Main Window"))
    desktop.x.wait_for_window(MAIN_TITLE)
    expect_tool_window(desktop, window)
    a11y.press(a11y.wait_for(program, "push button", "Monitor!"))
    desktop.x.wait_until_no_window(MAIN_TITLE)
    expect_tool_window(desktop, window)


if __name__ == "__main__":
    harness.run(test)
