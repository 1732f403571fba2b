#!/usr/bin/env bash
# How the cost of a check grows with the number of services, and how quickly a busy
# --headless stops: `glinter --check` over 2,500, 5,000 and 10,000 website probes of a local
# server (bench/manyfeeds.py, 50 loopback ports), reporting CPU seconds, wall time and peak
# memory of each, then the time from SIGTERM to exit of --headless with 10,000 services while
# its first refresh is in flight. Compare the CPU of each doubling: about 2x is linear.
# Last, 2,000 services each on a loopback address of its own (bench/distincthosts.py) with the
# soft limit on open files at the usual 1,024: how many checks fail for want of sockets.
#
#   bench/scale.sh GLINTER_BINARY
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
port=$((20000 + RANDOM % 10000))
python3 "$here/manyfeeds.py" "$port" > "$work/server.log" 2>&1 & server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
until grep -q ready "$work/server.log"; do sleep 0.1; done

for n in 2500 5000 10000; do
    python3 - "$n" "$port" > "$work/services-$n.json" <<'PY'
import json, sys, uuid
n, port = int(sys.argv[1]), int(sys.argv[2])
print(json.dumps([{"id": str(uuid.UUID(int=i + 1)).upper(), "name": f"S{i}", "provider": "website",
                   "url": f"http://127.0.0.1:{port + i % 50}/{i}"} for i in range(n)]))
PY
    /usr/bin/time -f "check of $n services: %U s user + %S s system CPU, %e s wall, %M KB peak" \
        "$binary" --check --services "$work/services-$n.json" > /dev/null 2> "$work/time.txt" || true
    tail -1 "$work/time.txt"
done

mkdir -p "$work/data/Glinter" "$work/config"
# A session of its own, beside any Glinter the user runs.
mkdir -m 700 "$work/run"
cp "$work/services-10000.json" "$work/data/Glinter/services.json"
XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run "$binary" --headless > /dev/null 2>&1 & glinter=$!
sleep 2.5
start=$(date +%s%N)
kill -TERM $glinter
status=0
wait $glinter || status=$?
echo "headless with 10000 services stopped $(( ($(date +%s%N) - start) / 1000000 )) ms after SIGTERM, exit status $status"

python3 "$here/distincthosts.py" $((port + 100)) 2000 > "$work/hosts.log" 2>&1 & hosts=$!
trap 'kill $server $hosts 2>/dev/null; rm -rf "$work"' EXIT
until grep -q ready "$work/hosts.log"; do sleep 0.1; done
python3 - $((port + 100)) > "$work/hosts.json" <<'PY'
import json, sys, uuid
port = int(sys.argv[1])
print(json.dumps([{"id": str(uuid.UUID(int=i + 1)).upper(), "name": f"S{i}", "provider": "website",
                   "url": f"http://127.0.{i // 250}.{i % 250 + 1}:{port}/"} for i in range(2000)]))
PY
online=$( (ulimit -Sn 1024; "$binary" --check --services "$work/hosts.json" 2> /dev/null || true) | grep -c "Online" || true)
echo "2000 services on distinct hosts with a soft limit of 1024 open files: $online online, $((2000 - online)) failed"
