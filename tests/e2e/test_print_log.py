"""Print Log from the main window to "Print to File (PDF)": sessions recorded in the hive before
the program starts are listed when the main window opens; the real print dialog is answered as a
user would (printer, output file, Print), and the PDF holds the report's title, its table
heading and every recorded session."""

import os
import subprocess

import a11y
import harness
from waiting import Failure, wait_until

TITLE = "Dorvantix v1.05"
PRINT_TO_PDF = "Print to File (PDF)"
# Two recorded sessions; the list shows their texts unchanged, the duration made from CallTime.
SESSIONS = [
    ("03/03/2026 09:15:00", "Morning mail", 725, "1.25", "12min, 05sec"),
    ("04/03/2026 18:30:10", "Evening news", 59, "0.05", "0min, 59sec"),
]
HEADING = "Date/Time".ljust(25) + "Description".ljust(25) + "Duration".ljust(25) + "Cost"


def hive_seed():
    base = "HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix"
    lines = ["REGEDIT4", "", f"[{base}]", '"FirstRun"=dword:00000001',
             '"LastResetDate"="01/03/2026 08:00:00"', ""]
    for number, (start, description, seconds, cost, _) in enumerate(SESSIONS):
        lines += [f"[{base}\\Sessions\\{number}]", f'"CallTime"=dword:{seconds:08x}',
                  f'"SessionStart"="{start}"', f'"CallCharges"="{cost}"',
                  f'"Description"="{description}"', ""]
    return "\n".join(lines)


def click(desktop, node):
    """Clicks the middle of a control with the mouse: a command that opens a modal dialog does
    not return to the accessibility bus until the dialog closes."""
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    desktop.x.xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)


def open_main_window(desktop):
    desktop.seed_hive(hive_seed())
    desktop.start_program()
    icon = desktop.wait_for_tray_icon()
    program = desktop.accessible_program()
    desktop.open_from_tray(icon, TITLE)
    for _, description, *_ in SESSIONS:
        a11y.wait_for(program, "table cell", description)
    return program


def choose_pdf_printer(desktop, dialog):
    """Selects "Print to File (PDF)", the last entry of the printer list, unless it is chosen;
    a list box shows its current entry as its name."""
    if not a11y.descendants(dialog, "combo box", PRINT_TO_PDF):
        printers = a11y.wait_for(dialog, "combo box", None)
        printers.queryComponent().grabFocus()
        desktop.x.key("End")
        a11y.wait_for(dialog, "combo box", PRINT_TO_PDF)


def set_output_file(desktop, dialog, path):
    box = a11y.wait_for(dialog, "text", "Output file:")
    box.queryEditableText().setTextContents(path)
    if a11y.text_of(box) != path:  # typed instead, as a user would
        box.queryComponent().grabFocus()
        desktop.x.key("ctrl+a")
        desktop.x.xdotool("type", "--delay", 20, path)
    wait_until(lambda: a11y.text_of(box) == path, 5, "the output file name in the dialog")


def print_log(desktop, program, path):
    click(desktop, a11y.wait_for(program, "push button", "Print Log"))
    desktop.x.wait_for_window("Print")
    dialog = a11y.wait_for(program, "dialog", "Print")
    choose_pdf_printer(desktop, dialog)
    set_output_file(desktop, dialog, path)
    a11y.press(a11y.wait_for(dialog, "push button", "Print"))
    desktop.x.wait_until_no_window("Print")


def printed_text(path):
    def finished():
        if not os.path.exists(path):
            return None
        done = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True,
                              text=True)
        return done.stdout if done.returncode == 0 and "Total Time" in done.stdout else None
    return wait_until(finished, 20, "the printed PDF")


def check_report(text):
    lines = [line.strip() for line in text.splitlines()]
    expected = ["Dorvantix Log", "Current Log - From 01/03/2026 08:00:00"]
    for line in expected:
        if line not in lines:
            raise Failure(f'the report lacks the line "{line}":\n{text}')
    if not any(" ".join(line.split()) == " ".join(HEADING.split()) for line in lines):
        raise Failure(f"the report lacks the heading line:\n{text}")
    for start, description, _, cost, duration in SESSIONS:
        words = " ".join([start, description, duration, cost]).split()
        if not any(line.split() == words for line in lines):
            raise Failure(f'the report lacks the session "{description}":\n{text}')


def test(desktop):
    program = open_main_window(desktop)
    path = os.path.join(desktop.output_dir, "log.pdf")
    print_log(desktop, program, path)
    check_report(printed_text(path))


if __name__ == "__main__":
    harness.run(test)
