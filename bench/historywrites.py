#!/usr/bin/env python3
"""Bytes that `glinter --headless` writes to history.json in a day of 5-minute refreshes.

Runs RUNS instances side by side, each in a home of its own with 119 website services on a
local server (bench/manyfeeds.py) and a history.json that already holds a full week's worth
(96 samples per service), so that every write is as large as it gets in steady use. Time is
compressed tenfold: refreshes every 30 s instead of 5 minutes, and the history's write
interval, where the program takes one, a tenth of its 15 minutes. Each run watches
history.json for REFRESHES refresh periods from its first write on, counting the versions
that appear (each write replaces the file), and reads /proc/PID/io; then it stops the
instance with SIGTERM and notes whether the exit wrote the file once more. A day is
288 refreshes, so the figure per day is what the window wrote times 288 / REFRESHES.

    bench/historywrites.py GLINTER_BINARY [REFRESHES] [RUNS]   (default 12 and 3)
"""
import json
import os
import signal
import subprocess
import sys
import tempfile
import threading
import time
import uuid

SERVICES = 119
REFRESH = 30  # seconds, the shortest interval the program takes
COMPRESSION = 300 // REFRESH
WRITE_INTERVAL = 15 * 60 // COMPRESSION
REFERENCE_EPOCH = 978307200  # 2001-01-01T00:00:00Z, the history's time base
HERE = os.path.dirname(os.path.abspath(__file__))


def proc_io(pid):
    values = {}
    with open(f"/proc/{pid}/io") as io:
        for line in io:
            key, _, value = line.partition(":")
            values[key] = int(value)
    return values


def prepare(home, port):
    data = os.path.join(home, "data", "Glinter")
    os.makedirs(data)
    os.makedirs(os.path.join(home, "config", "Glinter"))
    os.mkdir(os.path.join(home, "run"), 0o700)
    with open(os.path.join(home, "config", "Glinter", "Glinter.conf"), "w") as conf:
        conf.write(f"[General]\nrefreshInterval={REFRESH}\nnotificationsEnabled=false\n")
    ids = [str(uuid.UUID(int=i + 1)).upper() for i in range(SERVICES)]
    services = [{"id": ids[i], "name": f"S{i}", "provider": "website",
                 "url": f"http://127.0.0.1:{port + i % 50}/{i}"} for i in range(SERVICES)]
    with open(os.path.join(data, "services.json"), "w") as out:
        json.dump(services, out)
    # The last 8 hours at 5-minute refreshes: the 96 samples a service keeps, to the
    # millisecond as the program writes them.
    now = round(time.time() - REFERENCE_EPOCH, 3)
    history = []
    for identifier in ids:
        history += [identifier, [{"indicator": 0, "at": round(now - 300 * (96 - k), 3)} for k in range(96)]]
    with open(os.path.join(data, "history.json"), "w") as out:
        json.dump(history, out, separators=(",", ":"))
    return os.path.join(data, "history.json")


def version(path):
    try:
        info = os.stat(path)
    except FileNotFoundError:
        return None
    return (info.st_ino, info.st_mtime_ns, info.st_size)


def run(binary, port, refreshes, report, index):
    with tempfile.TemporaryDirectory(prefix="historywrites-") as home:
        history = prepare(home, port)
        seeded = version(history)
        env = dict(os.environ, XDG_DATA_HOME=f"{home}/data", XDG_CONFIG_HOME=f"{home}/config",
                   XDG_RUNTIME_DIR=f"{home}/run", DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent",
                   GLINTER_HISTORY_WRITE_INTERVAL=str(WRITE_INTERVAL),
                   ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "detect_leaks=0"))
        glinter = subprocess.Popen([binary, "--headless"], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        writes = []
        last = seeded
        while last == seeded:
            time.sleep(0.02)
            last = version(history)
            if glinter.poll() is not None:
                report[index] = "glinter ended before its first write"
                return
        start = time.monotonic()
        io_start = proc_io(glinter.pid)
        writes.append(last[2])
        end = start + refreshes * REFRESH - REFRESH / 6
        while time.monotonic() < end:
            time.sleep(0.02)
            current = version(history)
            if current is not None and current != last:
                writes.append(current[2])
                last = current
        io_end = proc_io(glinter.pid)
        stop = time.monotonic()
        glinter.send_signal(signal.SIGTERM)
        glinter.wait(timeout=30)
        stopped_ms = round((time.monotonic() - stop) * 1000)
        final = version(history)
        exit_write = final[2] if final != last else 0
        written = sum(writes)
        report[index] = {
            "writes": len(writes), "bytes": written, "per_day": written * 288 // refreshes,
            "wchar": io_end["wchar"] - io_start["wchar"],
            "write_bytes": io_end["write_bytes"] - io_start["write_bytes"],
            "exit_write": exit_write, "stopped_ms": stopped_ms, "status": glinter.returncode,
        }


def main():
    binary = sys.argv[1]
    refreshes = int(sys.argv[2]) if len(sys.argv) > 2 else 12
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    port = 20000 + int.from_bytes(os.urandom(2), "big") % 10000
    server = subprocess.Popen([sys.executable, os.path.join(HERE, "manyfeeds.py"), str(port)],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        server.stdout.readline()
        report = [None] * runs
        threads = [threading.Thread(target=run, args=(binary, port, refreshes, report, i)) for i in range(runs)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
    finally:
        server.kill()
    print(f"{SERVICES} services, {refreshes} refreshes every {REFRESH} s standing for 5 minutes each, "
          f"history write interval given as {WRITE_INTERVAL} s")
    for i, result in enumerate(report):
        if not isinstance(result, dict):
            print(f"run {i + 1}: {result}")
            continue
        print(f"run {i + 1}: {result['writes']} writes of history.json, {result['bytes']:,} bytes "
              f"(process wchar {result['wchar']:,}, write_bytes {result['write_bytes']:,}); "
              f"per day of 5-minute refreshes {result['per_day'] / 1e6:.1f} MB; "
              f"exit {'wrote ' + format(result['exit_write'], ',') + ' bytes' if result['exit_write'] else 'wrote nothing'}, "
              f"status {result['status']} {result['stopped_ms']} ms after SIGTERM")


if __name__ == "__main__":
    main()
