"""The program in the tray: its icon appears, a double click on it shows the main window,
Monitor! hides it again, the icon comes back after the tray host restarts, and "&Exit" from the
tray menu ends the program and takes the icon away."""

import a11y
import harness
from waiting import Failure, wait_until

TITLE = "Dorvantix v1.05"
FIRST_RUN_SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"""


def start(desktop):
    """Starts the program as on a machine where it has run before."""
    desktop.seed_hive(FIRST_RUN_SEED)
    desktop.start_program()
    icon = desktop.wait_for_tray_icon()
    if desktop.x.visible_windows_titled(TITLE):
        raise Failure("the main window showed at start")
    return icon, desktop.accessible_program()


def open_and_send_back(desktop, icon, program):
    desktop.open_from_tray(icon, TITLE)
    a11y.press(a11y.wait_for(program, "push button", "Monitor!"))
    desktop.x.wait_until_no_window(TITLE)


def restart_tray_host(desktop):
    desktop.stop_tray_host()
    desktop.start_tray_host()
    return desktop.wait_for_tray_icon()


def exit_from_tray_menu(desktop, icon):
    menu = desktop.open_tray_menu(icon)
    a11y.press(a11y.wait_for(menu, "menu item", "Exit"))
    status = desktop.wait_for_exit()
    if status != 0:
        raise Failure(f"the program ended with status {status}")
    wait_until(lambda: not desktop.tray_icons(), 5, "the icon to leave the tray")


def test(desktop):
    icon, program = start(desktop)
    open_and_send_back(desktop, icon, program)
    icon = restart_tray_host(desktop)
    open_and_send_back(desktop, icon, program)
    exit_from_tray_menu(desktop, icon)


if __name__ == "__main__":
    harness.run(test)
