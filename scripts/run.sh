#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. Without a
# display it runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
ZV_BUILD_DIR=build bash scripts/build.sh -DZV_TESTS=OFF -DZV_BENCH=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/bin/zorvant "$@"
fi
exec build/bin/zorvant "$@"
