#!/usr/bin/python3
"""The longest stall of the program's window thread (the longest its event loop went without
handling its events) over logs of 10,000, 100,000 and 1,000,000 sessions, each beside the same
program over an empty log, on a private desktop (an X display, a window manager, a tray host, a
session bus and a sound server), for each phase of a run:

- start: from starting the program to one second after its icon shows in the tray: the stalls
  once its event loop runs, and the time its icon showed before the loop first turned (a click
  on it waits that long); the work before the loop's first turn is also shown apart;
- read-ahead: one to four seconds after the start (the program reads the session list ahead
  about 1.5 s after its start; the window runs to four seconds after the icon, should the start
  itself be slow);
- call's end: a modem link held for a few seconds and hung up, as tests/e2e/test_session_log.py
  does it, in a network namespace of the run's own (needs root, `ip netns` and /dev/net/tun,
  else this phase is skipped and the reason printed): from the hang-up to half a second after
  the call's record is in the hive, and at least three seconds;
- first show: from the double click on the tray icon to half a second after the window shows
  painted.

    bench/desktop/stall_bench.py --program build/src/app/dorvantix \\
        --reg build/src/app/regtool/dorvantix-reg \\
        --log-hive build/bench/support/dorvantix-bench-log-hive \\
        --modem-link build/tests/platform/connection/dorvantix-test-modem-link \\
        --sessions 10000 100000 1000000

The stalls come from the program itself: started with DORVANTIX_STALL_PROBE=<file> it runs a
timer every 4 ms on its window thread and writes to that file, flushed line by line, the first
firing's lateness ("first <time> <ms>": the start's work before the event loop ran), then every
firing more than 16 ms late ("stall <time> <ms>") and every new longest lateness ("longest
<time> <ms>"), times in milliseconds of CLOCK_MONOTONIC, which this script reads too. A stall
belongs to a phase when the time it spans meets the phase's. The logs are made by
dorvantix-bench-log-hive and kept across runs (see log_hives.py); a million sessions take well
under a minute the first time."""

import argparse
import os
import sys
import tempfile
import time

from log_hives import default_log_tool, fresh_hive, holds_record
from tray_bench import Desktop
from window_bench import PRODUCT, Program, Screen

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))
from network import PrivateNetwork  # noqa: E402
from waiting import Skip, wait_until  # noqa: E402

GOAL_MS = 50
PHASES = ("start", "read-ahead", "call's end", "first show")
# A configured program that meters calls at 6p a minute, never asking for a description.
SETTINGS = f"""REGEDIT4

[{PRODUCT}]
"FirstRun"=dword:00000001
"OffPeakStart"="18:00:00"
"OffPeakEnd"="08:00:00"
"WeekendStart"="18:00:00"
"WeekendEnd"="08:00:00"
"PeakPerSecond"=dword:0000003c
"OffPeakPerSecond"=dword:0000003c
"WeekendPerSecond"=dword:0000003c
"MinCallCharge"=dword:00000032
"DefaultDescription"="Dial-up"
"""


def now_ms():
    return time.clock_gettime(time.CLOCK_MONOTONIC) * 1000


def seconds_ms(monotonic):
    """A time.monotonic() moment in the probe's milliseconds."""
    return monotonic * 1000


def read_stalls(path):
    """The stalls the probe wrote once the loop ran, as (end, length) in milliseconds, the
    longest of them all, and the loop's first turn as (moment, lateness): the start's work
    before it."""
    stalls, longest, first = [], 0.0, None
    with open(path) as probe:
        for line in probe:
            words = line.split()
            if len(words) == 3 and words[0] == "stall":
                stalls.append((float(words[1]), float(words[2])))
            elif len(words) == 3 and words[0] == "longest":
                longest = float(words[2])
            elif len(words) == 3 and words[0] == "first":
                first = (float(words[1]), float(words[2]))
    return stalls, longest, first


def longest_in(stalls, begin, end):
    """The longest stall whose time meets [begin, end]; 0 when none was over the threshold."""
    return max((length for stop, length in stalls if stop >= begin and stop - length <= end),
               default=0.0)


def sleep_until(moment_ms):
    time.sleep(max(0.0, (moment_ms - now_ms()) / 1000))


class Run:
    """One start of the program over a log, through every phase; `phases` holds each phase's
    time span, `figures` each phase's longest stall once it has ended."""

    def __init__(self, desktop, screen, network, args, sessions):
        self.desktop, self.screen, self.network = desktop, screen, network
        self.sessions = sessions
        self.hive = fresh_hive(desktop, args.reg, args.log_hive, f"stall-{sessions}", sessions,
                               SETTINGS)
        self.probe = os.path.join(desktop.root, f"stalls-{sessions}.txt")
        self.phases = {}
        self.program = Program(desktop, screen, args.program, self.hive,
                               f"dorvantix-{sessions}",
                               extra_env={"DORVANTIX_STALL_PROBE": self.probe},
                               wrap=network.exec_argv if network else None)
        began, in_tray = seconds_ms(self.program.started), seconds_ms(self.program.in_tray)
        self.to_tray = in_tray - began
        self.phases["start"] = (began, in_tray + 1000)
        self.phases["read-ahead"] = (began + 1000, max(began, in_tray) + 4000)
        sleep_until(self.phases["read-ahead"][1] + 500)
        if network:
            self._end_a_call(args.call_seconds)
        self._first_show()
        desktop.stop(self.program.process)
        stalls, self.longest, (first_turn, _) = read_stalls(self.probe)
        self.loop_after_start = first_turn - began
        self.figures = {phase: longest_in(stalls, *span) for phase, span in self.phases.items()}
        # An icon that shows before the loop first turns does not answer a click meanwhile.
        self.loop_after_tray = first_turn - in_tray
        self.figures["start"] = max(self.figures["start"], self.loop_after_tray)

    def _end_a_call(self, seconds):
        with self.network.modem_link("ppp0"):
            time.sleep(seconds)
            hung_up = now_ms()
        # A new record is named by the number of records there were.
        wait_until(lambda: holds_record(self.hive, self.sessions), 20, "the call's record",
                   interval=0.1)
        recorded = now_ms()
        sleep_until(max(hung_up + 3000, recorded + 500))
        self.phases["call's end"] = (hung_up, now_ms())

    def _first_show(self):
        for _ in range(3):
            clicked = now_ms()
            if self.program.open() is not None:
                time.sleep(0.5)
                self.phases["first show"] = (clicked, now_ms())
                return
            time.sleep(1)  # two single clicks: the menu, or nothing
            self.desktop.x.key("Escape")
        raise RuntimeError(f"the window did not open over {self.sessions} sessions")


def private_network(desktop, modem_link):
    """A network namespace for the call's end, or None with the reason printed."""
    if not modem_link or not os.access(modem_link, os.X_OK):
        print(f"no call's end: no modem link helper ({modem_link or 'none given'}); build "
              "dorvantix-test-modem-link and give it with --modem-link")
        return None
    network = PrivateNetwork(desktop.env, desktop.processes, os.path.abspath(modem_link))
    try:
        network.__enter__()
    except Skip as reason:
        print(f"no call's end: {reason}")
        return None
    if not os.path.exists("/dev/net/tun"):
        network.__exit__()
        print("no call's end: no /dev/net/tun to make a modem link with")
        return None
    return network


def figure(ms):
    return f"{ms:7.1f} ms" if ms else f"   <{16:2d} ms"


def report(sessions, run, empty):
    print(f"\n{sessions} sessions (empty log in brackets): start to tray icon "
          f"{run.to_tray:.0f} ms ({empty.to_tray:.0f}); the event loop's first turn "
          f"{run.loop_after_start:.0f} ms after the start ({empty.loop_after_start:.0f}), "
          f"{run.loop_after_tray:.0f} ms after the icon ({empty.loop_after_tray:.0f}); longest "
          f"stall once the loop ran {run.longest:.1f} ms ({empty.longest:.1f})")
    for phase in PHASES:
        if phase not in run.figures:
            print(f"  {phase:<11} not measured")
            continue
        ours, none = run.figures[phase], empty.figures.get(phase, 0.0)
        verdict = "ok" if ours <= GOAL_MS else "OVER"
        print(f"  {phase:<11} longest stall {figure(ours)}, empty log {figure(none)} "
              f"(goal {GOAL_MS} ms: {verdict})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the built dorvantix")
    parser.add_argument("--reg", required=True, help="the built dorvantix-reg")
    parser.add_argument("--log-hive", help="the built dorvantix-bench-log-hive (by default "
                        "the one in the program's build folder)")
    parser.add_argument("--modem-link", help="the built dorvantix-test-modem-link; without it "
                        "no call is made")
    parser.add_argument("--sessions", type=int, nargs="+", default=[10000, 100000, 1000000],
                        help="sizes of the logs measured beside the empty one")
    parser.add_argument("--call-seconds", type=float, default=3,
                        help="how long the modem link is held")
    parser.add_argument("--output", default=os.path.join(tempfile.gettempdir(),
                                                         "dorvantix-stall-bench"),
                        help="folder for the processes' logs")
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    args.log_hive = os.path.abspath(args.log_hive or default_log_tool(args.program))
    with Desktop(args.output) as desktop:
        screen = Screen(desktop.env["DISPLAY"])
        network = private_network(desktop, args.modem_link)
        try:
            # A run outside the figures, so that the first one meets the caches as warm as the
            # others do.
            Run(desktop, screen, network, args, 0)
            for sessions in args.sessions:
                empty = Run(desktop, screen, network, args, 0)
                run = Run(desktop, screen, network, args, sessions)
                report(sessions, run, empty)
        finally:
            if network:
                network.__exit__()


if __name__ == "__main__":
    main()
