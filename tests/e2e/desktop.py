"""A private desktop for one end-to-end test: an X display with a window manager and a tray
host, a session bus with the accessibility bus, a sound server with a null sink, an empty home
and hive, and a network namespace of its own in which the program runs and modem links come and
go. Everything is torn down at the end, whatever happens."""

import contextlib
import os
import shutil
import subprocess
import tempfile

import a11y
import hive_tool
from network import PrivateNetwork
from processes import Processes
from sound import SoundWatch
from waiting import Failure, Skip, wait_until
from x11 import MAX_ICON_SIZE, Display

TOOLS = ["Xvfb", "xdpyinfo", "xprop", "xwininfo", "openbox", "trayer", "xdotool", "import",
         "dbus-daemon", "dbus-send", "pulseaudio", "pactl", "ip"]
AT_SPI_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
# Variables of the caller's desktop that must not leak into the private one.
FOREIGN_VARIABLES = ["DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
                     "AT_SPI_BUS_ADDRESS", "PULSE_SERVER", "QT_QPA_PLATFORM", "SESSION_MANAGER",
                     "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP", "DORVANTIX_HIVE", "CUPS_SERVER"]


def check_can_run():
    """Raises Skip, saying why, when this machine cannot hold a private desktop."""
    if os.geteuid() != 0:
        raise Skip("needs root to make a private network namespace")
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if not os.access(AT_SPI_BUS_LAUNCHER, os.X_OK):
        missing.append(AT_SPI_BUS_LAUNCHER + " (at-spi2-core)")
    try:
        import pyatspi  # noqa: F401  (only whether it is there)
    except ImportError:
        missing.append("pyatspi (python3-pyatspi)")
    if missing:
        raise Skip("missing " + ", ".join(missing))


class Desktop:
    def __init__(self, output_dir, program, modem_link_helper, reg_tool=None,
                 locale="C.UTF-8", tray_host=True):
        self.output_dir = output_dir
        self.with_tray_host = tray_host
        self.program_path = program
        self.modem_link_helper = modem_link_helper
        self.reg_tool = reg_tool
        self.locale = locale
        self.program = None
        self._stack = contextlib.ExitStack()

    def __enter__(self):
        check_can_run()
        shutil.rmtree(self.output_dir, ignore_errors=True)
        os.makedirs(self.output_dir)
        try:
            self._make_home()
            self.processes = Processes(self.output_dir)
            self._stack.callback(self.processes.stop_all)
            self._start_display()
            self._start_buses()
            self._start_sound()
            self.network = PrivateNetwork(self.env, self.processes, self.modem_link_helper)
            self._stack.enter_context(self.network)
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

    def _make_home(self):
        self.root = tempfile.mkdtemp(prefix="dorvantix-e2e-")
        self._stack.callback(shutil.rmtree, self.root, ignore_errors=True)
        env = {key: value for key, value in os.environ.items()
               if key not in FOREIGN_VARIABLES and not key.startswith(("XDG_", "LC_"))}
        folders = {"HOME": "home", "XDG_CONFIG_HOME": "home/.config",
                   "XDG_DATA_HOME": "home/.local/share", "XDG_CACHE_HOME": "home/.cache",
                   "XDG_RUNTIME_DIR": "runtime"}
        for variable, folder in folders.items():
            env[variable] = os.path.join(self.root, folder)
            os.makedirs(env[variable], mode=0o700, exist_ok=True)
        env["DORVANTIX_HIVE"] = self.hive = os.path.join(self.root, "hive.db")
        # The machine's printers are never seen: a test prints through the private scheduler
        # it runs beside (tests/support/with_print_system.sh), or through none at all.
        env["CUPS_SERVER"] = os.environ.get("DORVANTIX_TEST_CUPS_SERVER") or os.path.join(
            self.root, "no-print-system", "cups.sock")
        env["LANG"] = env["LC_ALL"] = self.locale
        self.env = env

    def _start_display(self):
        reader, writer = os.pipe()
        self.processes.start("Xvfb", ["Xvfb", "-displayfd", str(writer), "-screen", "0",
                                      "1024x768x24", "-nolisten", "tcp", "-noreset"],
                             self.env, pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader) as announced:
            number = announced.readline().strip()
        if not number:
            raise Failure("Xvfb did not start (see Xvfb.log)")
        self.env["DISPLAY"] = ":" + number
        self.x = Display(self.env)
        wait_until(self.x.is_up, 10, "the X display")
        self.processes.start("openbox", ["openbox", "--sm-disable"], self.env)
        wait_until(lambda: self.x.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                      check=False).stdout.count("window id"), 10,
                   "the window manager")
        if self.with_tray_host:
            self.start_tray_host()

    def start_tray_host(self):
        self.tray_host = self.processes.start(
            "trayer", ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                       "--height", "24", "--SetDockType", "true", "--transparent", "false"],
            self.env)
        # An empty tray has no width and is not shown; it is ready once it owns the tray.
        wait_until(lambda: self.x.selection_owner("_NET_SYSTEM_TRAY_S0"), 10, "the tray host")

    def stop_tray_host(self):
        self.processes.stop(self.tray_host)
        wait_until(lambda: not self.x.selection_owner("_NET_SYSTEM_TRAY_S0"), 10,
                   "the tray host to go")

    def _start_buses(self):
        bus = self.processes.start(
            "dbus-session", ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                             "--address=unix:path=" + os.path.join(self.env["XDG_RUNTIME_DIR"],
                                                                   "bus"),
                             "--print-address=1"],
            self.env, stdout=subprocess.PIPE)
        address = bus.stdout.readline().decode().strip()
        if not address:
            raise Failure("the session bus did not start (see dbus-session.log)")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.processes.start("at-spi-bus", [AT_SPI_BUS_LAUNCHER, "--launch-immediately"],
                             self.env)
        wait_until(lambda: self.x.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], check=False).returncode == 0, 10,
            "the accessibility bus")
        # This process reads the screen through the same buses.
        for variable in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            os.environ[variable] = self.env[variable]

    def _start_sound(self):
        self.processes.start(
            "pulseaudio", ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
                           "--load=module-native-protocol-unix",
                           "--load=module-null-sink sink_name=testsink"], self.env)
        wait_until(lambda: self.x.run(["pactl", "info"], check=False).returncode == 0, 10,
                   "the sound server")

    # The program.

    def seed_hive(self, regedit4_text):
        """Writes REGEDIT4 text into the hive with the hive tool; Skip when it is not built."""
        if not self.reg_tool:
            raise Skip("the hive tool dorvantix-reg is not built")
        path = os.path.join(self.root, "seed.reg")
        with open(path, "w", encoding="utf-8") as seed:
            seed.write(regedit4_text)
        self.x.run([self.reg_tool, "import", path])

    def read_hive(self, key=""):
        """The hive, or a key's subtree, as REGEDIT4 text from the hive tool."""
        if not self.reg_tool:
            raise Skip("the hive tool dorvantix-reg is not built")
        return self.x.run([self.reg_tool, "export", *([key] if key else [])]).stdout

    def read_values(self, key, *names):
        """The named values of a key, from the hive tool (see hive_tool.query_values)."""
        return hive_tool.query_values(lambda argv: self.x.run(argv, check=False), self.reg_tool,
                                      key, names)

    def subkeys(self, key):
        """The names of a key's direct subkeys, from the hive tool's query; none when the key
        does not exist."""
        if not self.reg_tool:
            raise Skip("the hive tool dorvantix-reg is not built")
        result = self.x.run([self.reg_tool, "query", key], check=False)
        if result.returncode != 0:
            return []
        # After the key's section and value lines, one line per subkey: its name and "\".
        return [line[:-1] for line in result.stdout.splitlines()
                if line.endswith("\\") and not line.startswith(("[", '"', "@"))]

    def watch_sounds(self):
        """Counts the sounds played from now on (use with "with")."""
        return SoundWatch(self.processes, self.env)

    def start_program(self, extra_env=None, arguments=()):
        if not os.access(self.program_path, os.X_OK):
            raise Failure(f"the program {self.program_path} is not built")
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   QT_QPA_PLATFORM="xcb", **(extra_env or {}))
        self.program = self.processes.start(
            "dorvantix", self.network.exec_argv([self.program_path, *arguments]), env)
        return self.program

    def wait_for_exit(self, timeout=10):
        try:
            return self.program.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running after {timeout} s") from None

    def tray_icons(self):
        """The program's icon windows embedded in the tray host."""
        if self.program is None:
            return []
        hosts = set(self.x.search("--class", "trayer"))
        icons = []
        for window in self.x.search("--onlyvisible", "--pid", self.program.pid):
            geometry = self.x.geometry(window)
            if geometry and max(geometry[2], geometry[3]) <= MAX_ICON_SIZE \
                    and hosts.intersection(self.x.ancestors(window)):
                icons.append(window)
        return icons

    def wait_for_tray_icon(self, timeout=15):
        return wait_until(self.tray_icons, timeout, "the program's icon in the tray")[0]

    def open_from_tray(self, icon, title, attempts=3):
        """Double-clicks the icon until the window with the title shows; a double click can
        arrive as two single clicks."""
        for _ in range(attempts):
            self.x.double_click(icon)
            try:
                return self.x.wait_for_window(title, timeout=3)
            except Failure:
                continue
        raise Failure(f'a double click on the tray icon did not show "{title}"')

    def open_tray_menu(self, icon):
        """Opens the tray menu with the right button; the menu's accessible object."""
        with a11y.EventLog("object:state-changed:showing") as events:
            self.x.right_click(icon)
            return events.wait_for(
                lambda kind, shown, source: shown and source.getRoleName() == "popup menu", 5,
                "the tray menu to show")

    def accessible_program(self):
        return a11y.application("dorvantix")

    def screenshot(self, name):
        path = os.path.join(self.output_dir, name + ".png")
        if getattr(self, "x", None) and self.x.screenshot(path):
            print("screenshot:", path)
