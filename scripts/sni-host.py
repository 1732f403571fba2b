#!/usr/bin/python3
"""A minimal StatusNotifierItem tray for looking at Glinter's item without a desktop.

Owns org.kde.StatusNotifierWatcher on the session bus, reports a registered host, and
for every item that registers prints what a tray would draw: title, tooltip, icon sizes
and the dbusmenu entries. Optionally writes the largest icon as a PAM image (convert it
with ImageMagick), clicks the item, or chooses a menu entry, as a tray would. With
--drop-after it lets every item go that many seconds after it registered, naming it as
GNOME's AppIndicator extension does, to watch the item come back.

    /usr/bin/python3 scripts/sni-host.py [--icon FILE.pam] [--activate X,Y] [--choose LABEL]
                                         [--after SECONDS] [--quit-after SECONDS]
                                         [--drop-after SECONDS]

Run it on the session bus Glinter uses (dbus-run-session, or the desktop's); it needs the
Gio bindings of the system Python (python3-gi).
"""
import argparse
import sys
import time

from gi.repository import Gio, GLib

WATCHER_XML = """
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
    <signal name="StatusNotifierHostUnregistered"/>
  </interface>
</node>
"""

START = time.monotonic()


def say(text):
    print(f"[sni-host {time.monotonic() - START:6.2f}s] {text}", flush=True)


class Watcher:
    def __init__(self, options):
        self.options = options
        self.items = []
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        info = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML).interfaces[0]
        self.bus.register_object("/StatusNotifierWatcher", info, self.on_call, self.on_property, None)
        Gio.bus_own_name_on_connection(self.bus, "org.kde.StatusNotifierWatcher",
                                       Gio.BusNameOwnerFlags.NONE,
                                       lambda *_: say("watcher and host up"),
                                       lambda *_: say("could not own org.kde.StatusNotifierWatcher"))

    def on_call(self, connection, sender, path, interface, method, parameters, invocation):
        if method == "RegisterStatusNotifierItem":
            service = parameters.unpack()[0]
            if service.startswith("/"):
                service, item_path = sender, service
            else:
                item_path = "/StatusNotifierItem"
            invocation.return_value(None)
            self.items.append(service)
            say(f"item registered: {service}{item_path} (asked with {parameters.unpack()[0]})")
            if self.options.drop_after:
                GLib.timeout_add(int(self.options.drop_after * 1000), self.drop, service, item_path)
            self.bus.emit_signal(None, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                 "StatusNotifierItemRegistered", GLib.Variant("(s)", (service,)))
            GLib.idle_add(self.describe, service, item_path)
        else:
            invocation.return_value(None)

    def drop(self, service, item_path):
        if service in self.items:
            self.items.remove(service)
            say(f"item dropped: {service}@{item_path}")
            self.bus.emit_signal(None, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                 "StatusNotifierItemUnregistered", GLib.Variant("(s)", (f"{service}@{item_path}",)))
        return False

    def on_property(self, connection, sender, path, interface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", self.items)
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", True)
        return GLib.Variant("i", 0)

    def call(self, service, path, interface, method, args, reply_type):
        return self.bus.call_sync(service, path, interface, method, args,
                                  GLib.VariantType.new(reply_type) if reply_type else None,
                                  Gio.DBusCallFlags.NONE, 3000, None)

    def prop(self, service, path, name):
        return self.call(service, path, "org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", name)), "(v)").unpack()[0]

    def describe(self, service, path):
        try:
            say(f"  Title={self.prop(service, path, 'Title')!r} Id={self.prop(service, path, 'Id')!r} "
                f"Status={self.prop(service, path, 'Status')!r} ItemIsMenu={self.prop(service, path, 'ItemIsMenu')}")
            tooltip = self.prop(service, path, "ToolTip")
            say(f"  ToolTip title={tooltip[2]!r} text={tooltip[3]!r}")
            pixmaps = self.prop(service, path, "IconPixmap")
            say(f"  IconPixmap sizes={[(w, h) for w, h, _ in pixmaps]}")
            if self.options.icon and pixmaps:
                self.write_icon(max(pixmaps, key=lambda p: p[0] * p[1]))
            menu = self.prop(service, path, "Menu")
            layout = self.call(service, menu, "com.canonical.dbusmenu", "GetLayout",
                               GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))").unpack()
            entries = [(child[0], child[1].get("type", "standard"), child[1].get("label", ""))
                       for child in layout[1][2]]
            say(f"  Menu {menu}: {[label if kind != 'separator' else '---' for _, kind, label in entries]}")
            self.bus.signal_subscribe(service, "org.kde.StatusNotifierItem", None, path, None,
                                      Gio.DBusSignalFlags.NONE,
                                      lambda *a: say(f"  signal {a[3]}, ToolTip now "
                                                     f"{self.prop(service, path, 'ToolTip')[2]!r}"), None)
            GLib.timeout_add(int(self.options.after * 1000), self.act, service, path, menu, entries)
        except GLib.Error as error:
            say(f"  reading the item failed: {error.message}")
        return False

    def write_icon(self, pixmap):
        width, height, data = pixmap
        data = bytes(data)
        rgba = bytearray()
        for i in range(0, len(data), 4):
            a, r, g, b = data[i:i + 4]  # network byte order: A, R, G, B
            rgba += bytes((r, g, b, a))
        with open(self.options.icon, "wb") as out:
            out.write(f"P7\nWIDTH {width}\nHEIGHT {height}\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n".encode())
            out.write(rgba)
        say(f"  wrote {width}x{height} icon to {self.options.icon}")

    def act(self, service, path, menu, entries):
        if self.options.activate:
            x, y = (int(v) for v in self.options.activate.split(","))
            say(f"  Activate({x}, {y})")
            self.call(service, path, "org.kde.StatusNotifierItem", "Activate", GLib.Variant("(ii)", (x, y)), None)
        if self.options.choose:
            for item_id, _, label in entries:
                if label == self.options.choose:
                    say(f"  Event({item_id}, clicked) on {label!r}")
                    self.call(service, menu, "com.canonical.dbusmenu", "Event",
                              GLib.Variant("(isvu)", (item_id, "clicked", GLib.Variant("s", ""), 0)), None)
        return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--icon")
    parser.add_argument("--activate")
    parser.add_argument("--choose")
    parser.add_argument("--after", type=float, default=1.0)
    parser.add_argument("--quit-after", type=float)
    parser.add_argument("--drop-after", type=float)
    options = parser.parse_args()
    Watcher(options)
    loop = GLib.MainLoop()
    if options.quit_after:
        GLib.timeout_add(int(options.quit_after * 1000), loop.quit)
    loop.run()


if __name__ == "__main__":
    sys.exit(main())
