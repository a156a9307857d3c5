"""Background processes of an end-to-end test: started with their output in a log file, ended in
reverse order at the end whatever happens, and killed by the kernel if the test itself dies."""

import ctypes
import os
import signal
import subprocess

_PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


class Processes:
    def __init__(self, log_dir):
        self.log_dir = log_dir
        self._running = []

    def start(self, name, argv, env, stdin=subprocess.DEVNULL, stdout=None, pass_fds=()):
        """Starts argv; its output goes to NAME.log in the log folder unless stdout is given."""
        log = open(os.path.join(self.log_dir, name + ".log"), "ab")
        process = subprocess.Popen(
            argv, env=env, stdin=stdin, stdout=stdout if stdout is not None else log,
            stderr=log, pass_fds=pass_fds, preexec_fn=_die_with_parent)
        log.close()
        process.name = name
        self._running.append(process)
        return process

    def stop(self, process, timeout=3.0):
        """Ends the process politely, then by force; its exit status."""
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        for stream in (process.stdin, process.stdout):
            if stream is not None:
                stream.close()
        if process in self._running:
            self._running.remove(process)
        return process.returncode

    def stop_all(self):
        for process in reversed(list(self._running)):
            self.stop(process)
