#!/usr/bin/python3
"""The program in the tray beside the bare tray program, on a private desktop (an X display, a
window manager, a tray host, a session bus and a sound server):

- start: the time from starting a program to its icon showing in the tray, the median of
  several starts, the two programs taking turns;
- idle: both programs in the tray at once for a fixed run (the program monitoring for a call
  that never comes), their CPU time over that run and their peak resident memory.

    bench/desktop/tray_bench.py --program build/src/app/dorvantix \
        --bare build/bench/desktop/dorvantix-bare-tray --reg build/src/app/regtool/dorvantix-reg

Each figure is shown beside the bare program's and as their ratio."""

import argparse
import ctypes
import ctypes.util
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))
from processes import Processes  # noqa: E402
from waiting import wait_until  # noqa: E402
from x11 import MAX_ICON_SIZE, Display  # noqa: E402

FIRST_RUN_SEED = """REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]
"FirstRun"=dword:00000001
"""


class XTree:
    """The windows of the display, read through Xlib in this process so that looking for an
    icon costs the programs being measured next to nothing."""

    class Attributes(ctypes.Structure):
        _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                    ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                    ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                    ("root", ctypes.c_ulong), ("class_", ctypes.c_int),
                    ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                    ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                    ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                    ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                    ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                    ("your_event_mask", ctypes.c_long),
                    ("do_not_propagate_mask", ctypes.c_long),
                    ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]

    IS_VIEWABLE = 2

    def __init__(self, display_name):
        x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                 ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                           ctypes.POINTER(XTree.Attributes)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSetErrorHandler.argtypes = [ctypes.c_void_p]
        self._handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda display, error: 0)  # windows may go while they are looked at
        x.XSetErrorHandler(ctypes.cast(self._handler, ctypes.c_void_p))
        self.x = x
        self.display = x.XOpenDisplay(display_name.encode())
        self.pid_atom = x.XInternAtom(self.display, b"_NET_WM_PID", 0)

    def children(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        kids, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.x.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(kids), ctypes.byref(count)):
            return []
        found = [kids[i] for i in range(count.value)]
        if kids:
            self.x.XFree(kids)
        return found

    def pid(self, window):
        kind, size = ctypes.c_ulong(), ctypes.c_int()
        items, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        if self.x.XGetWindowProperty(self.display, window, self.pid_atom, 0, 1, 0, 0,
                                     ctypes.byref(kind), ctypes.byref(size),
                                     ctypes.byref(items), ctypes.byref(after),
                                     ctypes.byref(data)) != 0 or not data.value:
            return None
        pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if items.value else None
        self.x.XFree(data)
        return pid

    def viewable_icon(self, window):
        attributes = XTree.Attributes()
        if not self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)):
            return False
        return (attributes.map_state == XTree.IS_VIEWABLE
                and max(attributes.width, attributes.height) <= MAX_ICON_SIZE)

    def icon_of(self, pid, hosts):
        """Whether a viewable icon window of the process sits inside one of the host windows."""
        pending = list(hosts)
        while pending:
            window = pending.pop()
            if self.pid(window) == pid and self.viewable_icon(window):
                return True
            pending.extend(self.children(window))
        return False


class Desktop:
    def __init__(self, output_dir):
        self.output_dir = output_dir

    def __enter__(self):
        self.root = tempfile.mkdtemp(prefix="dorvantix-bench-")
        os.makedirs(self.output_dir, exist_ok=True)
        self.processes = Processes(self.output_dir)
        keep = ("PATH", "LANG", "TERM")
        env = {key: os.environ[key] for key in keep if key in os.environ}
        for variable, folder in {"HOME": "home", "XDG_CONFIG_HOME": "home/.config",
                                 "XDG_DATA_HOME": "home/.local/share",
                                 "XDG_CACHE_HOME": "home/.cache",
                                 "XDG_RUNTIME_DIR": "runtime"}.items():
            env[variable] = os.path.join(self.root, folder)
            os.makedirs(env[variable], mode=0o700, exist_ok=True)
        env["DORVANTIX_HIVE"] = os.path.join(self.root, "hive.db")
        env.setdefault("LANG", "C.UTF-8")
        self.env = env
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *error):
        self.processes.stop_all()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def _start(self):
        reader, writer = os.pipe()
        self.processes.start("Xvfb", ["Xvfb", "-displayfd", str(writer), "-screen", "0",
                                      "1024x768x24", "-nolisten", "tcp", "-noreset"],
                             self.env, pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader) as announced:
            self.env["DISPLAY"] = ":" + announced.readline().strip()
        self.x = Display(self.env)
        wait_until(self.x.is_up, 10, "the X display")
        self.processes.start("openbox", ["openbox", "--sm-disable"], self.env)
        bus = self.processes.start(
            "dbus-session", ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                             "--address=unix:path=" + os.path.join(self.env["XDG_RUNTIME_DIR"],
                                                                   "bus"),
                             "--print-address=1"], self.env, stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        if shutil.which("pulseaudio"):
            self.processes.start(
                "pulseaudio", ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
                               "--load=module-native-protocol-unix",
                               "--load=module-null-sink sink_name=testsink"], self.env)
            wait_until(lambda: self.x.run(["pactl", "info"], check=False).returncode == 0, 10,
                       "the sound server")
        self.processes.start(
            "trayer", ["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                       "request", "--height", "24", "--SetDockType", "true", "--transparent",
                       "false"], self.env)
        wait_until(lambda: self.x.selection_owner("_NET_SYSTEM_TRAY_S0"), 10, "the tray host")
        wait_until(lambda: self.x.search("--class", "trayer"), 10, "the tray's windows")
        self.tree = XTree(self.env["DISPLAY"])

    def seed_hive(self, reg_tool, text):
        path = os.path.join(self.root, "seed.reg")
        with open(path, "w", encoding="utf-8") as seed:
            seed.write(text)
        self.x.run([reg_tool, "import", path])

    def start(self, name, program):
        """Starts the program and waits for its icon in the tray; the process and the seconds
        from its start to the icon."""
        env = dict(self.env, QT_QPA_PLATFORM="xcb")
        hosts = self.x.search("--class", "trayer")
        began = time.monotonic()
        process = self.processes.start(name, [program], env)
        wait_until(lambda: self.tree.icon_of(process.pid, hosts), 20,
                   f"the icon of {name} in the tray", interval=0.002)
        return process, time.monotonic() - began

    def stop(self, process):
        self.processes.stop(process)


def cpu_seconds(pid):
    """The CPU time of every thread of the process so far, exactly (the scheduler's count)."""
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as stat:
                total += int(stat.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total / 1e9


def peak_rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


def measure_starts(desktop, programs, count):
    times = {name: [] for name in programs}
    for _ in range(count):
        for name, path in programs.items():
            process, seconds = desktop.start(name, path)
            times[name].append(seconds)
            time.sleep(0.5)
            desktop.stop(process)
            time.sleep(0.5)
    return {name: statistics.median(values) for name, values in times.items()}, times


def measure_idle(desktop, programs, seconds, settle):
    running = {name: desktop.start(name, path)[0] for name, path in programs.items()}
    time.sleep(settle)
    before = {name: cpu_seconds(process.pid) for name, process in running.items()}
    time.sleep(seconds)
    cpu = {name: cpu_seconds(process.pid) - before[name] for name, process in running.items()}
    rss = {name: peak_rss_mb(process.pid) for name, process in running.items()}
    for process in running.values():
        desktop.stop(process)
    return cpu, rss


def line(what, ours, bare, unit, goal):
    ratio = ours / bare if bare else float("inf")
    verdict = "ok" if ratio <= goal else "OVER"
    print(f"{what:<22} dorvantix {ours:9.1f} {unit:<3} bare {bare:9.1f} {unit:<3} "
          f"ratio {ratio:5.2f} (goal {goal}x: {verdict})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the built dorvantix")
    parser.add_argument("--bare", required=True, help="the built dorvantix-bare-tray")
    parser.add_argument("--reg", required=True, help="the built dorvantix-reg")
    parser.add_argument("--seconds", type=float, default=60, help="length of the idle run")
    parser.add_argument("--settle", type=float, default=5,
                        help="seconds in the tray before the idle run is measured")
    parser.add_argument("--starts", type=int, default=5, help="starts of each program")
    parser.add_argument("--idle-runs", type=int, default=1, help="idle runs")
    parser.add_argument("--output", default=os.path.join(tempfile.gettempdir(),
                                                         "dorvantix-tray-bench"),
                        help="folder for the processes' logs")
    args = parser.parse_args()
    programs = {"dorvantix": os.path.abspath(args.program), "bare": os.path.abspath(args.bare)}
    with Desktop(args.output) as desktop:
        desktop.seed_hive(args.reg, FIRST_RUN_SEED)
        if args.starts:
            medians, times = measure_starts(desktop, programs, args.starts)
            for name, values in times.items():
                print(f"start {name}: " + " ".join(f"{v * 1000:.0f}" for v in values) + " ms")
            line("start to tray icon", medians["dorvantix"] * 1000, medians["bare"] * 1000,
                 "ms", 1.3)
        for run in range(args.idle_runs):
            cpu, rss = measure_idle(desktop, programs, args.seconds, args.settle)
            line(f"idle CPU ({args.seconds:g} s)", cpu["dorvantix"] * 1000, cpu["bare"] * 1000,
                 "ms", 1.2)
            line("peak RSS", rss["dorvantix"], rss["bare"], "MB", 1.3)


if __name__ == "__main__":
    main()
