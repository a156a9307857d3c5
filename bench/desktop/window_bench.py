#!/usr/bin/python3
"""The main window opened from the tray as a user opens it, on a private desktop (an X display, a
window manager, a tray host): the time from the second click of a double click on the tray icon
to the window on screen with its contents painted, over a log of no sessions and over logs of 10
sessions (a little more than the list shows at once), 1,000, 10,000 and 100,000. The program
waits in the tray a few seconds after its start before the first open, as after a logon; the
first open, which builds the window, is shown apart from the median of the later ones.

Then the window opened early, while the program may still be reading its list: the program
started afresh for each open, its icon double-clicked 0.5, 1, 1.5, 2 and 3 s after it shows in
the tray, over a log of 100,000 sessions and over an empty one, in turns; the median of a few
starts at each moment.

    bench/desktop/window_bench.py --program build/src/app/dorvantix \
        --reg build/src/app/regtool/dorvantix-reg
    bench/desktop/window_bench.py --program build/src/app/dorvantix \
        --reg build/src/app/regtool/dorvantix-reg --parts early --early-sessions 100000 1000000

Each log's figure is shown beside the empty log's and as their ratio. The logs come from
dorvantix-bench-log-hive when it is built (by default the one in the program's build folder;
see log_hives.py), else from a REGEDIT4 import of them."""

import argparse
import ctypes
import ctypes.util
import os
import statistics
import subprocess
import sys
import tempfile
import time

from log_hives import default_log_tool, fresh_hive
from tray_bench import Desktop, XTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))
from waiting import wait_until  # noqa: E402
from x11 import MAX_ICON_SIZE  # noqa: E402

PRODUCT = "HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix"
# A point of the navy band above the pages, right of the log's name, measured from the window's
# bottom right corner as the menu bar above may be of any height: navy only once the window has
# painted itself, as Qt paints a window whole before it shows any of it.
BAND_FROM_CORNER = (8, 314)
NAVY = 0x000080


def hive_seed(sessions):
    lines = ["REGEDIT4", "", f"[{PRODUCT}]", '"FirstRun"=dword:00000001', ""]
    for number in range(sessions):
        lines += [f"[{PRODUCT}\\Sessions\\{number}]",
                  f'"CallTime"=dword:{60 + number % 3600:08x}',
                  f'"SessionStart"="03/03/2026 12:{number % 60:02d}:00"',
                  '"SessionStop"="03/03/2026 13:00:00"', '"CallCharges"="£0.42"',
                  '"ConnectionName"="Automatic Connection"', '"Description"="Dial-up"', ""]
    return "\n".join(lines)


class Screen(XTree):
    """The clicks of a user, sent through the X test extension from this process so that no
    tool's start lies inside the time, and the pixels that the windows show."""

    def __init__(self, display_name):
        super().__init__(display_name)
        xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                              ctypes.c_ulong]
        xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                              ctypes.c_int, ctypes.c_ulong]
        self.xtst = xtst
        x = self.x
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype = ctypes.c_ulong
        x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        x.XTranslateCoordinates.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
            ctypes.POINTER(ctypes.c_ulong)]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.root = x.XDefaultRootWindow(self.display)

    def attributes(self, window):
        attributes = XTree.Attributes()
        if not self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)):
            return None
        return attributes

    def move_to_middle(self, window):
        attributes = self.attributes(window)
        x, y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self.x.XTranslateCoordinates(self.display, window, self.root, attributes.width // 2,
                                     attributes.height // 2, ctypes.byref(x), ctypes.byref(y),
                                     ctypes.byref(child))
        self.xtst.XTestFakeMotionEvent(self.display, -1, x.value, y.value, 0)
        self.x.XSync(self.display, 0)

    def click(self):
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.x.XFlush(self.display)

    def pixel(self, window, from_corner):
        """The pixel of a viewable window at a point given from its bottom right corner, or None
        while it is not viewable."""
        attributes = self.attributes(window)
        if attributes is None or attributes.map_state != XTree.IS_VIEWABLE:
            return None
        image = self.x.XGetImage(self.display, window, attributes.width - from_corner[0],
                                 attributes.height - from_corner[1], 1, 1,
                                 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return None
        value = self.x.XGetPixel(image, 0, 0) & 0xFFFFFF
        self.x.XDestroyImage(image)
        return value

    def windows_of(self, pid, window):
        """The windows of the process at and below a window."""
        pending, found = [window], []
        while pending:
            window = pending.pop()
            if self.pid(window) == pid:
                found.append(window)
            pending.extend(self.children(window))
        return found


class Program:
    """The program started over its own hive, waiting in the tray; `started` and `in_tray` are
    the time.monotonic() of its start and of its icon first seen in the tray. `extra_env` is
    added to its environment, and `wrap` may turn its command line into another (to run it in
    a network namespace)."""

    def __init__(self, desktop, screen, program, hive, name, extra_env=None, wrap=None):
        self.desktop, self.screen = desktop, screen
        hosts = desktop.x.search("--class", "trayer")
        env = dict(desktop.env, QT_QPA_PLATFORM="xcb", DORVANTIX_HIVE=hive, **(extra_env or {}))
        argv = [program]
        self.started = time.monotonic()
        self.process = desktop.processes.start(name, wrap(argv) if wrap else argv, env)
        self.icon = wait_until(lambda: self._icon(hosts), 20, f"the icon of {name} in the tray",
                               interval=0.005)
        self.in_tray = time.monotonic()
        self.window = None

    def _icon(self, hosts):
        for host in hosts:
            for window in self.screen.windows_of(self.process.pid, host):
                if self.screen.viewable_icon(window):
                    return window
        return None

    def _main_window(self):
        for window in self.screen.windows_of(self.process.pid, self.screen.root):
            attributes = self.screen.attributes(window)
            if attributes and attributes.map_state == XTree.IS_VIEWABLE \
                    and min(attributes.width, attributes.height) > MAX_ICON_SIZE:
                return window
        return None

    def _painted(self):
        return self.window and self.screen.pixel(self.window, BAND_FROM_CORNER) == NAVY

    def open(self):
        """Double-clicks the icon; the seconds from the second click to the painted window, or
        None when the clicks did not open it (a double click can arrive as two single ones)."""
        self.screen.move_to_middle(self.icon)
        self.screen.click()
        time.sleep(0.08)
        began = time.monotonic()
        self.screen.click()
        deadline = began + 3
        while time.monotonic() < deadline:
            if self.window is None:
                self.window = self._main_window()
            if self._painted():
                return time.monotonic() - began
            time.sleep(0.0005)
        return None

    def close(self):
        """Closes the window as a user does, back into the tray."""
        x = self.desktop.x
        x.xdotool("windowactivate", "--sync", self.window, check=False)
        x.key("alt+F4")
        wait_until(lambda: self.screen.pixel(self.window, BAND_FROM_CORNER) is None, 10,
                   "the window to go back into the tray")
        time.sleep(0.3)


def seed(desktop, reg_tool, name, sessions, log_tool=None):
    """A new hive of that name holding a configured program and `sessions` sessions; its path."""
    if log_tool:
        return fresh_hive(desktop, reg_tool, log_tool, name, sessions, hive_seed(0))
    hive = os.path.join(desktop.root, name + ".db")
    path = os.path.join(desktop.root, name + ".reg")
    with open(path, "w", encoding="utf-8") as text:
        text.write(hive_seed(sessions))
    subprocess.run([reg_tool, "import", path], env=dict(desktop.env, DORVANTIX_HIVE=hive),
                   check=True, capture_output=True, timeout=600)
    return hive


def measure(desktop, screen, program, hive, sessions, opens, wait):
    started = Program(desktop, screen, program, hive, f"dorvantix-{sessions}")
    time.sleep(wait)
    times = []
    for _ in range(opens * 3):
        seconds = started.open()
        if seconds is None:
            continue
        times.append(seconds)
        started.close()
        if len(times) == opens:
            break
    else:
        raise RuntimeError(f"the window did not open {opens} times over {sessions} sessions")
    desktop.stop(started.process)
    return times


# Between the two clicks of a double click (Program.open).
CLICK_GAP = 0.08


def open_after_tray(desktop, screen, program, hive, sessions, after):
    """Starts the program over the hive `hive()` gives and double-clicks its icon `after` seconds
    after it showed (the second click then); the seconds to the painted window."""
    for _ in range(3):
        started = Program(desktop, screen, program, hive(), f"dorvantix-{sessions}-early")
        time.sleep(max(0.0, started.in_tray + after - CLICK_GAP - time.monotonic()))
        seconds = started.open()
        desktop.stop(started.process)
        if seconds is not None:
            return seconds
        time.sleep(0.5)
    raise RuntimeError(f"the window did not open {after:g} s after the start over {sessions} "
                       "sessions")


def measure_early(desktop, screen, args):
    for sessions in args.early_sessions:
        def hive(size=sessions):
            return seed(desktop, args.reg, f"early-{size}", size, args.log_hive)
        for after in args.early:
            ours, none = [], []
            for _ in range(args.early_starts):
                none.append(open_after_tray(desktop, screen, args.program, lambda: hive(0), 0,
                                            after))
                ours.append(open_after_tray(desktop, screen, args.program, hive, sessions,
                                            after))
            print(f"opens {after:g} s after the icon, {sessions} sessions: " +
                  " ".join(f"{t * 1000:.1f}" for t in ours) + " ms; empty log: " +
                  " ".join(f"{t * 1000:.1f}" for t in none) + " ms")
            line(f"open at {after:g} s, {sessions} sessions", statistics.median(ours),
                 statistics.median(none))


def measure_later(desktop, screen, args):
    program = args.program
    # A run outside the figures, so that the first log measured meets the system's caches
    # as warm as the others do.
    measure(desktop, screen, program, seed(desktop, args.reg, "warm-up", 0, args.log_hive), 0, 2,
            args.wait)
    first, again = {}, {}
    for sessions in [0] + args.sessions:
        hive = seed(desktop, args.reg, f"hive-{sessions}", sessions, args.log_hive)
        times = measure(desktop, screen, program, hive, sessions, args.opens, args.wait)
        first[sessions], again[sessions] = times[0], statistics.median(times[1:])
        print(f"opens over {sessions} sessions: " +
              " ".join(f"{t * 1000:.1f}" for t in times) + " ms")
    for sessions in args.sessions:
        line(f"first open, {sessions} sessions", first[sessions], first[0])
        line(f"later opens, {sessions} sessions", again[sessions], again[0])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the built dorvantix")
    parser.add_argument("--reg", required=True, help="the built dorvantix-reg")
    parser.add_argument("--sessions", type=int, nargs="+", default=[10, 1000, 10000, 100000],
                        help="sizes of the logs measured beside the empty one")
    parser.add_argument("--opens", type=int, default=12, help="opens of the window per log")
    parser.add_argument("--wait", type=float, default=3,
                        help="seconds in the tray after the start before the first open")
    parser.add_argument("--output", default=os.path.join(tempfile.gettempdir(),
                                                         "dorvantix-window-bench"),
                        help="folder for the processes' logs")
    parser.add_argument("--parts", nargs="+", choices=["later", "early"],
                        default=["later", "early"],
                        help="later: opens after the wait; early: opens soon after the start")
    parser.add_argument("--early", type=float, nargs="+", default=[0.5, 1, 1.5, 2, 3],
                        help="seconds after the icon shows at which the window is opened early")
    parser.add_argument("--early-sessions", type=int, nargs="+", default=[100000],
                        help="sizes of the logs the window is opened early over")
    parser.add_argument("--early-starts", type=int, default=3,
                        help="starts of the program for each moment and log")
    parser.add_argument("--log-hive", help="the built dorvantix-bench-log-hive (by default the "
                        "one in the program's build folder, if built)")
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    args.log_hive = args.log_hive or default_log_tool(args.program)
    if not os.access(args.log_hive, os.X_OK):
        args.log_hive = None
    with Desktop(args.output) as desktop:
        screen = Screen(desktop.env["DISPLAY"])
        if "later" in args.parts:
            measure_later(desktop, screen, args)
        if "early" in args.parts:
            measure_early(desktop, screen, args)

def line(what, ours, none):
    ratio = ours / none
    verdict = "ok" if ratio <= 1.3 else "OVER"
    print(f"{what:<30} {ours * 1000:7.1f} ms, over none {none * 1000:7.1f} ms, "
          f"ratio {ratio:5.2f} (goal 1.3x: {verdict})")


if __name__ == "__main__":
    main()
