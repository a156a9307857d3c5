"""The program on a desktop without a tray (a window manager but no tray host): the main window
shows at start, even when options meant for Qt are on the command line, and minimising or
closing it minimises it where the taskbar still finds it. Once a tray host comes, the icon goes
into it and the program behaves as usual: closing the window sends it into the tray as "Monitor!"
does, and "&Exit" from the tray menu ends it."""

import a11y
import harness
from waiting import Failure, wait_until

TITLE = "Dorvantix v1.05"
FIRST_RUN_SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"""
# Options Qt would act on if the program handed them over: an unknown platform would end it.
QT_OPTIONS = ["-platform", "no-such-platform", "-reverse"]


def state_becomes(desktop, window, state):
    wait_until(lambda: desktop.x.window_state(window) == state, 10,
               f"the main window to be {state}")


def test(desktop):
    desktop.seed_hive(FIRST_RUN_SEED)
    desktop.start_program(arguments=QT_OPTIONS)
    window = desktop.x.wait_for_window(TITLE, timeout=20)
    program = desktop.accessible_program()
    a11y.wait_for(program, "status bar", "Monitoring For Call")
    desktop.screenshot("without-tray")

    desktop.x.minimise_window(window)
    state_becomes(desktop, window, "Iconic")
    desktop.x.xdotool("windowactivate", "--sync", window, check=False)
    state_becomes(desktop, window, "Normal")
    desktop.x.close_window(window)
    state_becomes(desktop, window, "Iconic")
    if desktop.program.poll() is not None:
        raise Failure("closing the window ended the program")

    desktop.start_tray_host()
    icon = desktop.wait_for_tray_icon()
    desktop.open_from_tray(icon, TITLE)
    desktop.x.close_window(window)
    desktop.x.wait_until_no_window(TITLE)
    if desktop.x.window_state(window) not in ("Withdrawn", None):
        raise Failure("closing the window with a tray did not send it into the tray")

    # The icon is put up anew when the component first finds the tray: look for it again.
    menu = desktop.open_tray_menu(desktop.wait_for_tray_icon())
    monitor = a11y.wait_for(menu, "menu item", "Monitor")
    if not a11y.is_checked(monitor):
        raise Failure("closing the window did not switch monitor mode on")
    a11y.press(a11y.wait_for(menu, "menu item", "Exit"))
    if desktop.wait_for_exit() != 0:
        raise Failure("the program did not end cleanly")


if __name__ == "__main__":
    harness.run(test, tray_host=False)
