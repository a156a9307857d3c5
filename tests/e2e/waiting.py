"""Waiting by polling, never by fixed sleeps, and the two ways a test ends early."""

import time

SKIP_RETURN_CODE = 77


class Skip(Exception):
    """The test cannot run on this machine; the message says why."""


class Failure(AssertionError):
    """What the program did differs from what the test expects."""


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls predicate until it returns something true, and returns that; fails after timeout
    seconds, naming what was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Failure(f"waited {timeout:g} s in vain for {what}")
        time.sleep(interval)
