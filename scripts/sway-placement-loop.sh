#!/usr/bin/env bash
# Where the panel opens on sway, start after start: each round starts a headless sway whose
# configuration starts waybar (with its tray) and Glinter together, as a login does, clicks
# the meter as waybar would (the item's Activate over D-Bus, with sway's cursor over the
# icon) and reads the panel's rectangle from sway's tree once it has stayed put for three
# seconds. A panel against the bar under the icon counts as placed; one anywhere else (where
# sway puts a new floating window: the middle of the output) does not.
#
#   scripts/sway-placement-loop.sh GLINTER [ROUNDS] [PLATFORM]
#
# GLINTER is the binary (build/release/src/app/glinter); ROUNDS defaults to 20; PLATFORM is
# Qt's platform: xcb (through Xwayland, what Qt takes under sway without qt6-wayland or
# outside a Wayland session; the default) or wayland.
#
# As at a login, the click comes while the first check is still running: the services are
# six sites on a local server (started here; nothing goes to the internet) that answers
# after FEED_DELAY seconds (2), every third with 503, so the panel grows a divider between
# troubled and healthy services after it has opened. CLICK_AFTER (0) seconds after the icon
# appears the click comes. Each round runs as nobody when started as root (sway refuses
# root), under its own session bus and XDG folders; its logs stay in the folder printed at
# the end: sway's debug log (the IPC commands it ran, with times), its window events, and
# the time of the click. Needs sway, waybar, Xwayland, swaymsg, busctl, jq, python3 and
# dbus-run-session.
set -euo pipefail

if [ "${1:-}" = --round ]; then
    # one round, inside its own session bus
    glinter=$2 dir=$3 platform=$4
    export XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data
    export XDG_CACHE_HOME=$dir/cache XDG_STATE_HOME=$dir/state XDG_SESSION_TYPE=wayland
    export XDG_CURRENT_DESKTOP=sway WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK

    cat > "$dir/waybar.json" << 'EOF'
{"layer": "top", "position": "top", "height": 28, "modules-right": ["tray"], "tray": {"icon-size": 18}}
EOF
    cat > "$dir/sway.conf" << EOF
output HEADLESS-1 resolution 1280x800
xwayland enable
exec waybar -c $dir/waybar.json > $dir/waybar.log 2>&1
exec env QT_QPA_PLATFORM=$platform $glinter > $dir/glinter.log 2>&1
EOF
    sway -d -c "$dir/sway.conf" > "$dir/sway.log" 2>&1 &
    sway=$!
    events=
    trap 'kill $events $sway 2> /dev/null; wait $sway 2> /dev/null || true' EXIT

    for _ in $(seq 100); do
        SWAYSOCK=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name "sway-ipc.*.sock" | head -n1) && [ -n "$SWAYSOCK" ] && break
        sleep 0.1
    done
    export SWAYSOCK
    swaymsg -t subscribe -m '["window"]' 2> /dev/null \
        | while IFS= read -r line; do printf '%s %s\n' "$(date +%s.%N)" "$line"; done > "$dir/window-events.log" &
    events=$!

    # the meter is in the tray once waybar (the watcher) lists Glinter's item
    item=
    for _ in $(seq 300); do
        item=$(busctl --user --json=short get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
            org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2> /dev/null | jq -r '.data[0] // empty') || true
        [ -n "$item" ] && break
        sleep 0.1
    done
    if [ -z "$item" ]; then
        echo "no item in the tray"
        exit 0
    fi
    sleep "${CLICK_AFTER:-0}"
    swaymsg -q seat seat0 cursor set 1270 14
    date +%s.%N > "$dir/click.log"
    busctl --user call "${item%%/*}" "/${item#*/}" org.kde.StatusNotifierItem Activate ii 1270 14

    # the panel's rectangle once it has stayed put for three seconds (the first check ends
    # within them), at most ten seconds after the click
    rect='' last='' steady=0
    for _ in $(seq 100); do
        sleep 0.1
        rect=$(swaymsg -t get_tree | jq -r '.. | objects | select(.name? == "Glinter" and has("pid"))
            | "\(.rect.x),\(.rect.y) \(.rect.width)x\(.rect.height) app_id=\(.app_id) class=\(.window_properties.class)"' \
            | head -n1) || true
        if [ -n "$rect" ] && [ "$rect" = "$last" ]; then
            steady=$((steady + 1))
            [ $steady -ge 30 ] && break
        else
            steady=0
        fi
        last=$rect
    done
    echo "${rect:-no panel}"
    exit 0
fi

glinter=$(realpath "$1")
self=$(realpath "$0")
rounds=${2:-20}
platform=${3:-xcb}
logs=$(mktemp -d /tmp/sway-placement.XXXXXX)
chmod 755 "$logs"

# the sites: each answers after the delay, every third one with 503
port=$((20000 + RANDOM % 20000))
python3 - "$port" "${FEED_DELAY:-2}" << 'EOF' &
import http.server, socketserver, sys, time
class Site(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        time.sleep(float(sys.argv[2]))
        self.send_response(503 if int(self.path.strip("/") or 0) % 3 == 0 else 200)
        self.send_header("Content-Length", "0")
        self.end_headers()
    do_HEAD = do_GET
    def log_message(self, *args):
        pass
class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
Server(("127.0.0.1", int(sys.argv[1])), Site).serve_forever()
EOF
server=$!
trap 'kill $server 2> /dev/null' EXIT

placed=0
for round in $(seq "$rounds"); do
    dir=$logs/$round
    mkdir -p "$dir/run" "$dir/config/Glinter" "$dir/data/Glinter"
    chmod 700 "$dir/run"
    printf '[General]\nhasOnboarded=true\n' > "$dir/config/Glinter/Glinter.conf"
    for n in $(seq 6); do
        printf '{"name": "Site %d", "url": "http://127.0.0.1:%d/%d", "provider": "website"}\n' "$n" "$port" "$n"
    done | jq -s . > "$dir/data/Glinter/services.json"
    asUser=()
    if [ "$(id -u)" = 0 ]; then
        chown -R nobody:nogroup "$dir"
        asUser=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$dir")
    fi
    result=$("${asUser[@]}" dbus-run-session -- "$self" --round "$glinter" "$dir" "$platform" 2> "$dir/round.err" \
        | tail -n1)
    # placed: against the bar (its top within the first 40 pixels) and reaching the icon
    verdict=centred
    if [[ $result =~ ^([0-9]+),([0-9]+)\ ([0-9]+)x ]]; then
        x=${BASH_REMATCH[1]} y=${BASH_REMATCH[2]} w=${BASH_REMATCH[3]}
        if [ "$y" -le 40 ] && [ $((x + w)) -ge 1200 ]; then
            verdict=placed
            placed=$((placed + 1))
        fi
    else
        verdict=missing
    fi
    printf 'round %2d: %-8s %s\n' "$round" "$verdict" "$result"
done
echo "placed under the icon in $placed of $rounds starts ($platform); logs in $logs"
