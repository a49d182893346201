#!/usr/bin/env bash
# Builds the two Debian packages (zorvant-cli, zorvant) from a stripped
# release build in build-release/ (or $ZV_BUILD_DIR) and checks them as the
# package test does (lintian included). The packages land in DIR/packages/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir=${ZV_BUILD_DIR:-build-release}
ZV_BUILD_DIR=$dir bash scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DZV_TESTS=OFF -DZV_BENCH=OFF
bash tests/install/check_packages.sh "$dir" "$dir/packages"
ls "$dir"/packages/*.deb
