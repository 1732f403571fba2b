#!/usr/bin/env bash
# How the cost of a check grows with the number of services, and how quickly a busy
# --headless stops. Against a local server (bench/manyfeeds.py, 50 loopback ports) of
# website probes, for 1,000, 5,000 and 10,000 services:
#  - `glinter --check`: CPU seconds, wall time and peak memory of the whole process;
#  - `glinter --headless` refreshing every 30 s: CPU per refresh (the refreshes after the
#    first, with no metrics scrape among them) and private (anonymous) memory after them.
# Compare each step: CPU and memory growing with the number of services is linear. Then the
# time from SIGTERM to exit of --headless with 10,000 services while its first refresh is in
# flight. Last, 2,000 services each on a loopback address of its own (bench/distincthosts.py)
# with the soft limit on open files at the usual 1,024: how many checks fail for want of
# sockets.
#
# With ADDRESS (one of this machine's own, not a loopback one) the services are served there:
# a check then asks the system for its proxy as it would for a site elsewhere, which Qt skips
# for loopback addresses.
#
#   bench/scale.sh GLINTER_BINARY [COUNTS [ADDRESS]]   (default "1000 5000 10000", 127.0.0.1)
set -euo pipefail
binary=$1
counts=${2:-1000 5000 10000}
address=${3:-127.0.0.1}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
port=$((20000 + RANDOM % 10000))
metrics=$((port + 60))
python3 "$here/manyfeeds.py" "$port" "$address" > "$work/server.log" 2>&1 & server=$!
glinter=
trap 'kill $server $glinter 2>/dev/null; rm -rf "$work"' EXIT
until grep -q ready "$work/server.log"; do sleep 0.1; done
ticks=$(getconf CLK_TCK)

services() {
    python3 - "$1" "$port" "$address" <<'PY'
import json, sys, uuid
n, port, address = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
print(json.dumps([{"id": str(uuid.UUID(int=i + 1)).upper(), "name": f"S{i}", "provider": "website",
                   "url": f"http://{address}:{port + i % 50}/{i}"} for i in range(n)]))
PY
}

# CPU time of a process in clock ticks, and its private (anonymous) memory in KB.
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
anonymous() { awk '/^Anonymous:/ { print $2 }' "/proc/$1/smaps_rollup"; }
refreshes() {
    curl -s --max-time 5 "http://127.0.0.1:$metrics/metrics" | awk '/^glinter_refreshes_total/ { print $2 }'
}
wait_refreshes() {
    until [ "$(refreshes || echo 0)" -ge "$1" ] 2>/dev/null; do sleep 1; done
}

# A folder of its own for each --headless, beside any Glinter the user runs.
headless_home() {
    rm -rf "${work:?}/home"
    mkdir -p "$work/home/data/Glinter" "$work/home/config/Glinter"
    mkdir -m 700 "$work/home/run"
    printf '[General]\nrefreshInterval=30\n' > "$work/home/config/Glinter/Glinter.conf"
    cp "$1" "$work/home/data/Glinter/services.json"
}
run_headless() {
    XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config XDG_CACHE_HOME=$work/home/cache \
        XDG_RUNTIME_DIR=$work/home/run "$binary" --headless "$@" > /dev/null 2>&1 &
    glinter=$!
}

printf '%8s  %-40s  %-44s\n' services "--check" "--headless, per refresh"
for n in $counts; do
    services "$n" > "$work/services-$n.json"
    /usr/bin/time -f "%U %S %e %M" "$binary" --check --services "$work/services-$n.json" > /dev/null \
        2> "$work/time.txt" || true
    read -r user system wall peak < <(tail -1 "$work/time.txt")

    headless_home "$work/services-$n.json"
    started=$(date +%s)
    run_headless --metrics-listen "127.0.0.1:$metrics"
    wait_refreshes 1
    first=$(refreshes)
    before=$(cpu $glinter)
    # No scrape inside the measured span (one costs tens of ms with 10,000 services): the timer
    # refreshes 30 and 60 s after the start, and both are done 20 s later.
    sleep $((started + 80 - $(date +%s)))
    after=$(cpu $glinter)
    counted=$(( $(refreshes) - first ))
    if [ "$counted" -lt 1 ]; then
        echo "warning: no refresh finished in the measured span with $n services" >&2
        counted=1
    fi
    memory=$(anonymous $glinter)
    # What one scrape costs, for comparison.
    scrapes=$(cpu $glinter)
    for _ in 1 2 3 4 5; do refreshes > /dev/null; done
    scrape=$(( ($(cpu $glinter) - scrapes) / 5 ))
    kill -TERM $glinter
    wait $glinter 2>/dev/null || true
    glinter=
    printf '%8d  %5.2f s CPU %5.2f s wall %7.1f MB peak  %5.2f s CPU (scrape %.3f s)  %6.1f MB private\n' \
        "$n" "$(bc -l <<< "$user + $system")" "$wall" "$(bc -l <<< "$peak / 1024")" \
        "$(bc -l <<< "($after - $before) / $ticks / $counted")" "$(bc -l <<< "$scrape / $ticks")" \
        "$(bc -l <<< "$memory / 1024")"
done

services 10000 > "$work/services-10000.json"
headless_home "$work/services-10000.json"
run_headless
sleep 2.5
start=$(date +%s%N)
kill -TERM $glinter
status=0
wait $glinter || status=$?
echo "headless with 10000 services stopped $(( ($(date +%s%N) - start) / 1000000 )) ms after SIGTERM, exit status $status"

: > "$work/hosts.log"
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
