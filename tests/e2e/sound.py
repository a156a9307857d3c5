"""Sound streams on the test's sound server: every stream that opens on its null sink shows as a
'new' sink-input event, so a test can count the streams the program opens, and the server lists
the streams playing now with the name of the application each belongs to."""

import re
import subprocess
import threading

from waiting import wait_until

_NEW_STREAM = re.compile(r"Event 'new' on sink-input #\d+")
_APPLICATION_NAME = re.compile(r'^\s*application\.name = "([^"]*)"', re.MULTILINE)


class SoundWatch:
    def __init__(self, processes, env):
        self._processes = processes
        self._env = env
        self._count = 0
        self._lock = threading.Lock()
        self._ready = threading.Event()
        self._process = processes.start("pactl-subscribe", ["pactl", "subscribe"], env,
                                        stdout=subprocess.PIPE)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        # pactl says nothing until an event comes: change the sink until it reports that.
        def listening():
            for mute in ("1", "0"):
                subprocess.run(["pactl", "set-sink-mute", "testsink", mute], env=env,
                               capture_output=True)
            return self._ready.wait(0.2)
        wait_until(listening, 10, "the sound server's events")

    def _read(self):
        for line in self._process.stdout:
            self._ready.set()
            if _NEW_STREAM.search(line.decode(errors="replace")):
                with self._lock:
                    self._count += 1

    @property
    def plays(self):
        with self._lock:
            return self._count

    def wait_for_plays(self, count, timeout=10):
        wait_until(lambda: self.plays >= count, timeout, f"{count} sound stream(s) to open")

    def playing_applications(self):
        """The application names of the streams playing now, one per stream."""
        listed = subprocess.run(["pactl", "list", "sink-inputs"], env=self._env,
                                capture_output=True, text=True)
        return _APPLICATION_NAME.findall(listed.stdout)

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self._processes.stop(self._process)
        self._reader.join(timeout=5)
        return False
