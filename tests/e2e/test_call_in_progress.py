"""A call outlives the program that metered it. Killed during a call (SIGKILL, as a crash or a
power cut does), the program has kept the call in its hive at the start and at each whole
minute, and its next start records the call up to that minute, in the log and the totals. Asked
to end during a call (SIGTERM, as at log-out or shutdown), it records the call up to that
moment before it ends."""

import time

import harness
from test_session_log import PRODUCT, SEED, money, record_names
from waiting import Failure, wait_until

KEPT = PRODUCT + "\\CallInProgress"
KEPT_NAMES = ("SessionStart", "StartMoment", "CallTime", "ChargeTenThousandths",
              "ConnectionName", "Number")
RECORD_NAMES = ("CallTime", "SessionStart", "SessionStop", "CallCharges", "ConnectionName",
                "Number", "Description")
DWORDS = ("CallTime", "TotalCallTime")


def values(desktop, key, names):
    """The named values of a key that the hive holds, DWORDs as numbers."""
    found = desktop.read_values(key, *names)
    return {name: int(text) if name in DWORDS else text for name, text in found.items()}


def kept(desktop):
    return values(desktop, KEPT, KEPT_NAMES)


def record(desktop, name):
    return values(desktop, f"{PRODUCT}\\Sessions\\{name}", RECORD_NAMES)


def totals(desktop):
    return values(desktop, PRODUCT, ("TotalCallTime", "TotalCallCharges"))


def wait_for_record(desktop, name):
    # The description is the record's last value.
    return wait_until(lambda: "Description" in record(desktop, name) and record(desktop, name),
                      15, f"the record {name}")


def kill_after_a_minute(desktop):
    """A call of a little over a minute, the program killed in it; the call as it was kept."""
    with desktop.network.modem_link("ppp0"):
        wait_until(lambda: kept(desktop).get("CallTime") == 0, 10, "the call kept at its start")
        wait_until(lambda: kept(desktop).get("CallTime", 0) >= 60, 80,
                   "the call kept at its first whole minute", interval=0.5)
        desktop.program.kill()
        desktop.wait_for_exit()
    call = kept(desktop)
    if record_names(desktop):
        raise Failure(f"a killed program recorded a call: {record_names(desktop)}")
    return call


def check_recorded_at_the_next_start(desktop, call):
    desktop.start_program()
    recorded = wait_for_record(desktop, "0")
    seconds = recorded.get("CallTime")
    if seconds != call["CallTime"] or not 60 <= seconds <= 62:
        raise Failure(f"the call was kept at {call} but recorded as {recorded}")
    if recorded.get("SessionStart") != call["SessionStart"] \
            or recorded.get("ConnectionName") != "Automatic Connection" \
            or recorded.get("Description") != "Dial-up":
        raise Failure(f"the call was kept as {call} but recorded as {recorded}")
    # A minute at 6p a minute.
    if money(recorded["CallCharges"]) != 6:
        raise Failure(f"a minute's call should cost 6p: {recorded['CallCharges']!r}")
    product = totals(desktop)
    if product.get("TotalCallTime") != 100 + seconds or money(product["TotalCallCharges"]) != 106:
        raise Failure(f"the totals did not grow by the recorded call: {product}")
    if kept(desktop):
        raise Failure(f"the recorded call is still kept: {kept(desktop)}")
    return seconds


def check_terminated_during_a_call(desktop, earlier_seconds):
    desktop.wait_for_tray_icon()
    with desktop.network.modem_link("ppp0"):
        wait_until(lambda: kept(desktop).get("CallTime") == 0, 10, "the new call kept")
        started = time.monotonic()
        time.sleep(5)
        desktop.program.terminate()
        status = desktop.wait_for_exit()
        held = time.monotonic() - started
    if status != 0:
        raise Failure(f"the program ended with {status} on SIGTERM")
    recorded = wait_for_record(desktop, "1")
    seconds = recorded.get("CallTime")
    # The monitor saw the call up to a tick after it was kept, and the end counts to its moment.
    if not isinstance(seconds, int) or not held - 2 <= seconds <= held + 1:
        raise Failure(f"the call was held {held:.1f} s but recorded as {recorded}")
    if money(recorded["CallCharges"]) != 5:
        raise Failure(f"a short call should cost the minimum charge: {recorded}")
    product = totals(desktop)
    if product.get("TotalCallTime") != 100 + earlier_seconds + seconds \
            or money(product["TotalCallCharges"]) != 111:
        raise Failure(f"the totals did not grow by the call: {product}")
    if kept(desktop):
        raise Failure(f"the recorded call is still kept: {kept(desktop)}")


def test(desktop):
    desktop.seed_hive(SEED)
    desktop.start_program()
    desktop.wait_for_tray_icon()
    call = kill_after_a_minute(desktop)
    seconds = check_recorded_at_the_next_start(desktop, call)
    check_terminated_during_a_call(desktop, seconds)


if __name__ == "__main__":
    harness.run(test)
