#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, UI and
# script tests, the same tests under AddressSanitizer and UBSan, a short
# fuzzing run of the project reader, and one pass of each benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== build and test"
ZV_BUILD_DIR=build bash scripts/build.sh
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== benchmarks (one short pass)"
for b in build/bin/bench_*; do
  [ -x "$b" ] && "$b" --benchmark_min_time=0.01 >/dev/null
done

echo "== sanitizers"
ZV_BUILD_DIR=build-asan bash scripts/build.sh -DZV_SANITIZE=ON -DZV_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzzing the project reader (${ZV_FUZZ_SECONDS:-60} s)"
CXX=clang++ ZV_BUILD_DIR=build-fuzz bash scripts/build.sh -DZV_FUZZ=ON
mkdir -p build-fuzz/corpus
cp -n fuzz/corpus/* build-fuzz/corpus/ 2>/dev/null || true
build-fuzz/bin/fuzz_project_reader -max_total_time="${ZV_FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
  -max_len=65536 build-fuzz/corpus >build-fuzz/fuzz.log 2>&1 || { tail -50 build-fuzz/fuzz.log; exit 1; }
tail -1 build-fuzz/fuzz.log
echo "all tests passed"
