"""A call recorded as a user meets it: with a tariff seeded by the hive tool, a modem link that
comes up for a few seconds and goes down becomes one "Automatic Connection" record holding the
call's seconds and charge, and the totals grow by them. A LAN link alone records nothing."""

import re
import subprocess
import time

import harness
from waiting import Failure, Skip, wait_until

PRODUCT = "HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix"
SESSIONS = "Software\\Ostravane\\Dorvantix\\Sessions"
# Every rate 6p a minute (a tenth of a penny a second) and a minimum charge of 5p, so a call of
# a few seconds costs the minimum charge at any time of the week.
SEED = f"""REGEDIT4

[{PRODUCT}]
"FirstRun"=dword:00000001
"OffPeakStart"="18:00:00"
"OffPeakEnd"="08:00:00"
"WeekendStart"="18:00:00"
"WeekendEnd"="08:00:00"
"PeakPerSecond"=dword:0000003c
"OffPeakPerSecond"=dword:0000003c
"WeekendPerSecond"=dword:0000003c
"MinCallCharge"=dword:00000032
"DefaultDescription"="Dial-up"
"TotalCallTime"=dword:00000064
"TotalCallCharges"="1.00"
"""
CALL_SECONDS = 5


def money(text):
    """The amount of a money text in hundredths, whatever the locale put around it."""
    digits = re.sub(r"[^0-9.]", "", text)
    if not re.fullmatch(r"\d+(\.\d+)?", digits):
        raise Failure(f"not a money text: {text!r}")
    return round(float(digits) * 100)


def record_names(desktop):
    return desktop.subkeys(SESSIONS)


def record(desktop):
    return desktop.read_values(f"{SESSIONS}\\0", "ConnectionName", "Description", "CallTime",
                               "CallCharges")


def totals(desktop):
    return desktop.read_values(PRODUCT, "TotalCallTime", "TotalCallCharges")


def lan_link(desktop):
    """Puts up an Ethernet link (a veth pair, else a dummy link) in the test's namespace."""
    for add in (["ip", "link", "add", "lan0", "type", "veth", "peer", "name", "lan1"],
                ["ip", "link", "add", "lan0", "type", "dummy"]):
        if subprocess.run(desktop.network.exec_argv(add), capture_output=True).returncode == 0:
            for name in ("lan0", "lan1"):
                subprocess.run(desktop.network.exec_argv(["ip", "link", "set", name, "up"]),
                               capture_output=True)
            wait_until(lambda: re.search(r"^lan0(@\S+)?\s+(UP|UNKNOWN)", desktop.network.links(),
                                         re.MULTILINE), 10, "the LAN link to come up")
            return
    raise Skip("cannot make an Ethernet link in the namespace (no veth or dummy links)")


def remove_lan_link(desktop):
    subprocess.run(desktop.network.exec_argv(["ip", "link", "delete", "lan0"]),
                   capture_output=True)
    wait_until(lambda: "lan0" not in desktop.network.links(), 10, "the LAN link to go")


def check_lan_records_nothing(desktop, before):
    """With a LAN link up for three ticks of the monitor and gone again, the store is as it
    was."""
    lan_link(desktop)
    time.sleep(3)
    remove_lan_link(desktop)
    time.sleep(1.5)
    after = desktop.read_hive()
    if after != before:
        raise Failure(f"a LAN link changed the log: {record_names(desktop)}\n{after}")


def dial_and_hang_up(desktop):
    with desktop.network.modem_link("ppp0"):
        started = time.monotonic()
        time.sleep(CALL_SECONDS)
    held = time.monotonic() - started
    # The description is the record's last value.
    wait_until(lambda: "Description" in record(desktop), 10, "the call's record")
    return held


def check_the_record(desktop, held):
    names = record_names(desktop)
    if names != ["0"]:
        raise Failure(f"expected one record named 0, found {names}")
    stored = record(desktop)
    product = totals(desktop)
    if stored.get("ConnectionName") != "Automatic Connection":
        raise Failure(f"the record is not an automatic connection: {stored}")
    if stored.get("Description") != "Dial-up":
        raise Failure(f"the record's description is not the default one: {stored}")
    seconds = int(stored.get("CallTime", "-1"))
    # The monitor sees the link at its first tick after it came up, and the call keeps the
    # seconds of its last tick before the hang-up: up to two ticks less than it was held.
    if not held - 3 <= seconds <= held or seconds < 1:
        raise Failure(f"the call was held {held:.1f} s but recorded as {seconds} s")
    if money(stored["CallCharges"]) != 5:
        raise Failure(f"a short call should cost the minimum charge: {stored['CallCharges']!r}")
    if product.get("TotalCallTime") != str(100 + seconds):
        raise Failure(f"the total time did not grow by {seconds} s: {product}")
    if money(product["TotalCallCharges"]) != 105:
        raise Failure(f"the total charges did not grow by the call's: {product}")


def test(desktop):
    desktop.seed_hive(SEED)
    desktop.start_program()
    desktop.wait_for_tray_icon()
    held = dial_and_hang_up(desktop)
    check_the_record(desktop, held)
    check_lan_records_nothing(desktop, desktop.read_hive())


if __name__ == "__main__":
    harness.run(test)
