#!/usr/bin/env bash
# Configures and builds into build/ (or $ZV_BUILD_DIR), incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${ZV_BUILD_DIR:-build}
# A compiler cache, when the machine has one, makes rebuilds in several
# checkouts of the project cheap.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
