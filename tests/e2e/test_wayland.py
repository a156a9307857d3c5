"""The program in a Wayland session (sway with waybar as its tray). With XWayland there it runs
on X11 by itself: its item is in waybar's tray, activating it shows the main window, the floating
display shows, its place is stored as the display reports it and it stands there again after a
restart. Without an X server it runs natively: the same tray and window, the floating display
stands where the compositor puts it, and its stored place is left as it was."""


import harness
import status_notifier as sni
from waiting import Failure
from wayland import WaylandDesktop

TITLE = "Dorvantix v1.05"
FLOATING_TITLE = "Dorvantix"
SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"FloatingDisplay"=dword:00000001
"FloatLeft"=dword:0000012c
"FloatTop"=dword:000000c8
"""
SEEDED_PLACE = (300, 200)
# sway draws a border around a floating window: its place is the window's, a few pixels out.
BORDER = 4


def stored_place(desktop):
    values = desktop.read_values("HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix",
                                 "FloatLeft", "FloatTop")
    if len(values) != 2:
        raise Failure(f"the hive holds no place of the floating display: {values}")
    return tuple(int(values[name]) for name in ("FloatLeft", "FloatTop"))


def start(desktop, with_x_server):
    program = desktop.start_program(with_x_server)
    item = sni.wait_for_item(desktop.bus, program.pid)
    floating = desktop.wait_for_window(FLOATING_TITLE)
    shell = "xwayland" if with_x_server else "xdg_shell"
    if floating.shell != shell:
        raise Failure(f"the floating display runs on {floating.shell}, not {shell}")
    return item, floating


def open_main_window(desktop, item):
    item.activate()
    window = desktop.wait_for_window(TITLE)
    print("main window:", window)


def exit_through_tray(desktop, item):
    item.click_menu_item(sni.menu_item_id(item, "&Exit"))
    if desktop.wait_for_exit() != 0:
        raise Failure("the program did not end cleanly")


def on_xwayland(desktop):
    item, floating = start(desktop, with_x_server=True)
    print("floating display:", floating)
    exit_through_tray(desktop, item)
    place = stored_place(desktop)
    if abs(place[0] - floating.x) > BORDER or abs(place[1] - floating.y) > BORDER:
        raise Failure(f"the stored place {place} is not where the display stood: {floating}")

    item, again = start(desktop, with_x_server=True)
    if (again.x, again.y) != (floating.x, floating.y):
        raise Failure(f"after a restart the floating display stands at {again}, not at "
                      f"{floating}")
    desktop.screenshot("xwayland")
    open_main_window(desktop, item)
    exit_through_tray(desktop, item)


def natively(desktop):
    desktop.seed_hive(SEED)
    item, floating = start(desktop, with_x_server=False)
    print("floating display:", floating)
    desktop.screenshot("native")
    open_main_window(desktop, item)
    exit_through_tray(desktop, item)
    if stored_place(desktop) != SEEDED_PLACE:
        raise Failure(f"the stored place became {stored_place(desktop)}, a place Wayland never "
                      "reported")


def test(desktop):
    desktop.seed_hive(SEED)
    on_xwayland(desktop)
    natively(desktop)


if __name__ == "__main__":
    harness.run(test, desktop_class=WaylandDesktop)
