#!/usr/bin/env bash
# Installs the Debian 12 packages Glinter needs to build, test and run.
# Idempotent: packages already present are skipped, and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
    build-essential clang lld libclang-rt-14-dev clang-format clang-tidy cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6svg6 qt6-l10n-tools qt6-tools-dev
    qcoro-qt6-dev libicu-dev zlib1g-dev libmicrohttpd-dev libxcb1-dev libcurl4-openssl-dev libssl-dev
    dbus dbus-x11 openssl curl ca-certificates
    librsvg2-bin desktop-file-utils appstream dpkg-dev xdg-utils fonts-dejavu-core
    prometheus python3 systemd
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages: ${missing[*]}" >&2
    echo "install-deps: run as root (or install them with sudo apt-get install)" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"

# prometheus is here for its promtool, which checks contrib/: the server its package starts
# and enables is of no use to a build, so a Prometheus installed just now is stopped again.
if [[ " ${missing[*]} " == *" prometheus "* ]] && [ -d /run/systemd/system ]; then
    systemctl disable --now prometheus.service || true
fi
