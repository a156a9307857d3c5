"""The program's StatusNotifier item as a tray host meets it over the session bus: the items a
watcher holds, the item's properties and signals, its menu over com.canonical.dbusmenu, and
clicks."""

import os

from waiting import Failure, wait_until

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM_PATH = "/StatusNotifierItem"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
WATCHER_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sni_watcher.py")


def _gio():
    from gi.repository import Gio, GLib
    return Gio, GLib


class SessionBus:
    """A connection of this process to the session bus at the address given."""

    def __init__(self, address):
        Gio, _ = _gio()
        self._connection = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def call(self, name, path, interface, method, signature=None, arguments=None):
        Gio, GLib = _gio()
        parameters = GLib.Variant(signature, arguments) if signature else None
        reply = self._connection.call_sync(name, path, interface, method, parameters, None,
                                           Gio.DBusCallFlags.NONE, 10000, None)
        return reply.unpack() if reply is not None else ()

    def get(self, name, path, interface, prop):
        return self.call(name, path, PROPERTIES, "Get", "(ss)", (interface, prop))[0]

    def process_of(self, name):
        """The process id of the connection that owns the name, or None."""
        try:
            return self.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", "GetConnectionUnixProcessID", "(s)",
                             (name,))[0]
        except Exception:  # the owner has just left
            return None

    def owner_of(self, name):
        """The unique name of the connection that owns the name."""
        return self.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "GetNameOwner", "(s)", (name,))[0]

    def subscribe(self, sender, path, interface, member, received):
        """Calls received(arguments) for each such signal, while the bus's messages are read
        (read_messages); returns what unsubscribe takes."""
        Gio, _ = _gio()
        return self._connection.signal_subscribe(
            sender, interface, member, path, None, Gio.DBusSignalFlags.NONE,
            lambda _c, _s, _p, _i, _m, parameters: received(parameters.unpack()))

    def unsubscribe(self, subscription):
        self._connection.signal_unsubscribe(subscription)

    @staticmethod
    def read_messages():
        """Hands the signals that came so far to their subscribers."""
        _, GLib = _gio()
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    def has_owner(self, name):
        return self.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "NameHasOwner", "(s)", (name,))[0]


def watcher_is_up(bus):
    return bus.has_owner(WATCHER)


def registered_items(bus):
    """The items the tray's watcher holds, or none when there is no watcher."""
    if not watcher_is_up(bus):
        return []
    return list(bus.get(WATCHER, WATCHER_PATH, WATCHER, "RegisteredStatusNotifierItems"))


class Item:
    """One registered item: "bus-name" or "bus-name/object/path" as a watcher lists it."""

    def __init__(self, bus, registered):
        self.bus = bus
        name, slash, path = registered.partition("/")
        self.name = name
        self.path = slash + path if slash else ITEM_PATH

    def prop(self, name):
        return self.bus.get(self.name, self.path, ITEM, name)

    def all_props(self):
        return self.bus.call(self.name, self.path, PROPERTIES, "GetAll", "(s)", (ITEM,))[0]

    def tooltip(self):
        """The tip's title and text."""
        _icon, _pixmaps, title, text = self.prop("ToolTip")
        return title, text

    def activate(self):
        """A primary click on the icon."""
        self.bus.call(self.name, self.path, ITEM, "Activate", "(ii)", (0, 0))

    def menu_items(self):
        """The menu's entries in order: (id, label, is separator)."""
        menu_path = self.prop("Menu")
        _revision, layout = self.bus.call(self.name, menu_path, MENU, "GetLayout", "(iias)",
                                          (0, -1, []))
        _id, _properties, children = layout
        entries = []
        for child in children:
            item_id, properties, _ = child
            separator = properties.get("type") == "separator"
            entries.append((item_id, properties.get("label", ""), separator))
        return entries

    def click_menu_item(self, item_id):
        _, GLib = _gio()
        menu_path = self.prop("Menu")
        self.bus.call(self.name, menu_path, MENU, "Event", "(isvu)",
                      (item_id, "clicked", GLib.Variant("i", 0), 0))


class SignalLog:
    """The arguments of each signal of the item's interface with the member given, in order,
    from the moment the block starts (a with block) to its end."""

    def __init__(self, item, member):
        self.item = item
        self.member = member
        self.received = []
        self._subscription = None

    def __enter__(self):
        sender = self.item.bus.owner_of(self.item.name)
        self._subscription = self.item.bus.subscribe(sender, self.item.path, ITEM, self.member,
                                                     self.received.append)
        return self

    def __exit__(self, *exc):
        self.item.bus.unsubscribe(self._subscription)

    def signals(self):
        self.item.bus.read_messages()
        return list(self.received)

    def wait_for(self, arguments, timeout=10):
        """Waits until the signal came with these arguments."""
        wait_until(lambda: tuple(arguments) in self.signals(), timeout,
                   f"the item's {self.member} signal {tuple(arguments)}; came: {self.received}")


def wait_for_item(bus, process_id, timeout=15, other_than=None):
    """The item of the process that the watcher holds, other than the one on the bus name
    given."""
    seen = []

    def find():
        seen[:] = registered_items(bus)
        for registered in seen:
            item = Item(bus, registered)
            if item.name != other_than and bus.process_of(item.name) == process_id:
                return item
        return None
    try:
        return wait_until(find, timeout, "the program's item on the StatusNotifier tray")
    except Failure as failure:
        raise Failure(f"{failure}; the tray holds {seen}") from None


def menu_captions(item):
    """The menu's captions as the tray shows them, "-" for a separator, with "&" for the access
    key as the program wrote it (dbusmenu marks it with "_")."""
    return ["-" if separator else label.replace("_", "&") for _, label, separator
            in item.menu_items()]


def menu_item_id(item, caption):
    for item_id, label, separator in item.menu_items():
        if not separator and label.replace("_", "&") == caption:
            return item_id
    raise AssertionError(f'no menu item "{caption}" in the tray menu')
