"""The private desktop itself: every part starts, a modem link comes and goes inside the test's
network namespace only, and the tray host can be restarted."""

import os
import subprocess
import wave

import a11y
import harness
from waiting import Failure, wait_until


def check_desktop(desktop):
    if not desktop.x.selection_owner("_NET_SYSTEM_TRAY_S0"):
        raise Failure("no tray host on the display")
    sinks = desktop.x.run(["pactl", "list", "short", "sinks"]).stdout
    if "testsink" not in sinks:
        raise Failure(f"no null sink on the sound server: {sinks!r}")
    a11y._atspi().Registry.getDesktop(0)  # the accessibility registry answers


def check_sound(desktop):
    tone = os.path.join(desktop.root, "tone.wav")
    with wave.open(tone, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(8000)
        out.writeframes(b"\x00\x10" * 800)
    with desktop.watch_sounds() as sounds:
        desktop.processes.start("paplay", ["paplay", tone], desktop.env)
        sounds.wait_for_plays(1)


def check_modem_link(desktop):
    outside = subprocess.run(["ip", "-brief", "link"], capture_output=True, text=True).stdout
    with desktop.network.modem_link("ppp0") as link:
        links = desktop.network.links()
        if "ppp0" not in links or "UP" not in links:
            raise Failure(f"the modem link is not up in the namespace: {links!r}")
        link.down()
        wait_until(lambda: "DOWN" in desktop.network.links(), 10, "the modem link to go down")
        link.up()
        wait_until(lambda: "UP" in desktop.network.links(), 10, "the modem link to come up")
        if subprocess.run(["ip", "-brief", "link"], capture_output=True,
                          text=True).stdout != outside:
            raise Failure("the modem link showed outside the test's namespace")
    wait_until(lambda: "ppp0" not in desktop.network.links(), 10, "the hang-up")


def check_tray_host_restart(desktop):
    desktop.stop_tray_host()
    desktop.start_tray_host()


def test(desktop):
    check_desktop(desktop)
    check_sound(desktop)
    check_modem_link(desktop)
    check_tray_host_restart(desktop)


if __name__ == "__main__":
    harness.run(test)
