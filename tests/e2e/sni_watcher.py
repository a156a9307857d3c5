"""A StatusNotifier watcher with one host, as a desktop's tray offers it, and nothing more: it owns
org.kde.StatusNotifierWatcher on the session bus, says a host is registered, and keeps the items
that register, dropping those whose owner leaves the bus. Run by the system's /usr/bin/python3:
    python3 sni_watcher.py
It ends when it is terminated or loses its name."""

import signal
import sys

from gi.repository import Gio, GLib

NAME = "org.kde.StatusNotifierWatcher"
PATH = "/StatusNotifierWatcher"
INTERFACE = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>
"""


class Watcher:
    def __init__(self, loop):
        self.loop = loop
        self.items = []  # (item as announced, bus name that owns it)

    def method_call(self, connection, sender, path, interface, method, parameters, invocation):
        if method == "RegisterStatusNotifierItem":
            service = parameters.unpack()[0]
            # An item names its bus name, or only its object path on the sender's connection.
            owner = sender if service.startswith("/") else service
            item = sender + service if service.startswith("/") else service
            if all(known != item for known, _ in self.items):
                self.items.append((item, owner))
                connection.emit_signal(None, PATH, NAME, "StatusNotifierItemRegistered",
                                       GLib.Variant("(s)", (item,)))
        invocation.return_value(None)

    def get_property(self, connection, sender, path, interface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", [item for item, _ in self.items])
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", True)
        return GLib.Variant("i", 0)

    def owner_changed(self, connection, sender, path, interface, signal_name, parameters):
        name, _, new_owner = parameters.unpack()
        if new_owner:
            return
        for item, owner in list(self.items):
            if owner == name:
                self.items.remove((item, owner))
                connection.emit_signal(None, PATH, NAME, "StatusNotifierItemUnregistered",
                                       GLib.Variant("(s)", (item,)))


def main():
    loop = GLib.MainLoop()
    watcher = Watcher(loop)
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    info = Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0]
    bus.register_object(PATH, info, watcher.method_call, watcher.get_property, None)
    bus.signal_subscribe("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                         "/org/freedesktop/DBus", None, Gio.DBusSignalFlags.NONE,
                         watcher.owner_changed)
    Gio.bus_own_name_on_connection(bus, NAME, Gio.BusNameOwnerFlags.NONE, None,
                                   lambda *lost: loop.quit())
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    loop.run()
    return 0


if __name__ == "__main__":
    sys.exit(main())
