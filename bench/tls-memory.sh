#!/usr/bin/env bash
# Resident memory of glinter --headless over time, checking 119 website probes of a local HTTPS
# server that closes every connection (bench/mixedfeeds.py, "Connection: close"), so that every
# check opens a new TLS connection, at the shortest refresh interval (30 s). Prints VmRSS after
# every refresh; a flat series after the first minutes is the goal.
#
#   bench/tls-memory.sh GLINTER_BINARY [MINUTES]   (default 30)
set -euo pipefail
binary=$1
minutes=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
python3 "$here/mixedfeeds.py" "$port" > /dev/null 2>&1 & server=$!
trap 'kill $server 2>/dev/null; kill $glinter 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/data/Glinter" "$work/config/Glinter"
# A session of its own, beside any Glinter the user runs.
mkdir -m 700 "$work/run"
printf '[General]\nrefreshInterval=30\n' > "$work/config/Glinter/Glinter.conf"
python3 - "$port" > "$work/data/Glinter/services.json" <<'PY'
import json, sys, uuid
port = int(sys.argv[1])
print(json.dumps([{"id": str(uuid.UUID(int=i + 1)).upper(), "name": f"S{i}", "provider": "website",
                   "url": f"https://127.0.0.1:{port}/ok/{i}"} for i in range(119)]))
PY
sleep 1
XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run GLINTER_EXTRA_CA_CERTS=$here/../tests/data/tls/ca.pem \
    "$binary" --headless > /dev/null 2>&1 & glinter=$!
for ((i = 0; i <= minutes * 2; ++i)); do
    sleep 30
    echo "$(( (i + 1) * 30 )) s: $(grep VmRSS /proc/$glinter/status | tr -s ' \t' ' ')"
done
