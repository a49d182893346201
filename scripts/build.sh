#!/usr/bin/env bash
# Configures and builds into build/ (or $ZV_BUILD_DIR), incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${ZV_BUILD_DIR:-build}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
