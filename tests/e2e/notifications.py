"""A real notification server on the test's private desktop: dunst, on its X display and its
session bus. What it received is read back as a user's notification centre keeps it: a shown
notification with `dunstctl count displayed`, its action with `dunstctl action`, and, once
closed, its texts from `dunstctl history`."""

import json
import os
import shutil

from waiting import Skip, wait_until

# Nothing of the machine's own configuration: a small, plain setup.
_CONFIG = """[global]
    font = Liberation Sans 9
    width = 300
    origin = top-right
    offset = 10x30
    show_indicators = no

# dunst keeps no urgency in its history: a critical notification's text says it.
[critical]
    msg_urgency = critical
    format = "critical: %s\\n%b"
"""


class NotificationServer:
    def __init__(self, desktop):
        if not shutil.which("dunst") or not shutil.which("dunstctl"):
            raise Skip("missing dunst (the notification server of the tests)")
        self._desktop = desktop
        config = os.path.join(desktop.root, "dunstrc")
        with open(config, "w", encoding="utf-8") as out:
            out.write(_CONFIG)
        self._process = desktop.processes.start("dunst", ["dunst", "-config", config],
                                                desktop.env)
        wait_until(lambda: self._ctl("is-paused").returncode == 0, 10,
                   "the notification server on the session bus")

    def _ctl(self, *arguments):
        return self._desktop.x.run(["dunstctl", *arguments], check=False)

    def displayed(self):
        """How many notifications show now."""
        counted = self._ctl("count", "displayed").stdout.strip()
        return int(counted) if counted.isdigit() else 0

    def choose_action(self):
        """The user picks the action of the notification on top (its default action)."""
        self._ctl("action", "0")

    def close_all(self):
        """The user closes every notification shown; they go into the history."""
        self._ctl("close-all")

    def history(self):
        """The closed notifications, latest first, each as {"summary", "body", "appname",
        "urgency", ...} with plain values."""
        result = self._ctl("history")
        if result.returncode != 0 or not result.stdout.strip():
            return []
        notifications = json.loads(result.stdout).get("data", [[]])[0]
        closed = [{key: value.get("data") for key, value in notification.items()}
                  for notification in notifications]
        for notification in closed:
            critical = (notification.get("message") or "").startswith("critical: ")
            notification["urgency"] = "CRITICAL" if critical else "NORMAL OR LOW"
        return closed
