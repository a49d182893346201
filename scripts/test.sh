#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, UI and
# script tests and the explorer, the same tests under AddressSanitizer and
# UBSan, short fuzzing runs of the project reader, the script language and
# the command line, and one pass of each benchmark.
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

echo "== fuzzing the project reader (${ZV_FUZZ_SECONDS:-60} s), the script language and the command line (${ZV_FUZZ_SHORT_SECONDS:-20} s each)"
CXX=clang++ ZV_BUILD_DIR=build-fuzz bash scripts/build.sh -DZV_FUZZ=ON
# fuzz NAME SECONDS CORPUS SEEDS...: a bounded run from the seeds; a finding
# prints the end of its log and fails the run.
# (Absolute paths: the command-line fuzzer works in a folder of its own.)
fuzz() {
  local name=$1 seconds=$2 corpus=$PWD/build-fuzz/$3
  shift 3
  mkdir -p "$corpus"
  cp -n "$@" "$corpus"/ 2>/dev/null || true
  build-fuzz/bin/"$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$PWD/build-fuzz/$name-" "$corpus" >build-fuzz/"$name".log 2>&1 ||
    { tail -50 build-fuzz/"$name".log; exit 1; }
  tail -1 build-fuzz/"$name".log
}
fuzz fuzz_project_reader "${ZV_FUZZ_SECONDS:-60}" corpus fuzz/corpus/*
fuzz fuzz_script_syntax "${ZV_FUZZ_SHORT_SECONDS:-20}" script-corpus tests/scripts/*.zvs
fuzz fuzz_command_line "${ZV_FUZZ_SHORT_SECONDS:-20}" cli-corpus fuzz/corpus-cli/*
echo "all tests passed"
