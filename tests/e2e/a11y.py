"""Reading and pressing controls as a screen reader does, over the accessibility bus (AT-SPI):
controls are found by role ("push button", "menu item", "text", ...) and accessible name."""

from waiting import wait_until

_pyatspi = None


def _atspi():
    # Imported late: the module connects to the buses named in the environment at import time.
    global _pyatspi
    if _pyatspi is None:
        import pyatspi
        _pyatspi = pyatspi
    return _pyatspi


def application(name, timeout=15):
    """The running application registered under this name, in any case (Qt registers the
    application name, "Dorvantix")."""
    def find():
        desktop = _atspi().Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name.casefold() == name.casefold():
                return app
        return None
    return wait_until(find, timeout, f'the application "{name}" on the accessibility bus')


def is_showing(node):
    return node.getState().contains(_atspi().STATE_SHOWING)


def is_checked(node):
    return node.getState().contains(_atspi().STATE_CHECKED)


def descendants(node, role=None, name=None, showing=True):
    """Every node under this one with the role and name given (None matches any); with showing,
    only nodes on the screen and only under such nodes."""
    found = []
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None or (showing and not is_showing(child)):
            continue
        if (role is None or child.getRoleName() == role) and (name is None or child.name == name):
            found.append(child)
        found.extend(descendants(child, role, name, showing))
    return found


def wait_for(node, role, name, timeout=10):
    """The first showing node under this one with the role and name."""
    return wait_until(lambda: next(iter(descendants(node, role, name)), None), timeout,
                      f'a {role} "{name}" on the screen')


def press(node):
    """Does the node's default action, as a screen reader's "activate" does."""
    action = node.queryAction()
    names = [action.getName(index) for index in range(action.nActions)]
    for wanted in ("Press", "press", "click", "Toggle", "toggle"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    if names:
        action.doAction(0)
        return
    raise AssertionError(f'{node.getRoleName()} "{node.name}" has no action')


def text_of(node):
    return node.queryText().getText(0, -1)


class EventLog:
    """Records the accessibility events of the given kinds ("object:state-changed:showing", ...)
    from its creation on. Popup menus are found this way: they are not children of their
    application on the bus, but they announce themselves when they show."""

    def __init__(self, *kinds):
        _atspi()
        from gi.repository import Atspi
        self._kinds = kinds
        self._events = []
        self._listener = Atspi.EventListener.new(self._record)
        for kind in kinds:
            self._listener.register(kind)

    def __enter__(self):
        return self

    def __exit__(self, *error):
        for kind in self._kinds:
            self._listener.deregister(kind)
        return False

    def _record(self, event):
        self._events.append((event.type, event.detail1, event.source))

    def wait_for(self, match, timeout, what):
        """The source of the first event for which match(kind, detail, source) holds."""
        from gi.repository import GLib

        def received():
            context = GLib.MainContext.default()
            while context.iteration(False):
                pass
            return next((source for kind, detail, source in self._events
                         if match(kind, detail, source)), None)
        return wait_until(received, timeout, what)
