"""Print Log through a print system, as most desktops have one: beside a private CUPS scheduler
whose default printer is a PDF printer (tests/support/with_print_system.sh), the print dialog
offers that printer, Print sends the report to it as a job named "Dorvantix Log", and the job
completes with the report's pages."""

import os
import re
import subprocess

import a11y
import harness
from test_print_log import check_report, click, open_main_window
from waiting import Failure, Skip, wait_until


def finished_job(page_log, name):
    """The page count of the finished job of that name in the scheduler's page log, once it is
    there: "PRINTER USER JOB-ID [TIME] total PAGES BILLING HOST JOB-NAME MEDIA SIDES"."""
    if not os.path.exists(page_log):
        return None
    with open(page_log, encoding="utf-8", errors="replace") as log:
        for line in log:
            found = re.match(r"\S+ \S+ \d+ \[[^]]*\] total (\d+) (.*)$", line.strip())
            if found and f" {name} " in f" {found.group(2)} ":
                return int(found.group(1))
    return None


def test(desktop):
    printer = os.environ.get("DORVANTIX_TEST_PRINTER")
    if not printer:
        raise Skip("runs beside a private print system (tests/support/with_print_system.sh)")
    program = open_main_window(desktop)
    click(desktop, a11y.wait_for(program, "push button", "Print Log"))
    desktop.x.wait_for_window("Print")
    dialog = a11y.wait_for(program, "dialog", "Print")
    a11y.wait_for(dialog, "combo box", printer)  # the default printer is offered first
    desktop.screenshot("print-dialog")
    a11y.press(a11y.wait_for(dialog, "push button", "Print"))
    desktop.x.wait_until_no_window("Print")

    pages = wait_until(lambda: finished_job(os.environ["DORVANTIX_TEST_PAGE_LOG"],
                                            "Dorvantix Log"), 60,
                       'the print system to finish a job named "Dorvantix Log"')
    output = os.environ["DORVANTIX_TEST_PRINT_OUTPUT"]
    text = subprocess.run(["pdftotext", "-layout", output, "-"], capture_output=True,
                          text=True).stdout
    printed_pages = text.rstrip("\f").count("\f") + 1
    if pages != printed_pages or pages != 1:
        raise Failure(f"the print system counted {pages} page(s) and printed {printed_pages}; "
                      "the report of two sessions is one page")
    check_report(text)


if __name__ == "__main__":
    harness.run(test)
