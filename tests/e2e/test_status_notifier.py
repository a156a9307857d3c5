"""The program on a StatusNotifier tray, as KDE, GNOME with its AppIndicator extension and waybar
offer it: a watcher with a host on the session bus holds the program's item, whose tip and menu
read as on any tray; while an alarm is up the item asks for attention, and once the alarm is
dismissed it is active again, each time with the NewStatus signal; activating the item (the
primary click there) opens the main window, and "&Exit" clicked through the menu's own interface
ends the program."""

import a11y
import harness
import status_notifier as sni
from test_alarms import SEED as ALARM_SEED
from waiting import Failure, wait_until

TITLE = "Dorvantix v1.05"
FIRST_RUN_SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"""
TRAY_MENU = ["&Monitor", "Floating Display", "-", "Show Main Window", "-", "&Exit"]


def start_watcher(desktop, bus):
    watcher = desktop.processes.start("sni-watcher", ["/usr/bin/python3", sni.WATCHER_SCRIPT],
                                      desktop.env)
    wait_until(lambda: sni.watcher_is_up(bus), 10, "the StatusNotifier watcher")
    return watcher


def check_item_properties(item):
    """All of the item's properties come in one answer, its picture among them, as a host first
    reads them."""
    properties = item.all_props()
    if properties.get("Status") != "Active":
        raise Failure(f'the item\'s status is {properties.get("Status")!r}, not "Active"')
    pictures = properties.get("IconPixmap") or []
    if not pictures or any(len(argb) != width * height * 4 for width, height, argb in pictures):
        raise Failure(f"the item's picture is not whole: {[p[:2] for p in pictures]}")
    if properties.get("Menu") != item.prop("Menu") or not properties.get("Id"):
        raise Failure(f"the item's properties read {sorted(properties)}")


def check_attention_while_an_alarm_is_up(desktop, bus, watcher, item):
    """A session cost limit at the minimum charge raises the alarm as soon as the modem link is
    up; the tip follows the call; the item put up again for a tray that restarted meanwhile still
    asks for attention, and dismissing the alarm makes the item active again. The item as it is
    in the end."""
    program = desktop.accessible_program()
    with desktop.network.modem_link("ppp0"):
        with sni.SignalLog(item, "NewStatus") as statuses, \
                sni.SignalLog(item, "NewToolTip") as tips:
            dismiss = a11y.wait_for(program, "push button", "Dismiss Alarm", timeout=15)
            wait_until(lambda: item.prop("Status") == "NeedsAttention", 5,
                       'the item\'s status "NeedsAttention" while the alarm is up')
            statuses.wait_for(["NeedsAttention"])
            # The tip follows the call, and the tray is told each time.
            wait_until(tips.signals, 5, "the item's NewToolTip signal during the call")
            desktop.screenshot("alarm")
        desktop.processes.stop(watcher)
        watcher = start_watcher(desktop, bus)
        # Qt puts the item up again on a connection of its own.
        item = sni.wait_for_item(bus, desktop.program.pid, other_than=item.name)
        if item.prop("Status") != "NeedsAttention":
            raise Failure("the item put up for the restarted tray no longer asks for attention")
        with sni.SignalLog(item, "NewStatus") as statuses:
            a11y.press(dismiss)
            wait_until(lambda: item.prop("Status") == "Active", 5,
                       'the item\'s status "Active" once the alarm is dismissed')
            statuses.wait_for(["Active"])
            if statuses.signals() != [("Active",)]:
                raise Failure(f"the item's NewStatus signals were {statuses.signals()}")
    return item


def test(desktop):
    bus = sni.SessionBus(desktop.env["DBUS_SESSION_BUS_ADDRESS"])
    watcher = start_watcher(desktop, bus)
    desktop.seed_hive(ALARM_SEED)
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
    check_item_properties(item)
    item = check_attention_while_an_alarm_is_up(desktop, bus, watcher, item)

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
