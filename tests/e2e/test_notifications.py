"""An alarm on a desktop with a notification centre: beside the blinking alarm window, the
desktop shows one critical notification from Dorvantix with the alarm's message, and choosing it
opens the main window; the alarm window stays until it is dismissed."""

import a11y
import harness
from notifications import NotificationServer
from test_alarms import SEED
from waiting import Failure, wait_until

TITLE = "Dorvantix v1.05"


def test(desktop):
    server = NotificationServer(desktop)
    desktop.seed_hive(SEED)
    desktop.start_program()
    desktop.wait_for_tray_icon()
    program = desktop.accessible_program()
    with desktop.network.modem_link("ppp0"):
        wait_until(lambda: a11y.descendants(program, "label", "Dorvantix Alarm"), 10,
                   'the alarm window with its title "Dorvantix Alarm"')
        wait_until(server.displayed, 10, "the alarm's notification on the desktop")
        desktop.screenshot("notification")
        if desktop.x.visible_windows_titled(TITLE):
            raise Failure("the main window showed before the notification was chosen")
        server.choose_action()
        desktop.x.wait_for_window(TITLE)
        server.close_all()
        history = wait_until(server.history, 10, "the chosen notification in the history")
        if len(history) != 1:
            raise Failure(f"the desktop got {len(history)} notifications, not one: {history}")
        sent = history[0]
        expected = {"appname": "Dorvantix", "summary": "Dorvantix Alarm", "urgency": "CRITICAL"}
        for key, value in expected.items():
            if sent.get(key) != value:
                raise Failure(f'the notification\'s {key} is "{sent.get(key)}", not "{value}": '
                              f'{sent}')
        if not sent.get("body", "").startswith("The current session cost has reached "):
            raise Failure(f'the notification says "{sent.get("body")}", not the alarm\'s message')
        # The alarm window is as it was: still up, until it is dismissed.
        a11y.press(a11y.wait_for(program, "push button", "Dismiss Alarm"))
        wait_until(lambda: not a11y.descendants(program, "push button", "Dismiss Alarm"), 5,
                   "the alarm to be dismissed")


if __name__ == "__main__":
    harness.run(test)
