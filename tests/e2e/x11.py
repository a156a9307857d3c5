"""The private X display as a user meets it: windows found by title or by owner, the mouse and
the keyboard through xdotool, screenshots."""

import ctypes
import ctypes.util
import re
import subprocess

from waiting import wait_until

# A tray icon is a small window; a top-level window of the program is larger.
MAX_ICON_SIZE = 32


class Display:
    def __init__(self, env):
        self.env = env

    def run(self, argv, check=True):
        # The hive tool and the X tools write UTF-8, whatever this process's locale is.
        result = subprocess.run(argv, env=self.env, capture_output=True, encoding="utf-8",
                                errors="replace", timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(argv)} failed: {result.stderr.strip()}")
        return result

    def xdotool(self, *args, check=True):
        return self.run(["xdotool", *map(str, args)], check=check).stdout

    def search(self, *criteria):
        """Window ids that xdotool search finds; none is not an error."""
        output = self.xdotool("search", *criteria, check=False)
        return [int(line) for line in output.split()]

    def selection_owner(self, selection):
        """The window that owns the selection (a tray host owns _NET_SYSTEM_TRAY_S0), or 0."""
        xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XInternAtom.restype = ctypes.c_ulong
        xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        xlib.XGetSelectionOwner.restype = ctypes.c_ulong
        xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        connection = xlib.XOpenDisplay(self.env["DISPLAY"].encode())
        if not connection:
            return 0
        try:
            atom = xlib.XInternAtom(connection, selection.encode(), 0)
            return xlib.XGetSelectionOwner(connection, atom)
        finally:
            xlib.XCloseDisplay(connection)

    def is_up(self):
        return self.run(["xdpyinfo"], check=False).returncode == 0

    def geometry(self, window):
        """(x, y, width, height), or None when the window is gone."""
        result = self.run(["xdotool", "getwindowgeometry", "--shell", str(window)], check=False)
        if result.returncode != 0:
            return None
        values = dict(line.split("=", 1) for line in result.stdout.split() if "=" in line)
        try:
            return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
        except KeyError:
            return None

    def ancestors(self, window):
        """The windows that hold this one, innermost first, up to the root."""
        chain = []
        while True:
            result = self.run(["xwininfo", "-tree", "-id", str(window)], check=False)
            found = re.search(r"Parent window id: (0x[0-9a-f]+)", result.stdout)
            if result.returncode != 0 or not found:
                return chain
            parent = int(found.group(1), 16)
            if "(the root window)" in result.stdout.split("Parent window id:")[1].splitlines()[0]:
                return chain + [parent]
            chain.append(parent)
            window = parent

    def visible_windows_titled(self, title):
        return self.search("--onlyvisible", "--name", "^" + re.escape(title) + "$")

    def wait_for_window(self, title, timeout=10):
        return wait_until(lambda: self.visible_windows_titled(title), timeout,
                          f'a visible window titled "{title}"')[0]

    def wait_until_no_window(self, title, timeout=10):
        wait_until(lambda: not self.visible_windows_titled(title), timeout,
                   f'no visible window titled "{title}"')

    def window_state(self, window):
        """The ICCCM state the window manager gave the window: "Normal", "Iconic" (minimised)
        or "Withdrawn" (hidden), or None when it has none."""
        output = self.run(["xprop", "-id", str(window), "WM_STATE"], check=False).stdout
        found = re.search(r"window state: (\w+)", output)
        return found.group(1) if found else None

    def windows_titled(self, title):
        """Every window with this title, shown or not."""
        return self.search("--name", "^" + re.escape(title) + "$")

    def close_window(self, window):
        """Closes the window as a user does: Alt+F4 to the window manager."""
        self.xdotool("windowactivate", "--sync", window, check=False)
        self.key("alt+F4")

    def minimise_window(self, window):
        self.xdotool("windowminimize", "--sync", window)

    def double_click(self, window):
        width, height = self._size(window)
        self.xdotool("mousemove", "--window", window, width // 2, height // 2,
                     "click", "--repeat", 2, "--delay", 80, 1)

    def right_click(self, window):
        width, height = self._size(window)
        self.xdotool("mousemove", "--window", window, width // 2, height // 2, "click", 3)

    def key(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def screenshot(self, path):
        return self.run(["import", "-window", "root", path], check=False).returncode == 0

    def _size(self, window):
        geometry = self.geometry(window)
        return (geometry[2], geometry[3]) if geometry else (22, 22)
