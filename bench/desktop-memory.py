#!/usr/bin/python3
"""Memory of the desktop app as a user's system monitor sees it.

Glinter with the 119 services of the catalog, each served on a local port by the refresh
benchmark's fake internet, in a tray of its own (scripts/sni-host.py on a private session
bus) on an Xvfb display. After the first refresh the tray opens the panel and closes it
again, as a click and a click away do; then /proc/PID/smaps_rollup gives the private
(anonymous) memory. With --minutes, the app goes on refreshing every 30 s while the tray
reads its menu and shows the panel every 30 s, as a user glancing at it would, and the figure
is taken again at the end, with the largest seen on the way.

    bench/desktop-memory.py BUILD_DIR [--runs 3] [--minutes 0]

BUILD_DIR is a build with GLINTER_BUILD_BENCH (make bench builds one in build/bench). Needs
Xvfb, dbus-run-session and the Gio bindings of the system Python (python3-gi).
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def rollup(pid):
    """The smaps_rollup figures in MB, keyed by their names."""
    figures = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup_file:
        for line in rollup_file:
            parts = line.split()
            if len(parts) == 3 and parts[2] == "kB":
                figures[parts[0].rstrip(":")] = int(parts[1]) / 1024
    figures["Private"] = figures.get("Private_Clean", 0) + figures.get("Private_Dirty", 0)
    return figures


def describe(figures):
    return (f"anonymous {figures['Anonymous']:5.1f} MB  private {figures['Private']:5.1f} MB  "
            f"(dirty {figures['Private_Dirty']:5.1f})  RSS {figures['Rss']:5.1f} MB")


def wait_for(predicate, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    sys.exit(f"desktop-memory: {what} did not happen within {seconds} s")


def panel_shown(pid):
    """Whether a window of the process is mapped on the display."""
    windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                             capture_output=True, text=True).stdout
    return bool(windows.split())


class Tray:
    """What a tray does with the item: click it, read its menu."""

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def call(self, service, path, interface, method, args, reply):
        return self.bus.call_sync(service, path, interface, method, args,
                                  GLib.VariantType.new(reply) if reply else None,
                                  Gio.DBusCallFlags.NONE, 5000, None)

    def item(self):
        try:
            items = self.call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                              "org.freedesktop.DBus.Properties", "Get",
                              GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher",
                                                    "RegisteredStatusNotifierItems")), "(v)").unpack()[0]
        except GLib.Error:
            return None
        return items[0] if items else None

    def click(self, service):
        self.call(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate",
                  GLib.Variant("(ii)", (1200, 10)), None)

    def read_menu(self, service):
        menu = self.call(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", "Menu")), "(v)").unpack()[0]
        layout = self.call(service, menu, "com.canonical.dbusmenu", "GetLayout",
                           GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))").unpack()
        return len(layout[1][2])


def one_run(build, minutes, work):
    data = os.path.join(work, "data", "Glinter")
    config = os.path.join(work, "config", "Glinter")
    os.makedirs(data)
    os.makedirs(config)
    os.makedirs(os.path.join(work, "run"), mode=0o700)
    with open(os.path.join(config, "Glinter.conf"), "w") as settings:
        settings.write("[General]\nrefreshInterval=30\nhasOnboarded=true\n")

    server = subprocess.Popen([os.path.join(build, "bench", "glinter-bench-refresh"), "--serve",
                               "--feeds", "119", "--latency", "0"],
                              stdout=subprocess.PIPE, text=True, start_new_session=True)
    try:
        check = server.stdout.readline().split()
        environment = dict(word.split("=", 1) for word in check if "=" in word)
        shutil.copy(check[-1], os.path.join(data, "services.json"))

        env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"),
                   XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_RUNTIME_DIR=os.path.join(work, "run"),
                   GLINTER_FEED_ORIGIN=environment["GLINTER_FEED_ORIGIN"],
                   GLINTER_EXTRA_CA_CERTS=environment["GLINTER_EXTRA_CA_CERTS"])
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("WAYLAND_DISPLAY", None)
        glinter = subprocess.Popen([os.path.join(build, "src", "app", "glinter")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "glinter.log"), "w"))
        try:
            return measure(glinter, data, minutes)
        finally:
            glinter.send_signal(signal.SIGTERM)
            glinter.wait(30)
    finally:
        os.killpg(server.pid, signal.SIGTERM)
        server.wait()


def measure(glinter, data, minutes):
    tray = Tray()
    # The first refresh ends with the first write of the history.
    wait_for(lambda: os.path.exists(os.path.join(data, "history.json")), 60, "the first refresh")
    service = wait_for(tray.item, 10, "the tray item")
    tray.click(service)
    time.sleep(2)
    shown = panel_shown(glinter.pid)
    tray.click(service)
    time.sleep(3)
    if not shown or panel_shown(glinter.pid):
        sys.exit(f"desktop-memory: the panel did not show and hide again (shown {shown})")
    first = rollup(glinter.pid)
    print(f"  after the first refresh, panel shown once: {describe(first)}", flush=True)
    if not minutes:
        return first, None, None

    largest = first
    end = time.monotonic() + minutes * 60
    while time.monotonic() < end:
        time.sleep(max(0, min(28, end - time.monotonic())))
        tray.read_menu(service)
        tray.click(service)
        time.sleep(2)
        tray.click(service)
        now = rollup(glinter.pid)
        print(f"    {now['Anonymous']:.1f}", end="", flush=True)
        if now["Anonymous"] > largest["Anonymous"]:
            largest = now
    print()
    time.sleep(1)
    last = rollup(glinter.pid)
    files = len(os.listdir(f"/proc/{glinter.pid}/fd"))
    print(f"  after {minutes} min: {describe(last)}; largest anonymous {largest['Anonymous']:.1f} MB; "
          f"{files} open files", flush=True)
    return first, last, largest


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--minutes", type=float, default=0)
    parser.add_argument("--inner", action="store_true", help=argparse.SUPPRESS)
    options = parser.parse_args()
    build = os.path.abspath(options.build)

    if not options.inner:
        # A private session bus for the tray and the app, beside the user's.
        arguments = [sys.executable, os.path.abspath(__file__), build, "--runs", str(options.runs),
                     "--minutes", str(options.minutes), "--inner"]
        sys.exit(subprocess.call(["dbus-run-session", "--"] + arguments))

    display = f":{90 + os.getpid() % 100}"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = display
    results = []
    try:
        for run in range(options.runs):
            print(f"run {run + 1}:", flush=True)
            # A tray of its own for each run, which knows no item of an earlier one.
            host = subprocess.Popen([sys.executable, os.path.join(ROOT, "scripts", "sni-host.py")],
                                    stdout=subprocess.DEVNULL)
            time.sleep(1)
            try:
                with tempfile.TemporaryDirectory() as work:
                    results.append(one_run(build, options.minutes, work))
            finally:
                host.terminate()
                host.wait()
    finally:
        xvfb.terminate()

    firsts = [first["Anonymous"] for first, _, _ in results]
    print(f"after the first refresh: anonymous {min(firsts):.1f}–{max(firsts):.1f} MB over {len(firsts)} runs")
    if options.minutes:
        lasts = [last["Anonymous"] for _, last, _ in results]
        print(f"after {options.minutes} min: anonymous {min(lasts):.1f}–{max(lasts):.1f} MB")


if __name__ == "__main__":
    main()
