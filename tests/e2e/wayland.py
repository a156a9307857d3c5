"""A private Wayland desktop for one end-to-end test: sway on its headless backend with XWayland,
waybar as its StatusNotifier tray, and a session bus of its own. sway refuses to run as root, so
the desktop and the program run as an unprivileged user made for the test (and removed again if
the test made it); the test itself stays root and reads the tray over the bus, the windows over
sway's IPC and the screen with grim. Everything is torn down at the end, whatever happens."""

import contextlib
import glob
import json
import os
import pwd
import shutil
import subprocess
import tempfile
import time

import hive_tool
import status_notifier as sni
from processes import Processes
from waiting import Failure, Skip, wait_until

USER = "dorvantix-e2e"
TOOLS = ["sway", "swaymsg", "waybar", "Xwayland", "grim", "dbus-daemon", "setpriv", "useradd",
         "userdel"]
QT_WAYLAND_PLUGIN = "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"
BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""
WAYBAR_CONFIG = {"layer": "top", "position": "top", "height": 30, "modules-right": ["tray"],
                 "tray": {"spacing": 4}}
# XWayland starts with sway; the session's display names are written where the test reads them.
SWAY_CONFIG = """xwayland enable
exec waybar -c {waybar}
exec sh -c 'printf "%s\\n%s\\n%s\\n" "$WAYLAND_DISPLAY" "$DISPLAY" "$SWAYSOCK" > {session}.new \
&& mv {session}.new {session}'
"""


def check_can_run():
    if os.geteuid() != 0:
        raise Skip("needs root to make the unprivileged user that sway runs as")
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if not glob.glob(QT_WAYLAND_PLUGIN):
        missing.append("the Qt Wayland platform plugin (qt6-wayland)")
    try:
        from gi.repository import Gio  # noqa: F401  (only whether it is there)
    except ImportError:
        missing.append("gi.repository.Gio (python3-gi)")
    if missing:
        raise Skip("missing " + ", ".join(missing))


class Window:
    def __init__(self, node):
        self.title = node.get("name")
        # The window's own area: sway's rect holds the border and title it draws around it, and
        # it draws the title or not as it sees fit, so only the area inside stays put.
        rect = node.get("rect", {})
        inside = node.get("window_rect", {})
        self.x = rect.get("x", 0) + inside.get("x", 0)
        self.y = rect.get("y", 0) + inside.get("y", 0)
        self.width, self.height = inside.get("width"), inside.get("height")
        self.shell = node.get("shell")  # "xwayland" or "xdg_shell"
        self.visible = node.get("visible")

    def __repr__(self):
        return (f"{self.title!r} at ({self.x}, {self.y}) {self.width}x{self.height} "
                f"on {self.shell}")


class WaylandDesktop:
    def __init__(self, output_dir, program, modem_link_helper=None, reg_tool=None):
        self.output_dir = output_dir
        self.program_path = program
        self.reg_tool = reg_tool
        self.program = None
        self._stack = contextlib.ExitStack()

    def __enter__(self):
        check_can_run()
        shutil.rmtree(self.output_dir, ignore_errors=True)
        os.makedirs(self.output_dir)
        try:
            self._make_user()
            self._make_home()
            self.processes = Processes(self.output_dir)
            self._stack.callback(self.processes.stop_all)
            self._start_bus()
            self._start_sway()
        except BaseException as error:
            if not isinstance(error, Skip):
                self.screenshot("failure")
            self._stack.close()
            raise
        return self

    def __exit__(self, kind, error, trace):
        if kind is not None and not issubclass(kind, Skip):
            self.screenshot("failure")
        self._stack.close()
        return False

    # The parts of the desktop, in the order they start.

    def _make_user(self):
        try:
            pwd.getpwnam(USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--no-create-home", "--shell",
                            "/usr/sbin/nologin", USER], check=True, capture_output=True)
            self._stack.callback(subprocess.run, ["userdel", USER], capture_output=True)
        entry = pwd.getpwnam(USER)
        self.uid, self.gid = entry.pw_uid, entry.pw_gid

    def _make_home(self):
        self.root = tempfile.mkdtemp(prefix="dorvantix-wayland-")
        os.chmod(self.root, 0o755)
        self._stack.callback(shutil.rmtree, self.root, ignore_errors=True)
        self.home = os.path.join(self.root, "home")
        self.runtime = os.path.join(self.root, "runtime")
        for folder in (self.home, self.runtime):
            os.makedirs(folder, mode=0o700)
            os.chown(folder, self.uid, self.gid)
        self.hive = os.path.join(self.home, "hive.db")
        self.env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": self.home,
                    "XDG_RUNTIME_DIR": self.runtime, "XDG_SESSION_TYPE": "wayland",
                    "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "DORVANTIX_HIVE": self.hive,
                    "CUPS_SERVER": os.path.join(self.root, "no-print-system", "cups.sock")}

    def _as_user(self, argv):
        return ["setpriv", f"--reuid={self.uid}", f"--regid={self.gid}", "--clear-groups",
                "--pdeathsig=KILL", *argv]

    def _start_bus(self):
        config = os.path.join(self.root, "bus.conf")
        with open(config, "w", encoding="utf-8") as out:
            out.write(BUS_CONFIG.format(socket=os.path.join(self.root, "bus")))
        bus = self.processes.start(
            "dbus-session", ["dbus-daemon", "--config-file=" + config, "--nofork",
                             "--nopidfile", "--print-address=1"], self.env,
            stdout=subprocess.PIPE)
        address = bus.stdout.readline().decode().strip()
        if not address:
            raise Failure("the session bus did not start (see dbus-session.log)")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.bus = sni.SessionBus(address)

    def _start_sway(self):
        waybar = os.path.join(self.root, "waybar.json")
        with open(waybar, "w", encoding="utf-8") as out:
            json.dump(WAYBAR_CONFIG, out)
        session = os.path.join(self.runtime, "session")
        sway_config = os.path.join(self.root, "sway.conf")
        with open(sway_config, "w", encoding="utf-8") as out:
            out.write(SWAY_CONFIG.format(waybar=waybar, session=session))
        env = dict(self.env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                   WLR_RENDERER="pixman", WLR_HEADLESS_OUTPUTS="1")
        self.processes.start("sway", self._as_user(["sway", "-c", sway_config]), env)
        wait_until(lambda: os.path.exists(session), 20, "sway to start")
        with open(session, encoding="utf-8") as names:
            wayland_display, x_display, sway_socket = names.read().split("\n")[:3]
        if not wayland_display or not sway_socket:
            raise Failure(f"sway named no Wayland display or socket: {session}")
        self.env["WAYLAND_DISPLAY"] = wayland_display
        self.x_display = x_display
        self.sway_socket = sway_socket
        wait_until(self._tray_host_registered, 20, "waybar's tray on the session bus")

    def _tray_host_registered(self):
        return sni.watcher_is_up(self.bus) and self.bus.get(
            sni.WATCHER, sni.WATCHER_PATH, sni.WATCHER, "IsStatusNotifierHostRegistered")

    # The program.

    def _run_as_user(self, argv, env=None):
        result = subprocess.run(self._as_user(argv), env=env or self.env, capture_output=True,
                                text=True, timeout=30)
        if result.returncode != 0:
            raise RuntimeError(f"{' '.join(argv)} failed: {result.stderr.strip()}")
        return result.stdout

    def seed_hive(self, regedit4_text):
        if not self.reg_tool:
            raise Skip("the hive tool dorvantix-reg is not built")
        path = os.path.join(self.root, "seed.reg")
        with open(path, "w", encoding="utf-8") as seed:
            seed.write(regedit4_text)
        os.chmod(path, 0o644)
        self._run_as_user([self.reg_tool, "import", path])

    def read_values(self, key, *names):
        """The named values of a key, from the hive tool run as the desktop's user (see
        hive_tool.query_values)."""
        def run(argv):
            return subprocess.run(self._as_user(argv), env=self.env, capture_output=True,
                                  text=True, timeout=30)
        return hive_tool.query_values(run, self.reg_tool, key, names)

    def start_program(self, with_x_server=True):
        """Starts the program as a Wayland session starts it: Qt's platform left to it, with
        the session's X server (XWayland) named or not."""
        if not os.access(self.program_path, os.X_OK):
            raise Failure(f"the program {self.program_path} is not built")
        env = dict(self.env)
        if with_x_server:
            env["DISPLAY"] = self.x_display
        self.program = self.processes.start("dorvantix", self._as_user([self.program_path]), env)
        return self.program

    def wait_for_exit(self, timeout=10):
        try:
            return self.program.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running after {timeout} s") from None

    def windows(self):
        """The windows sway manages, tiled or floating."""
        tree = json.loads(self._run_as_user(
            ["swaymsg", "-t", "get_tree"], dict(self.env, SWAYSOCK=self.sway_socket)))
        found = []

        def walk(node):
            if node.get("type") in ("con", "floating_con") and node.get("name") is not None:
                found.append(Window(node))
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)
        walk(tree)
        return found

    def wait_for_window(self, title, timeout=10):
        """The visible window of that title once sway has settled it: sway may place a new
        window again as soon as it has its final size, so the place counts once two readings a
        moment apart agree."""
        def visible():
            return next((w for w in self.windows() if w.title == title and w.visible), None)

        def settled():
            first = visible()
            if first is None:
                return None
            time.sleep(0.3)
            second = visible()
            same = second is not None and (first.x, first.y, first.width, first.height) == \
                (second.x, second.y, second.width, second.height)
            return second if same else None

        return wait_until(settled, timeout, f'a visible window titled "{title}" in its place')

    def screenshot(self, name):
        if not getattr(self, "sway_socket", None):
            return
        path = os.path.join(self.output_dir, name + ".png")
        with open(path, "wb") as picture:
            done = subprocess.run(self._as_user(["grim", "-"]), env=self.env, stdout=picture,
                                  stderr=subprocess.DEVNULL, timeout=30).returncode == 0
        if done:
            print("screenshot:", path)
