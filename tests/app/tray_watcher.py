#!/usr/bin/python3
"""The status area's side of tests/app/tray-check.sh, with GLib's bus bindings.

    tray_watcher.py sni  PROGRAM   a status notifier watcher with a host on the session bus:
                                   the item registers, its properties and menu layout are
                                   read, the menu's Restore, the icon's Activate and the
                                   menu's Close (refused once, then allowed) are called, and
                                   the program must report the form restored and closed
    tray_watcher.py none PROGRAM   no status area at all: the form minimises instead, and the
                                   program says so once on stderr however often it goes
    tray_watcher.py xtray PROGRAM MANAGER
                                   no watcher, but an X tray manager (xtray_manager): the icon
                                   docks and shows the form's icon; a left click restores, a
                                   right click opens the skinned tray menu (its Restore
                                   restores), and a tray that goes away gives the form back
    tray_watcher.py xtray-argb PROGRAM MANAGER
                                   an X tray that names a visual with alpha: the icon is drawn
                                   with its alpha

PROGRAM is tests/app/trayprogram's tray_program. Prints what it checked; exit status 1 with
the reason on the first difference.
"""
import queue
import subprocess
import time
import sys
import threading

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_XML = """<node>
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
</node>"""
# A guard against a hang, not a measure: the program answers in far less.
PATIENCE = 20


def fail(text):
    print("tray-check: " + text, file=sys.stderr)
    sys.exit(1)


def check(condition, text):
    if not condition:
        fail(text)
    print("ok   " + text)


class Program:
    """The program, its lines on stdout in a queue, its stderr kept."""

    def __init__(self, path, *args):
        self.proc = subprocess.Popen([path, *args], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True, bufsize=1)
        self.lines = queue.Queue()
        self.errors = []
        threading.Thread(target=self._read, args=(self.proc.stdout, self.lines.put),
                         daemon=True).start()
        threading.Thread(target=self._read, args=(self.proc.stderr, self.errors.append),
                         daemon=True).start()

    @staticmethod
    def _read(stream, put):
        for line in stream:
            put(line.rstrip("\n"))

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()

    def expect(self, word):
        """The next line that starts with `word`, as a dict of its key=value fields."""
        while True:
            try:
                line = self.lines.get(timeout=PATIENCE)
            except queue.Empty:
                fail("the program did not say '%s' (stderr: %s)" % (word, self.errors))
            if line.split(" ", 1)[0] == word:
                fields = {}
                for part in line.split(" ")[1:]:
                    if "=" in part:
                        key, value = part.split("=", 1)
                        fields[key] = value
                    else:
                        fields["protocol"] = (fields.get("protocol", "") + " " + part).strip()
                fields["line"] = line
                return fields

    def finish(self):
        try:
            return self.proc.wait(timeout=PATIENCE)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            fail("the program did not end")


class Watcher:
    """A status notifier watcher that says a host shows its items."""

    def __init__(self, bus):
        self.bus = bus
        self.registered = queue.Queue()
        self.items = []
        info = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML)
        bus.register_object("/StatusNotifierWatcher", info.interfaces[0], self._call,
                            self._property, None)
        reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "RequestName",
                              GLib.Variant("(su)", (WATCHER, 4)), GLib.VariantType("(u)"),
                              Gio.DBusCallFlags.NONE, -1, None)
        if reply.unpack()[0] != 1:
            fail("the watcher's name is taken")

    def _call(self, bus, sender, path, iface, method, args, invocation):
        if method == "RegisterStatusNotifierItem":
            service = args.unpack()[0]
            name, item_path = ((sender, service) if service.startswith("/")
                               else (service, "/StatusNotifierItem"))
            self.items.append(name)
            self.registered.put((name, item_path))
        invocation.return_value(None)

    def _property(self, bus, sender, path, iface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", self.items)
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", True)
        return GLib.Variant("i", 0)

    def next_item(self):
        try:
            return self.registered.get(timeout=PATIENCE)
        except queue.Empty:
            fail("no item registered with the watcher")


def call(bus, name, path, iface, method, args=None, reply=None):
    result = bus.call_sync(name, path, iface, method, args,
                           GLib.VariantType(reply) if reply else None,
                           Gio.DBusCallFlags.NONE, PATIENCE * 1000, None)
    return result.unpack() if result is not None else None


def has_owner(bus, name):
    return call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "NameHasOwner", GLib.Variant("(s)", (name,)), "(b)")[0]


def owner_goes(bus, name):
    """Whether the bus forgets `name` (the item's connection closes when its icon goes)."""
    gone = threading.Event()
    sub = bus.signal_subscribe("org.freedesktop.DBus", "org.freedesktop.DBus",
                               "NameOwnerChanged", "/org/freedesktop/DBus", name,
                               Gio.DBusSignalFlags.NONE,
                               lambda *a: gone.set() if not a[5].unpack()[2] else None)
    result = not has_owner(bus, name) or gone.wait(PATIENCE)
    bus.signal_unsubscribe(sub)
    return result


def same_place(a, b):
    return all(a[k] == b[k] for k in ("x", "y", "w", "h"))


def check_item(bus, name, path):
    props = call(bus, name, path, "org.freedesktop.DBus.Properties", "GetAll",
                 GLib.Variant("(s)", ("org.kde.StatusNotifierItem",)), "(a{sv})")[0]
    check(props.get("Category") == "ApplicationStatus", "Category is ApplicationStatus")
    check(props.get("Id") == "tray_program", "Id names the program: %r" % props.get("Id"))
    check(props.get("Title") == "Tray check", "Title is the form's caption")
    check(props.get("Status") == "Active", "Status is Active")
    pixmaps = props.get("IconPixmap") or []
    sizes = sorted(w for w, h, data in pixmaps)
    check(len(pixmaps) >= 3 and all(len(bytes(d)) == w * h * 4 for w, h, d in pixmaps),
          "IconPixmap holds %s, each w x h x 4 bytes" % sizes)
    small = [bytes(d) for w, h, d in pixmaps if w == 16 and h == 16]
    centre = (8 * 16 + 8) * 4
    check(small and small[0][centre:centre + 4] == b"\xff\xc0\x40\x20" and small[0][0] == 0,
          "the 16 x 16 picture is the form's icon in network byte order (A R G B), "
          "its transparent border with alpha 0")
    tooltip = props.get("ToolTip")
    check(tooltip is not None and tooltip[2] == "Tray check", "ToolTip's title is the caption")
    check(props.get("ItemIsMenu") is False, "ItemIsMenu is false: a click activates")
    menu = props.get("Menu")
    check(bool(menu), "Menu names the menu's path: %s" % menu)
    return menu


def check_menu(bus, name, menu):
    version = call(bus, name, menu, "org.freedesktop.DBus.Properties", "Get",
                   GLib.Variant("(ss)", ("com.canonical.dbusmenu", "Version")), "(v)")[0]
    check(version >= 2, "the menu speaks version %d" % version)
    revision, (root, root_props, children) = call(
        bus, name, menu, "com.canonical.dbusmenu", "GetLayout",
        GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")
    check(root == 0 and root_props.get("children-display") == "submenu",
          "the root holds a submenu")
    layout = [(cid, props.get("label"), props.get("type")) for cid, props, _ in children]
    check([(label, kind) for _, label, kind in layout]
          == [("_Restore", None), (None, "separator"), ("_Close", None)],
          "the menu is _Restore, a separator, _Close: %s" % layout)
    # A host tells the menu it opened; that is answered and changes nothing.
    call(bus, name, menu, "com.canonical.dbusmenu", "Event",
         GLib.Variant("(isvu)", (0, "opened", GLib.Variant("i", 0), 0)))
    return layout[0][0], layout[2][0]


def click(bus, name, menu, item):
    call(bus, name, menu, "com.canonical.dbusmenu", "Event",
         GLib.Variant("(isvu)", (item, "clicked", GLib.Variant("i", 0), 0)))


def run_sni(program_path):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    watcher = Watcher(bus)
    # The watcher answers from a loop of its own while this thread asks and waits.
    loop = GLib.MainLoop()
    threading.Thread(target=loop.run, daemon=True).start()

    program = Program(program_path, "--refuse-close", "1")
    ready = program.expect("ready")
    program.send("tray")
    state = program.expect("state")
    check(state["intray"] == "1" and state["visible"] == "0",
          "to the tray: the form hides (%s)" % state["line"])
    check(state["protocol"] == "status notifier", "shown as a status notifier item")
    name, path = watcher.next_item()
    check(name.startswith("org.kde.StatusNotifierItem-") and path == "/StatusNotifierItem",
          "the item registered as %s at %s" % (name, path))
    menu = check_item(bus, name, path)
    restore, close = check_menu(bus, name, menu)

    click(bus, name, menu, restore)
    back = program.expect("restored")
    check(back["visible"] == "1" and back["active"] == "1" and back["intray"] == "0",
          "Restore in the menu shows the form, active (%s)" % back["line"])
    check(same_place(back, ready), "where it was")
    check(owner_goes(bus, name), "and the item leaves the bus")

    program.send("tray")
    program.expect("state")
    name, path = watcher.next_item()
    call(bus, name, path, "org.kde.StatusNotifierItem", "Activate", GLib.Variant("(ii)", (0, 0)))
    back = program.expect("restored")
    check(back["visible"] == "1" and back["intray"] == "0", "Activate restores the form")
    check(owner_goes(bus, name), "and the item leaves the bus")

    program.send("tray")
    program.expect("state")
    name, path = watcher.next_item()
    click(bus, name, menu, close)
    check(program.expect("closequery")["line"] == "closequery 1",
          "Close in the menu asks the form")
    program.send("state")
    state = program.expect("state")
    check(state["intray"] == "1" and state["visible"] == "0" and has_owner(bus, name),
          "a form that refuses stays in the tray")
    click(bus, name, menu, close)
    program.expect("closequery")
    program.expect("closed")
    check(program.finish() == 0, "the second Close closes the form and the program ends")
    check(not any("no status area" in e for e in program.errors), "nothing said on stderr")
    loop.quit()


def run_none(program_path):
    program = Program(program_path)
    program.expect("ready")
    program.send("tray")
    state = program.expect("state")
    check(state["minimized"] == "1" and state["visible"] == "1" and state["intray"] == "0",
          "without a status area the form minimises (%s)" % state["line"])
    program.send("normal")
    program.expect("state")
    program.send("tray")
    state = program.expect("state")
    check(state["minimized"] == "1", "and again")
    program.proc.terminate()
    check(program.finish() == 0, "the program ends cleanly")
    said = [e for e in program.errors if "no status area" in e]
    check(len(said) == 1, "the program says so once: %s" % said)
    check(said[0].startswith("tray_program: no status area on this desktop")
          and said[0].endswith("; minimising instead"), "in one line with the reason")


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True,
                          text=True).stdout


def x_place(pid):
    """Where the X screen shows the program's window (its own, not its icon's)."""
    window = xdotool("search", "--onlyvisible", "--pid", str(pid)).split()[0]
    shape = dict(line.split("=", 1) for line in
                 xdotool("getwindowgeometry", "--shell", window).split())
    return int(shape["X"]), int(shape["Y"])


def settle(what, want):
    """Waits until what() gives want (the window manager works on its own time)."""
    got = None
    for _ in range(PATIENCE * 20):
        got = what()
        if got == want:
            break
        time.sleep(0.05)
    return got


def run_xtray(program_path, manager_path):
    manager = Program(manager_path)
    manager.expect("ready")
    program = Program(program_path)
    program.expect("ready")
    # Moved through the window manager, as a user drags it, before it goes.
    window = xdotool("search", "--onlyvisible", "--pid", str(program.proc.pid)).split()[0]
    xdotool("windowmove", window, "500", "400")
    check(settle(lambda: x_place(program.proc.pid), (500, 400)) == (500, 400),
          "the window is moved to (500, 400)")

    program.send("tray")
    state = program.expect("state")
    check(state["intray"] == "1" and state["visible"] == "0" and state["protocol"] == "X tray",
          "without a watcher the icon goes to the X tray (%s)" % state["line"])
    icon = manager.expect("docked")["line"].split()[1]
    # The icon paints when the tray shows it; asked until it has (a guard, not a measure).
    def pixel():
        manager.send("pixel 12 12")
        return manager.expect("pixel")["line"]
    shown = settle(pixel, "pixel 0xc04020")
    check(shown == "pixel 0xc04020", "the docked icon shows the form's icon (%s)" % shown)
    manager.send("pixel 1 1")
    corner = manager.expect("pixel")["line"]
    check(corner == "pixel 0xffffff", "the tray shows through its transparent border (%s)" % corner)

    xdotool("mousemove", "--window", icon, "12", "12", "click", "1")
    back = program.expect("restored")
    check(back["visible"] == "1" and back["active"] == "1" and back["intray"] == "0",
          "a left click restores the form, active")
    place = settle(lambda: x_place(program.proc.pid), (500, 400))
    check(place == (500, 400), "where it was on the screen: %s" % (place,))

    program.send("tray")
    program.expect("state")
    icon = manager.expect("docked")["line"].split()[1]
    xdotool("mousemove", "--window", icon, "12", "12", "click", "3")
    program.expect("traymenu")
    print("ok   a right click opens the skinned tray menu")
    # It opens at the pointer; its first item, Restore, lies just below and right of it.
    xdotool("mousemove_relative", "20", "10", "click", "1")
    back = program.expect("restored")
    check(back["visible"] == "1" and back["intray"] == "0", "its Restore restores the form")

    # A tray that never embeds the icon would leave the window hidden for good.
    manager.send("ignore")
    manager.expect("ignoring")
    program.send("tray")
    program.expect("state")
    manager.expect("ignored")
    back = program.expect("restored")
    check(back["visible"] == "1" and back["intray"] == "0",
          "a tray that does not embed the icon gives the form back")

    program.send("tray")
    program.expect("state")
    manager.expect("docked")
    manager.send("destroy")
    manager.expect("destroyed")
    back = program.expect("restored")
    check(back["visible"] == "1" and back["intray"] == "0",
          "a tray that goes away gives the form back")
    program.proc.terminate()
    check(program.finish() == 0, "the program ends cleanly")
    manager.finish()


def run_xtray_argb(program_path, manager_path):
    manager = Program(manager_path, "--argb")
    manager.expect("ready")
    program = Program(program_path)
    program.expect("ready")
    program.send("tray")
    program.expect("state")
    icon = manager.expect("docked")["line"].split()[1]
    def pixel():
        manager.send("pixel 12 12")
        return manager.expect("pixel")["line"]
    shown = settle(pixel, "pixel 0xffc04020")
    check(shown == "pixel 0xffc04020",
          "in a tray with a visual of alpha the icon is drawn with its alpha (%s)" % shown)
    manager.send("pixel 1 1")
    corner = manager.expect("pixel")["line"]
    check(corner == "pixel 0x00000000", "its border is transparent (%s)" % corner)
    xdotool("mousemove", "--window", icon, "12", "12", "click", "1")
    back = program.expect("restored")
    check(back["visible"] == "1" and back["intray"] == "0", "a left click restores the form")
    program.proc.terminate()
    check(program.finish() == 0, "the program ends cleanly")
    manager.send("destroy")
    manager.finish()


if __name__ == "__main__":
    modes = {"sni": (run_sni, 3), "none": (run_none, 3), "xtray": (run_xtray, 4),
             "xtray-argb": (run_xtray_argb, 4)}
    if len(sys.argv) < 2 or sys.argv[1] not in modes or len(sys.argv) != modes[sys.argv[1]][1]:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    modes[sys.argv[1]][0](*sys.argv[2:])
