#!/usr/bin/env bash
# Runs one script through `zorvant run` in a scratch folder holding a copy of
# tests/scripts/data. Header lines of the script state the outcome:
#   # exit: N          the exit status (default 0)
#   # stdout: TEXT     a line that standard output must contain (repeatable)
#   # stderr: TEXT     a line that standard error must contain (repeatable)
#   # file: FILE       the script wrote FILE and it is not empty (repeatable)
#   # same: FILE       FILE, written by the script, equals expected/FILE byte
#                      for byte (repeatable)
set -u
exe=$1
script=$2
here=$(cd "$(dirname "$script")" && pwd)
name=$(basename "$script")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/$name" "$work/"
[ -d "$here/data" ] && cp -r "$here/data/." "$work/"

cd "$work"
QT_QPA_PLATFORM=offscreen "$exe" run "$name" >stdout.txt 2>stderr.txt
status=$?

fail=0
expected=$(sed -n 's/^# exit: //p' "$name" | head -n 1)
expected=${expected:-0}
if [ "$status" != "$expected" ]; then
  echo "exit status $status, expected $expected"
  fail=1
fi
while IFS= read -r line; do
  grep -qxF -- "$line" stdout.txt || { echo "stdout lacks: $line"; fail=1; }
done < <(sed -n 's/^# stdout: //p' "$name")
while IFS= read -r line; do
  grep -qxF -- "$line" stderr.txt || { echo "stderr lacks: $line"; fail=1; }
done < <(sed -n 's/^# stderr: //p' "$name")
while IFS= read -r file; do
  [ -s "$file" ] || { echo "$file was not written"; fail=1; }
done < <(sed -n 's/^# file: //p' "$name")
while IFS= read -r file; do
  cmp -- "$file" "$here/expected/$file" >/dev/null 2>&1 || { echo "$file differs from expected/$file"; fail=1; }
done < <(sed -n 's/^# same: //p' "$name")
if [ $fail -ne 0 ]; then
  echo "--- stdout"; cat stdout.txt
  echo "--- stderr"; cat stderr.txt
fi
exit $fail
