#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# only those that are missing. Quiet when nothing is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build make pkg-config
    qt6-base-dev libjpeg62-turbo-dev libgtest-dev
    fonts-arphic-uming fonts-noto-cjk fonts-crosextra-caladea
    libxcb1-dev
    xvfb openbox xdotool imagemagick x11-utils x11-xserver-utils strace
)
[ "$#" -gt 0 ] && packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
