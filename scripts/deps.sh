#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping what is
# already present. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev libgl-dev
  nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core
  xvfb xauth
  desktop-file-utils
  lintian
)
[ "${ZV_WITH_SCREENSHOT_TOOLS:-0}" = 1 ] && packages+=(imagemagick)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
