"""Entry of every end-to-end test: reads the paths of the built programs from the command line,
runs the test on a private desktop, and ends with 0 (passed), 1 (failed) or the skip code, saying
why. On failure a screenshot and the logs of every process are in the test's output folder."""

import argparse
import signal
import sys
import traceback

from desktop import Desktop
from waiting import SKIP_RETURN_CODE, Skip


def _arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True, help="the built dorvantix")
    parser.add_argument("--modem-link", required=True, help="the built modem link helper")
    parser.add_argument("--reg", default="", help="the built dorvantix-reg, if there is one")
    parser.add_argument("--log", default="", help="the built dorvantix-log, if there is one")
    parser.add_argument("--output", required=True, help="folder for logs and screenshots")
    return parser.parse_args()


def _end_on_signal(number, frame):
    raise SystemExit(f"ended by signal {number}")


def run(test, desktop_class=Desktop, **desktop_options):
    """Runs test(desktop) and exits with the outcome; the desktop is an X display (Desktop)
    unless another kind is given."""
    args = _arguments()
    signal.signal(signal.SIGTERM, _end_on_signal)
    signal.signal(signal.SIGINT, _end_on_signal)
    try:
        with desktop_class(args.output, args.program, args.modem_link, args.reg or None,
                           **desktop_options) as desktop:
            desktop.log_tool = args.log or None
            test(desktop)
    except Skip as reason:
        print("SKIPPED:", reason)
        sys.exit(SKIP_RETURN_CODE)
    except BaseException:
        traceback.print_exc()
        print("FAILED; logs and screenshots in", args.output)
        sys.exit(1)
    print("PASSED")
    sys.exit(0)
