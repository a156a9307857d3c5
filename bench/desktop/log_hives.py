"""Hives holding logs of many sessions for the desktop benchmarks. The log is written by
dorvantix-bench-log-hive (the benchmarks' shared hive of N sessions, a million in well under a
minute) into a folder under the system's temporary folder, where it stays across runs and is
made again when the tool is newer; each program run gets a copy of its own with the product's
settings imported over it by dorvantix-reg, so what one run writes never reaches the next."""

import contextlib
import os
import shutil
import sqlite3
import subprocess
import tempfile

CACHE = os.path.join(tempfile.gettempdir(), "dorvantix-bench-hives")
SESSIONS_KEY = "SOFTWARE\\OSTRAVANE\\DORVANTIX\\SESSIONS"


def _remove(path):
    for suffix in ("", "-wal", "-shm", "-journal"):
        if os.path.exists(path + suffix):
            os.remove(path + suffix)


def cached_log(log_tool, sessions):
    """The cached hive holding `sessions` sessions and nothing else, made when missing."""
    os.makedirs(CACHE, exist_ok=True)
    path = os.path.join(CACHE, f"log-{sessions}.db")
    if os.path.exists(path) and os.path.getmtime(path) >= os.path.getmtime(log_tool):
        return path
    partial = path + ".partial"
    _remove(partial)
    subprocess.run([log_tool, partial, str(sessions)], check=True, timeout=1800)
    # The tool leaves the whole log in the main file; the rest is an empty write-ahead log.
    _remove(path)
    os.rename(partial, path)
    _remove(partial)
    return path


def fresh_hive(desktop, reg_tool, log_tool, name, sessions, settings):
    """A new hive in the desktop's folder holding `sessions` sessions and the REGEDIT4 text
    `settings`; its path."""
    hive = os.path.join(desktop.root, name + ".db")
    _remove(hive)
    shutil.copyfile(cached_log(log_tool, sessions), hive)
    seed = os.path.join(desktop.root, name + ".reg")
    with open(seed, "w", encoding="utf-8") as text:
        text.write(settings)
    subprocess.run([reg_tool, "import", seed], env=dict(desktop.env, DORVANTIX_HIVE=hive),
                   check=True, capture_output=True, timeout=600)
    return hive


def holds_record(hive, name):
    """Whether the hive holds a record of that name now, read without writing a byte of it."""
    with contextlib.closing(sqlite3.connect(f"file:{hive}?mode=ro", uri=True,
                                           timeout=5)) as db:
        return db.execute("SELECT count(*) FROM hive_key WHERE folded_path = ?",
                          (f"{SESSIONS_KEY}\\{name}",)).fetchone()[0] == 1


def default_log_tool(program):
    """dorvantix-bench-log-hive in the build folder of the program (build/src/app/dorvantix)."""
    build = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(program))))
    return os.path.join(build, "bench", "support", "dorvantix-bench-log-hive")
