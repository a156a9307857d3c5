"""A network namespace of the test's own: the program runs in it, and modem links (TUN devices
of link type PPP, held by the helper program) come and go in it without touching the machine."""

import os
import re
import subprocess

from waiting import Failure, Skip

PREFIX = "dorvantix-e2e-"


def _remove_stale_namespaces():
    """Namespaces left by tests that were killed: their owner's process id no longer exists."""
    listing = subprocess.run(["ip", "netns", "list"], capture_output=True, text=True).stdout
    for name in re.findall(r"^(" + PREFIX + r"(\d+)-\d+)", listing, re.MULTILINE):
        if not os.path.exists(f"/proc/{name[1]}"):
            subprocess.run(["ip", "netns", "delete", name[0]], capture_output=True)


class PrivateNetwork:
    _count = 0

    def __init__(self, env, processes, modem_link_helper):
        PrivateNetwork._count += 1
        self.name = f"{PREFIX}{os.getpid()}-{PrivateNetwork._count}"
        self.env = env
        self.processes = processes
        self.modem_link_helper = modem_link_helper

    def __enter__(self):
        _remove_stale_namespaces()
        for step in (["ip", "netns", "add", self.name],
                     self.exec_argv(["ip", "link", "set", "lo", "up"])):
            done = subprocess.run(step, capture_output=True, text=True)
            if done.returncode != 0:
                self.__exit__()
                raise Skip(f"cannot make a network namespace ({' '.join(step)}): "
                           f"{done.stderr.strip()}")
        return self

    def __exit__(self, *error):
        subprocess.run(["ip", "netns", "delete", self.name], capture_output=True)
        return False

    def exec_argv(self, argv):
        """The command line that runs argv inside the namespace."""
        return ["ip", "netns", "exec", self.name, *argv]

    def links(self):
        """`ip -brief link` inside the namespace: name, state and flags of each link."""
        return self._ip("netns", "exec", self.name, "ip", "-brief", "link")

    def modem_link(self, name="ppp0"):
        return ModemLink(self, name)

    def _ip(self, *args):
        result = subprocess.run(["ip", *args], capture_output=True, text=True, timeout=30)
        if result.returncode != 0:
            raise Failure(f"ip {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout


class ModemLink:
    """A modem connection: up while this object holds it, hung up by hangup() or at the end."""

    def __init__(self, network, name):
        if not os.path.exists("/dev/net/tun"):
            raise Skip("no /dev/net/tun to make a modem link with")
        self.network = network
        self.name = name
        self.process = network.processes.start(
            "modem-link-" + name, network.exec_argv([network.modem_link_helper, name]),
            network.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self._expect("up")

    def down(self):
        self._command("down")

    def up(self):
        self._command("up")

    def hangup(self):
        if self.process.poll() is None:
            self.process.stdin.write(b"hangup\n")
            self.process.stdin.close()
            self.process.wait(10)
        self.network.processes.stop(self.process)

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.hangup()
        return False

    def _command(self, command):
        self.process.stdin.write(command.encode() + b"\n")
        self.process.stdin.flush()
        self._expect(command)

    def _expect(self, word):
        line = self.process.stdout.readline().decode().strip()
        if line != f"{word} {self.name}":
            raise Failure(f"the modem link helper said '{line}' instead of '{word} {self.name}' "
                          f"(see modem-link-{self.name}.log)")
