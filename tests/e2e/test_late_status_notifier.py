"""A StatusNotifier tray that comes after the program, as a panel that starts late at logon:
until then the main window shows as on a desktop without a tray; once the watcher is there the
program's item goes into it, closing the window sends it into the tray, activating the item
brings it back, and "&Exit" from the item's menu ends the program."""

import harness
import status_notifier as sni
from test_status_notifier import FIRST_RUN_SEED, TITLE, start_watcher
from waiting import Failure


def test(desktop):
    bus = sni.SessionBus(desktop.env["DBUS_SESSION_BUS_ADDRESS"])
    desktop.seed_hive(FIRST_RUN_SEED)
    program = desktop.start_program()
    window = desktop.x.wait_for_window(TITLE, timeout=20)

    start_watcher(desktop, bus)
    item = sni.wait_for_item(bus, program.pid)
    desktop.x.close_window(window)
    desktop.x.wait_until_no_window(TITLE)
    if desktop.x.window_state(window) not in ("Withdrawn", None):
        raise Failure("closing the window with a tray did not send it into the tray")

    item.activate()
    desktop.x.wait_for_window(TITLE)
    item.click_menu_item(sni.menu_item_id(item, "&Exit"))
    if desktop.wait_for_exit() != 0:
        raise Failure("the program did not end cleanly")


if __name__ == "__main__":
    harness.run(test, tray_host=False)
