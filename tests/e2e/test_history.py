"""File > History... as a user meets it: over a log seeded by the hive tool, the History window
lists the billing periods newest first with their calls and costs (read here as a screen reader
reads the table), gives the periods dorvantix-log gives for the same hive, and Export CSV...
saves every session to a file a spreadsheet reads."""

import csv
import os
import subprocess

import a11y
import harness
from waiting import Failure, Skip, wait_until

TITLE = "Dorvantix v1.05"
HISTORY = "Dorvantix - History"
PRODUCT = "HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix"
SESSIONS = PRODUCT + "\\Sessions"
# Dates and amounts as the program writes them in the tests' C.UTF-8 locale: month/day/year,
# no currency symbol. A description with a comma and quotes, as users write them.
RECORDS = [
    ("01/14/2026 23:59:59", 300, "0.50", 'Call, "first"'),
    ("01/15/2026 08:00:00", 600, "1.25", "Zürich"),
    ("03/01/2026 18:30:00", 725, "2.00", "Evening"),
]
SEED = f"""REGEDIT4

[{PRODUCT}]
"FirstRun"=dword:00000001
"OffPeakStart"="18:00:00"
"OffPeakEnd"="08:00:00"
"WeekendStart"="18:00:00"
"WeekendEnd"="08:00:00"
"PeriodStartDay"=dword:0000000f
""" + "".join(f"""
[{SESSIONS}\\{number}]
"CallTime"=dword:{seconds:08x}
"SessionStart"="{start}"
"SessionStop"="{start}"
"CallCharges"="{charges}"
"ConnectionName"="Automatic Connection"
"Description"="{quoted}"
""" for number, (start, seconds, charges, quoted) in enumerate(
    (start, seconds, charges, description.replace('"', '\\"'))
    for start, seconds, charges, description in RECORDS))


def file_menu(desktop, program):
    """Opens the main window's File menu as a screen reader does; the menu."""
    desktop.x.wait_for_window(TITLE)
    with a11y.EventLog("object:state-changed:showing") as events:
        a11y.press(a11y.wait_for(program, "menu item", "File"))
        return events.wait_for(
            lambda kind, shown, source: shown and source.getRoleName() in ("menu", "popup menu")
            and a11y.descendants(source, "menu item", "History..."), 5, "the File menu to show")


def periods_of_the_tool(desktop):
    if not desktop.log_tool:
        raise Skip("dorvantix-log was not built")
    result = subprocess.run([desktop.log_tool, "--hive", desktop.hive, "periods", "--format",
                             "csv"], env=desktop.env, capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure(f"dorvantix-log ended with {result.returncode}: {result.stderr}")
    return list(csv.DictReader(result.stdout.splitlines()))


def check_table(history, periods):
    """Each period of the tool is a row of the table, the newest on top."""
    # Every row, also those scrolled out of sight: the log reaches up to today.
    cells = wait_until(lambda: [cell.name for cell in
                                a11y.descendants(history, "table cell", showing=False)]
                       or None, 10, "the table of periods")
    expected = {
        "01/15/2026 - 02/14/2026": ["1", "10min, 00sec", "1.25"],
        "12/15/2025 - 01/14/2026": ["1", "5min, 00sec", "0.50"],
        "02/15/2026 - 03/14/2026": ["1", "12min, 05sec", "2.00"],
    }
    for period, texts in expected.items():
        if period not in cells:
            raise Failure(f"no row for the period {period}: {cells}")
        row = cells[cells.index(period) + 1:cells.index(period) + 4]
        if row != texts:
            raise Failure(f"the period {period} shows {row}, not {texts}")
    shown = [cell for cell in cells if " - " in cell]
    if shown != sorted(shown, key=lambda text: text[6:10] + text[0:5], reverse=True):
        raise Failure(f"the periods are not newest first: {shown}")
    starts = [f"{p['start'][5:7]}/{p['start'][8:10]}/{p['start'][0:4]}" for p in periods]
    if sorted(cell[0:10] for cell in shown) != sorted(starts):
        raise Failure(f"the window shows the periods {shown}, dorvantix-log {starts}")


def choose_file(desktop, program, path):
    """Answers the save dialog as a user would: the file's full name, then Enter."""
    desktop.x.wait_for_window("Save As")
    dialog = a11y.wait_for(program, "dialog", "Save As")
    box = a11y.wait_for(dialog, "text", "File name:")
    box.queryEditableText().setTextContents(path)
    wait_until(lambda: a11y.text_of(box) == path, 5, "the file name in the dialog")
    box.queryComponent().grabFocus()
    desktop.x.key("Return")
    desktop.x.wait_until_no_window("Save As")


def export_all(desktop, program, history):
    a11y.press(a11y.wait_for(history, "check box", "All periods"))
    wait_until(lambda: a11y.is_checked(a11y.wait_for(history, "check box", "All periods")), 5,
               "All periods checked")
    a11y.press(a11y.wait_for(history, "push button", "Export CSV..."))
    path = os.path.join(desktop.root, "sessions.csv")
    choose_file(desktop, program, path)
    wait_until(lambda: os.path.exists(path), 10, "the exported file")
    with open(path, newline="", encoding="utf-8") as exported:
        rows = list(csv.DictReader(exported))
    expected = [{"start": "2026-01-14T23:59:59", "seconds": "300", "cost": "0.50",
                 "description": 'Call, "first"'},
                {"start": "2026-01-15T08:00:00", "seconds": "600", "cost": "1.25",
                 "description": "Zürich"},
                {"start": "2026-03-01T18:30:00", "seconds": "725", "cost": "2.00",
                 "description": "Evening"}]
    got = [{key: row[key] for key in ("start", "seconds", "cost", "description")} for row in rows]
    if got != expected:
        raise Failure(f"the exported sessions are {got}")


def test(desktop):
    desktop.seed_hive(SEED)
    desktop.start_program()
    program = desktop.accessible_program()
    icon = desktop.wait_for_tray_icon()
    desktop.open_from_tray(icon, TITLE)
    a11y.press(a11y.wait_for(file_menu(desktop, program), "menu item", "History..."))
    desktop.x.wait_for_window(HISTORY)
    history = a11y.wait_for(program, None, HISTORY)
    desktop.screenshot("history")
    check_table(history, periods_of_the_tool(desktop))
    export_all(desktop, program, history)
    a11y.press(a11y.wait_for(history, "push button", "Close"))
    desktop.x.wait_until_no_window(HISTORY)
    a11y.press(a11y.wait_for(file_menu(desktop, program), "menu item", "Exit"))
    status = desktop.wait_for_exit()
    if status != 0:
        raise Failure(f"the program ended with status {status}")


if __name__ == "__main__":
    harness.run(test)
