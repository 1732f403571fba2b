#!/usr/bin/env python3
"""What hostile and careless clients cost glinter --headless --metrics-listen.

Starts the given glinter binary in a home of its own (40 website probes of a closed local
port, so that nothing leaves the machine), waits for its first refresh, notes its resident
memory, then, all at once:

- one client sends a single 8 MB header line;
- 50 clients each send 20 MB of a request head that never ends;
- 500 clients connect and send nothing;
- one client sends its request head a byte a second;
- a scraper asks for /metrics every 0.2 s on a new connection;

then, once they are gone, one more client that sends a byte a second, alone. It prints the
peak memory under that load, the memory once the clients have gone, how long the server
took to close each kind of connection, and how fast the scrapes were answered. The figures to look for: peak memory within 40 MB of idle, every idle
connection closed within 30 s, every scrape answered within 2 s.

    bench/metrics-abuse.py GLINTER_BINARY
"""
import json
import os
import re
import selectors
import socket
import subprocess
import sys
import tempfile
import threading
import time

IDLE = 500
FLOODERS = 50
FLOOD_BYTES = 20 * 1024 * 1024
LINE_BYTES = 8 * 1024 * 1024
CHUNK = 64 * 1024


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def start(binary, home):
    for folder in ("data/Glinter", "config", "cache"):
        os.makedirs(os.path.join(home, folder), exist_ok=True)
    runtime = os.path.join(home, "run")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    with open(os.path.join(home, "data/Glinter/services.json"), "w") as services:
        json.dump([{"name": f"Probe {i}", "provider": "website", "url": f"http://127.0.0.1:9/{i}"}
                   for i in range(40)], services)
    environment = dict(os.environ, XDG_DATA_HOME=os.path.join(home, "data"),
                       XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_CACHE_HOME=os.path.join(home, "cache"),
                       XDG_RUNTIME_DIR=runtime, DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent",
                       ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "detect_leaks=0"))
    process = subprocess.Popen([binary, "--headless", "--metrics-listen", "127.0.0.1:0"], env=environment,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    port = None
    deadline = time.monotonic() + 30
    while port is None and time.monotonic() < deadline:
        line = process.stdout.readline()
        if not line:
            break
        found = re.search(r"metrics at http://127\.0\.0\.1:(\d+)/metrics", line)
        if found:
            port = int(found.group(1))
    if port is None:
        process.kill()
        sys.exit("metrics-abuse: glinter did not say where it listens")
    # Keep reading its log, so that it never blocks on a full pipe.
    threading.Thread(target=lambda: [None for _ in process.stdout], daemon=True).start()
    return process, port


def scrape(port):
    """Seconds until a whole answer to GET /metrics arrived, or None."""
    began = time.monotonic()
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=10) as connection:
            connection.sendall(b"GET /metrics HTTP/1.1\r\nHost: bench\r\nConnection: close\r\n\r\n")
            received = b""
            while True:
                data = connection.recv(CHUNK)
                if not data:
                    break
                received += data
        return time.monotonic() - began if received.startswith(b"HTTP/1.1 200") else None
    except OSError:
        return None


def wait_closed(connection, began):
    """Seconds from `began` until the server ended the connection (None: not within 60 s)."""
    connection.settimeout(60)
    try:
        while connection.recv(CHUNK):
            pass
    except socket.timeout:
        return None
    except OSError:
        pass
    return time.monotonic() - began


def flood(port, total, results):
    """Sends `total` bytes of a head that never ends; notes how much went out and when it ended."""
    began = time.monotonic()
    sent = 0
    try:
        connection = socket.create_connection(("127.0.0.1", port), timeout=60)
        connection.sendall(b"GET /metrics HTTP/1.1\r\nHost: bench\r\nX-Flood: ")
        filler = b"a" * CHUNK
        while sent < total:
            sent += connection.send(filler)
        closed = wait_closed(connection, began)
        connection.close()
    except OSError:
        closed = time.monotonic() - began
    results.append((sent, closed))


def long_line(port, results):
    began = time.monotonic()
    answer = b""
    try:
        connection = socket.create_connection(("127.0.0.1", port), timeout=60)
        try:
            connection.sendall(b"GET /metrics HTTP/1.1\r\nHost: bench\r\nX-Line: " + b"a" * LINE_BYTES + b"\r\n\r\n")
        except OSError:
            pass
        try:
            answer = connection.recv(CHUNK)
        except OSError:
            pass
        closed = wait_closed(connection, began)
        connection.close()
    except OSError:
        closed = time.monotonic() - began
    results.append((answer.split(b"\r\n")[0].decode("latin-1") or "(none)", closed))


def trickle(port, results):
    began = time.monotonic()
    connection = socket.create_connection(("127.0.0.1", port), timeout=60)
    head = b"GET /metrics HTTP/1.1\r\nHost: bench\r\nX-Slow: " + b"a" * 100
    closed = None
    for byte in head:
        try:
            connection.sendall(bytes([byte]))
        except OSError:
            closed = time.monotonic() - began
            break
        connection.settimeout(1)
        try:
            if not connection.recv(CHUNK):
                closed = time.monotonic() - began
                break
        except socket.timeout:
            pass
        except OSError:
            closed = time.monotonic() - began
            break
    connection.close()
    results.append(closed)


def idle_clients(port, results):
    """Opens the idle connections and notes when the server closes each."""
    selector = selectors.DefaultSelector()
    began = time.monotonic()
    for _ in range(IDLE):
        connection = socket.create_connection(("127.0.0.1", port), timeout=10)
        connection.setblocking(False)
        selector.register(connection, selectors.EVENT_READ)
    opened = time.monotonic() - began
    closed = []
    while len(closed) < IDLE and time.monotonic() - began < 60:
        for key, _ in selector.select(timeout=1):
            try:
                data = key.fileobj.recv(CHUNK)
            except OSError:
                data = b""
            if not data:
                closed.append(time.monotonic() - began)
                selector.unregister(key.fileobj)
                key.fileobj.close()
    for key in list(selector.get_map().values()):
        key.fileobj.close()
    results.append((opened, closed))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as home:
        process, port = start(sys.argv[1], home)
        try:
            time.sleep(5)  # the first refresh
            scrape(port)
            idle = rss_mb(process.pid)

            peak = [idle]
            running = threading.Event()
            running.set()

            def sample():
                while running.is_set():
                    peak[0] = max(peak[0], rss_mb(process.pid))
                    time.sleep(0.05)

            scrapes = []

            def scraper():
                while running.is_set():
                    scrapes.append(scrape(port))
                    time.sleep(0.2)

            line, floods, slow, idlers = [], [], [], []
            clients = [threading.Thread(target=long_line, args=(port, line)),
                       threading.Thread(target=trickle, args=(port, slow)),
                       threading.Thread(target=idle_clients, args=(port, idlers))]
            clients += [threading.Thread(target=flood, args=(port, FLOOD_BYTES, floods)) for _ in range(FLOODERS)]
            watchers = [threading.Thread(target=sample), threading.Thread(target=scraper)]
            for thread in watchers + clients:
                thread.start()
            for thread in clients:
                thread.join()
            running.clear()
            for thread in watchers:
                thread.join()
            time.sleep(3)
            after = rss_mb(process.pid)
            trickle(port, slow)

            print(f"resident memory: idle {idle:.1f} MB, peak under load {peak[0]:.1f} MB "
                  f"(+{peak[0] - idle:.1f}), after the clients left {after:.1f} MB (+{after - idle:.1f})")
            answer, closed = line[0]
            print(f"8 MB header line: {answer}, connection closed after {closed:.2f} s")
            cut = [sent for sent, _ in floods]
            ends = [closed for _, closed in floods if closed is not None]
            print(f"{FLOODERS} clients x 20 MB of unfinished head: at most {max(cut) / 1048576:.1f} MB sent before "
                  f"the server closed, {len(ends)} of {FLOODERS} closed, the last after {max(ends, default=0):.2f} s")
            opened, idle_closed = idlers[0]
            print(f"{IDLE} idle connections (opened in {opened:.2f} s): {len(idle_closed)} closed, the last after "
                  f"{max(idle_closed, default=0):.2f} s, {sum(1 for t in idle_closed if t < 1)} within 1 s")
            for when, closed in zip(("under the load", "alone"), slow):
                print(f"client sending a byte a second, {when}: "
                      + (f"closed after {closed:.2f} s" if closed is not None else "not closed"))
            answered = [s for s in scrapes if s is not None]
            print(f"scrapes under load: {len(answered)} of {len(scrapes)} answered, slowest {max(answered, default=0):.3f} s")
        finally:
            process.terminate()
            process.wait(30)


if __name__ == "__main__":
    main()
