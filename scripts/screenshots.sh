#!/usr/bin/env bash
# Pictures of Glinter for the README: the panel, a service's details and the settings window,
# in a light and in a dark theme (GTK's Adwaita and Adwaita dark, through Qt's GTK platform
# theme), written to docs/screenshots/. Glinter runs on a virtual X server without a tray (so
# its panel is an ordinary window), in folders of its own, against feeds served on loopback
# from the test samples: no network and none of the user's files.
#
#   scripts/screenshots.sh [GLINTER]     # GLINTER: the program (default: the release build,
#                                        # built with `make build` when missing)
#
# Installs what it lacks on Debian 12 (as root). OUT=dir writes the pictures elsewhere;
# LANGUAGE=de (or another shipped language) shows Glinter in that language.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${OUT:-$root/docs/screenshots}
feeds=$root/tests/data/feeds

# command → the Debian package that brings it
declare -A tools=([Xvfb]=xvfb [import]=imagemagick [xdotool]=xdotool [dbus-run-session]=dbus [python3]=python3)
missing=()
for tool in "${!tools[@]}"; do
    command -v "$tool" > /dev/null || missing+=("${tools[$tool]}")
done
for package in qt6-gtk-platformtheme fonts-dejavu-core; do
    dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "screenshots: missing packages: ${missing[*]} (run as root, or apt-get install them)" >&2
        exit 1
    fi
    echo "screenshots: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

glinter=${1:-$root/build/release/src/app/glinter}
if [ ! -x "$glinter" ]; then
    make -C "$root" build
fi
glinter=$(realpath "$glinter")

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2> /dev/null || true
    done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The feeds: one loopback port per service, each answering one sample (or a sample made
# calm) over HTTPS with the tests' certificate, and one port where nothing listens, for a
# service that cannot be read.
cat > "$work/feeds.py" << 'PY'
import copy, functools, http.server, json, socket, ssl, sys, threading

feeds, tls = sys.argv[1], sys.argv[2]
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(f"{tls}/server.pem", f"{tls}/server.key")
def load(name):
    with open(f"{feeds}/{name}", "rb") as file:
        return file.read()

story = json.loads(load("statuspage/summary-story.json"))
calm = copy.deepcopy(story)
calm["status"] = {"indicator": "none", "description": "All Systems Operational"}
calm["incidents"] = []
calm["scheduled_maintenances"] = []
for component in calm.get("components", []):
    component["status"] = "operational"
outage = json.loads(load("statuspage/summary.json"))

def statuspage(summary):
    status = {"page": summary.get("page", {}), "status": summary["status"]}
    unresolved = {"page": summary.get("page", {}),
                  "incidents": [i for i in summary.get("incidents", []) if i.get("status") not in ("resolved", "postmortem")]}
    return {"/api/v2/summary.json": json.dumps(summary).encode(),
            "/api/v2/status.json": json.dumps(status).encode(),
            "/api/v2/incidents/unresolved.json": json.dumps(unresolved).encode()}

pages = [statuspage(story), statuspage(calm), statuspage(outage), {"/summary.json": load("instatus/summary-up.json")}]

class Feed(http.server.BaseHTTPRequestHandler):
    def __init__(self, routes, *args, **kwargs):
        self.routes = routes
        super().__init__(*args, **kwargs)
    def do_GET(self):
        body = self.routes.get(self.path.split("?")[0])
        if body is None:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass

ports = []
for routes in pages:
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Feed, routes))
    server.socket = context.wrap_socket(server.socket, server_side=True)
    ports.append(server.server_address[1])
    threading.Thread(target=server.serve_forever, daemon=True).start()
closed = socket.socket()
closed.bind(("127.0.0.1", 0))  # bound, never listening: connections are refused
ports.append(closed.getsockname()[1])
print(*ports, flush=True)
threading.Event().wait()
PY
python3 "$work/feeds.py" "$feeds" "$root/tests/data/tls" > "$work/ports" &
pids+=($!)
for _ in $(seq 50); do
    [ -s "$work/ports" ] && break
    sleep 0.1
done
read -r story calm outage instatus closed < "$work/ports"

services() {
    cat << JSON
[
  {"name": "Northwind Payments", "url": "https://127.0.0.1:$story/", "provider": "statuspage"},
  {"name": "Contoso Cloud", "url": "https://127.0.0.1:$calm/", "provider": "statuspage"},
  {"name": "Fabrikam API", "url": "https://127.0.0.1:$outage/", "provider": "statuspage"},
  {"name": "Tailspin Mail", "url": "https://127.0.0.1:$instatus/", "provider": "instatus"},
  {"name": "Litware Search", "url": "https://127.0.0.1:$closed/", "provider": "statuspage"}
]
JSON
}

# A window title in the language shown: its translation from translations/, or as given.
title() {
    local language=${LANGUAGE:-}
    local ts=$root/translations/glinter_${language%%:*}.ts
    if [ -z "$language" ] || [ ! -f "$ts" ]; then
        echo "$1"
        return
    fi
    python3 - "$ts" "$1" <<'PY'
import sys
import xml.etree.ElementTree as ET
for message in ET.parse(sys.argv[1]).iter("message"):
    if message.findtext("source") == sys.argv[2] and message.findtext("translation"):
        print(message.findtext("translation"))
        break
else:
    print(sys.argv[2])
PY
}

# Waits for a shown window whose title is exactly $1 and prints its id.
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "screenshots: no window \"$1\"" >&2
    return 1
}

# Writes window $1 to $2, raised first: without a window manager a covered part would be
# whatever covers it.
shoot() {
    xdotool windowraise "$1"
    sleep 0.5
    import -window "$1" "$2"
    echo "screenshots: $2"
}

mkdir -p "$out"
for theme in light dark; do
    home=$work/$theme
    mkdir -p "$home/data/Glinter" "$home/config/Glinter" "$home/cache" "$home/runtime"
    chmod 700 "$home/runtime"
    services > "$home/data/Glinter/services.json"
    # the welcome window would cover the panel
    printf '[General]\nhasOnboarded=true\n' > "$home/config/Glinter/Glinter.conf"

    # a display number no other X server holds, written once it takes connections
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3> "$home/display" > "$home/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        [ -s "$home/display" ] && break
        sleep 0.1
    done
    display=$(cat "$home/display")
    gtk_theme=Adwaita
    [ "$theme" = dark ] && gtk_theme=Adwaita:dark
    env DISPLAY=":$display" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
        XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" HOME="$home" \
        QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME="$gtk_theme" LANG=C.UTF-8 \
        LANGUAGE="${LANGUAGE:-}" GLINTER_OPEN_SETTINGS=1 GLINTER_EXTRA_CA_CERTS="$root/tests/data/tls/ca.pem" ASAN_OPTIONS=detect_leaks=0 \
        dbus-run-session -- "$glinter" > "$home/glinter.log" 2>&1 &
    pids+=($!)
    export DISPLAY=":$display"

    panel=$(window Glinter)
    settings=$(window "$(title "Glinter Settings")")
    sleep 3 # the first check of every feed
    shoot "$panel" "$out/panel-$theme.png"
    shoot "$settings" "$out/settings-$theme.png"

    # the details of the service with a story (incidents, maintenance), second in the panel
    # (worst first): Tab runs from the header through Settings and Quit to each row and its
    # details control
    xdotool windowraise "$panel"
    xdotool windowfocus --sync "$panel"
    xdotool key --window "$panel" --delay 100 Tab Tab Tab Tab Tab Tab Tab Return
    details=$(window "$(title "Details for %1" | sed 's/%1/Northwind Payments/')")
    shoot "$details" "$out/details-$theme.png"

    kill "${pids[@]:1}" 2> /dev/null || true
    wait "${pids[@]:1}" 2> /dev/null || true
    pids=("${pids[0]}")
done
