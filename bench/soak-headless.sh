#!/usr/bin/env bash
# Runs glinter --headless for a while against bench/mixedfeeds.py (hanging, trickling,
# cut, redirecting, failing, slow and compressed feeds) at the shortest refresh interval,
# then stops it with SIGTERM. Meant for a sanitizer build: any report ends the run with
# a non-zero status.
#
#   bench/soak-headless.sh GLINTER_BINARY [SECONDS]   (default 600)
set -euo pipefail
binary=$1
seconds=${2:-600}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
python3 "$here/mixedfeeds.py" "$port" & server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/data/Glinter" "$work/config/Glinter"
# A session of its own, beside any Glinter the user runs.
mkdir -m 700 "$work/run"
printf '[General]\nrefreshInterval=30\n' > "$work/config/Glinter/Glinter.conf"
{
    echo '['
    first=1
    for kind in ok hang trickle close redirect fail slow gzip; do
        for reader in statuspage website; do
            [ $first = 1 ] || echo ','
            first=0
            printf '{"name":"%s %s","provider":"%s","url":"https://127.0.0.1:%s/%s/"}' "$kind" "$reader" "$reader" "$port" "$kind"
        done
    done
    echo ']'
} > "$work/data/Glinter/services.json"

export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run GLINTER_EXTRA_CA_CERTS=$here/../tests/data/tls/ca.pem
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:max_free_fill_size=65536:free_fill_byte=255}
sleep 1
"$binary" --headless > "$work/out.log" 2>&1 & glinter=$!
sleep "$seconds"
kill -TERM $glinter
status=0
wait $glinter || status=$?
lines=$(grep -c . "$work/out.log" || true)
echo "soak: ${seconds}s, ${lines} lines printed, exit status ${status}"
if grep -q "Sanitizer\|runtime error" "$work/out.log"; then
    grep -m5 "Sanitizer\|runtime error" "$work/out.log"
    exit 1
fi
exit "$status"
