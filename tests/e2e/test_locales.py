"""The program in a locale of another shape, as a new user there meets it: the first start shows
the first-run message and meters a call; the second start reads every text the first one
stored (tariff times, totals, the reset date) without an error box and meters in monitor mode;
Save Log writes the calls to a file and Load Log shows them again.

The locale comes from DORVANTIX_E2E_LOCALE (en_IN.UTF-8 when unset): en_IN has a 12-hour time
with a time zone, nb_NO month names in its dates and "kl." before its times, es_PA a currency
symbol holding a dot ("B/."), ar_EG is written right to left with Arabic month names and AM/PM
words and a symbol holding dots."""

import locale
import os
import re
import struct
import time
from datetime import datetime, timedelta

import a11y
import harness
from waiting import Failure, Skip, wait_until

LOCALE = os.environ.get("DORVANTIX_E2E_LOCALE", "en_IN.UTF-8")
TITLE = "Dorvantix v1.05"
PRODUCT = "HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix"
# Only numbers, which read the same in every locale: every rate 6 a minute and a minimum charge
# of 0.05, so a call of a few seconds costs the minimum. The texts are the program's own.
SEED = f"""REGEDIT4

[{PRODUCT}]
"PeakPerSecond"=dword:0000003c
"OffPeakPerSecond"=dword:0000003c
"WeekendPerSecond"=dword:0000003c
"MinCallCharge"=dword:00000032
"DefaultDescription"="Dial-up"
"""
FIRST_RUN_MESSAGE = ("This is the first time Dorvantix has been run - please configure your "
                     "settings")
CALL_SECONDS = 3
RECORD_SIZE = 208


def check_locale_exists():
    try:
        locale.setlocale(locale.LC_ALL, LOCALE)
    except locale.Error:
        raise Skip(f"the locale {LOCALE} is not installed (locales-all has it)") from None
    finally:
        locale.setlocale(locale.LC_ALL, "C")


def record(desktop, number):
    return desktop.read_values(f"{PRODUCT}\\Sessions\\{number}", "SessionStart", "CallTime",
                               "CallCharges", "Description")


def click(desktop, node):
    """Clicks the middle of a control with the mouse: a command that opens a modal dialog does
    not return to the accessibility bus until the dialog closes."""
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    desktop.x.xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)


def check_no_error_box(desktop, program):
    """The general error handler's box is captioned "Dorvantix"; the commands' own "Error"."""
    for title in ("Dorvantix", "Error"):
        if desktop.x.visible_windows_titled(title):
            texts = [label.name for label in a11y.descendants(program, "label")]
            raise Failure(f'a box titled "{title}" is showing: {texts}')


def call(desktop, number):
    """A modem call of a few seconds, recorded as record `number`."""
    with desktop.network.modem_link("ppp0"):
        time.sleep(CALL_SECONDS)
    wait_until(lambda: "Description" in record(desktop, number), 10, f"the record {number}")
    stored = record(desktop, number)
    if stored.get("Description") != "Dial-up" or not stored.get("SessionStart"):
        raise Failure(f"the record {number} is not the call's: {stored}")
    return stored


def first_start(desktop):
    desktop.seed_hive(SEED)
    desktop.start_program()
    program = desktop.accessible_program()
    desktop.x.wait_for_window("Information", timeout=15)
    wait_until(lambda: a11y.descendants(program, "label", FIRST_RUN_MESSAGE), 5,
               "the first-run message")
    a11y.press(a11y.wait_for(program, "push button", "OK"))
    desktop.x.wait_until_no_window("Information")
    icon = desktop.wait_for_tray_icon()
    check_no_error_box(desktop, program)
    stored = call(desktop, 0)
    check_no_error_box(desktop, program)
    exit_from_tray(desktop, icon)
    return stored


def exit_from_tray(desktop, icon):
    menu = desktop.open_tray_menu(icon)
    a11y.press(a11y.wait_for(menu, "menu item", "Exit"))
    status = desktop.wait_for_exit()
    if status != 0:
        raise Failure(f"the program ended with status {status}")


def second_start(desktop):
    desktop.start_program()
    program = desktop.accessible_program()
    icon = desktop.wait_for_tray_icon()
    # A call metered shows that the start-up ran to its end and left monitor mode on.
    stored = call(desktop, 1)
    if desktop.x.visible_windows_titled("Information"):
        raise Failure("the first-run message showed again")
    check_no_error_box(desktop, program)
    return icon, program, stored


def choose_file(desktop, program, title, path):
    """Answers the file dialog as a user would: the file's full name, then Enter."""
    desktop.x.wait_for_window(title)
    dialog = a11y.wait_for(program, "dialog", title)
    box = a11y.wait_for(dialog, "text", "File name:")
    box.queryEditableText().setTextContents(path)
    wait_until(lambda: a11y.text_of(box) == path, 5, "the file name in the dialog")
    box.queryComponent().grabFocus()
    desktop.x.key("Return")
    desktop.x.wait_until_no_window(title)


def days_to_datetime(days):
    return datetime(1899, 12, 30) + timedelta(days=days)


def check_saved_file(path, records, started):
    data = wait_until(lambda: os.path.exists(path) and os.path.getsize(path) ==
                      RECORD_SIZE * (len(records) + 1) and open(path, "rb").read(), 10,
                      "the saved log file with a header and every call")
    for index, stored in enumerate(records, start=1):
        raw = data[index * RECORD_SIZE:(index + 1) * RECORD_SIZE]
        (start,) = struct.unpack_from("<d", raw, 0)
        (duration,) = struct.unpack_from("<i", raw, 92)
        (cost,) = struct.unpack_from("<q", raw, 96)
        moment = days_to_datetime(start)
        if not started - timedelta(minutes=1) <= moment <= datetime.now():
            raise Failure(f"the call started {stored['SessionStart']!r} was saved as {moment}")
        if duration != int(stored["CallTime"]) or cost != 500:
            raise Failure(f"the call {stored} was saved with {duration} s and cost {cost}")


def save_and_load(desktop, icon, program, records):
    desktop.open_from_tray(icon, TITLE)
    for stored in records:
        a11y.wait_for(program, "table cell", stored["SessionStart"])
    path = os.path.join(desktop.root, "calls.dvx")
    click(desktop, a11y.wait_for(program, "push button", "Save Log"))
    choose_file(desktop, program, "Save As", path)
    check_no_error_box(desktop, program)
    return path


def load(desktop, program, path, records):
    click(desktop, a11y.wait_for(program, "push button", "Load Log"))
    choose_file(desktop, program, "Open", path)
    check_no_error_box(desktop, program)
    wait_until(lambda: a11y.descendants(program, "label", path), 5, "the log's name")
    for stored in records:
        for text in (stored["SessionStart"], stored["CallCharges"]):
            a11y.wait_for(program, "table cell", text, timeout=5)


def check_stored_texts(desktop):
    """Every time text the first start wrote carries seconds, and no blank at either end."""
    product = desktop.read_values(PRODUCT, "OffPeakStart", "OffPeakEnd", "WeekendStart",
                                  "WeekendEnd", "LastResetDate")
    for name in ("OffPeakStart", "OffPeakEnd", "WeekendStart", "WeekendEnd", "LastResetDate"):
        text = product.get(name, "")
        if not re.search(r"\d\d\D+\d\d\D+\d\d", text) or text != text.strip():
            raise Failure(f"{name} was stored as {text!r}")


def test(desktop):
    check_locale_exists()
    started = datetime.now()
    records = [first_start(desktop)]
    check_stored_texts(desktop)
    icon, program, second = second_start(desktop)
    records.append(second)
    path = save_and_load(desktop, icon, program, records)
    check_saved_file(path, records, started)
    load(desktop, program, path, records)
    desktop.screenshot("loaded")


if __name__ == "__main__":
    harness.run(test, locale=LOCALE)
