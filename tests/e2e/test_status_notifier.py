"""The program on a StatusNotifier tray, as KDE, GNOME with its AppIndicator extension and waybar
offer it: a watcher with a host on the session bus holds the program's item, whose tip and menu
read as on any tray; activating the item (the primary click there) opens the main window, and
"&Exit" clicked through the menu's own interface ends the program."""

import harness
import status_notifier as sni
from waiting import Failure, wait_until

TITLE = "Dorvantix v1.05"
FIRST_RUN_SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"""
TRAY_MENU = ["&Monitor", "Floating Display", "-", "Show Main Window", "-", "&Exit"]


def start_watcher(desktop, bus):
    desktop.processes.start("sni-watcher", ["/usr/bin/python3", sni.WATCHER_SCRIPT], desktop.env)
    wait_until(lambda: sni.watcher_is_up(bus), 10, "the StatusNotifier watcher")


def test(desktop):
    bus = sni.SessionBus(desktop.env["DBUS_SESSION_BUS_ADDRESS"])
    start_watcher(desktop, bus)
    desktop.seed_hive(FIRST_RUN_SEED)
    program = desktop.start_program()
    item = sni.wait_for_item(bus, program.pid)
    if desktop.tray_icons():
        raise Failure("the program put an XEmbed icon up beside its StatusNotifier item")
    if desktop.x.visible_windows_titled(TITLE):
        raise Failure("the main window showed at start")

    tip = wait_until(lambda: "Dorvantix - Not Connected" in item.tooltip() and item.tooltip(),
                     10, 'the tip "Dorvantix - Not Connected"')
    print("tip:", tip)
    captions = sni.menu_captions(item)
    if captions != TRAY_MENU:
        raise Failure(f"the tray menu reads {captions}, not {TRAY_MENU}")

    item.activate()
    desktop.x.wait_for_window(TITLE, timeout=10)
    desktop.screenshot("activated")

    item.click_menu_item(sni.menu_item_id(item, "&Exit"))
    status = desktop.wait_for_exit()
    if status != 0:
        raise Failure(f"the program ended with status {status}")
    wait_until(lambda: not sni.registered_items(bus), 5, "the item to leave the tray")


if __name__ == "__main__":
    harness.run(test)
