#!/usr/bin/env bash
# Builds the two Debian packages of a build tree with cpack and checks them:
# lintian reports no error; zorvant-cli depends on the C/C++ runtime only and
# its command, unpacked alone, runs generate, check, diff and merge without
# Qt; zorvant depends on zorvant-cli and Qt 6; both together install under
# 10 MB, stripped, with copyright files and a gzipped man page.
# Usage: check_packages.sh BUILD_DIR [OUT_DIR]   (OUT_DIR keeps the packages)
set -u
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=${2:-$work/packages}
mkdir -p "$out"
fail=0
problem() { echo "$*"; fail=1; }

(cd "$build" && cpack -G DEB -B "$out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
cli=$(ls "$out"/zorvant-cli_*.deb 2>/dev/null)
desktop=$(ls "$out"/zorvant_*.deb 2>/dev/null)
[ -f "$cli" ] && [ -f "$desktop" ] || { echo "cpack made no zorvant-cli and zorvant packages"; ls "$out"; exit 1; }

# The dependency lists: the command needs the C/C++ runtime only.
field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "$cli" Depends)" = "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11)" ] ||
  problem "zorvant-cli depends on: $(field "$cli" Depends)"
deps=$(field "$desktop" Depends)
version=$(field "$cli" Version)
for d in "zorvant-cli (= $version)" libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins libc6; do
  grep -qF "$d" <<<"$deps" || problem "zorvant does not depend on $d: $deps"
done
size=$(( $(field "$cli" Installed-Size) + $(field "$desktop" Installed-Size) ))
[ "$size" -lt 10240 ] || problem "installed size ${size} KiB is not under 10 MB"

# What each holds.
dpkg-deb -c "$cli" | awk '{print $6}' >"$work/cli.list"
dpkg-deb -c "$desktop" | awk '{print $6}' >"$work/desktop.list"
for f in ./usr/bin/zorvant ./usr/lib/zorvant/libzv_core.so ./usr/lib/zorvant/libzv_chip.so \
         ./usr/share/man/man1/zorvant.1.gz \
         ./usr/share/doc/zorvant-cli/copyright; do
  grep -qx "$f" "$work/cli.list" || problem "zorvant-cli lacks $f"
done
for f in ./usr/lib/zorvant/libzorvant-desktop.so ./usr/lib/zorvant/plugins/ZorvantQ7R2x.so \
         ./usr/share/applications/zorvant.desktop ./usr/share/doc/zorvant/copyright \
         ./usr/share/doc/zorvant/guide/index.html; do
  grep -qx "$f" "$work/desktop.list" || problem "zorvant lacks $f"
done
if grep -qi 'qt' "$work/cli.list"; then problem "zorvant-cli holds Qt files: $(grep -i qt "$work/cli.list")"; fi

# Only the command, unpacked: it works without the desktop package.
root=$work/root
dpkg-deb -x "$cli" "$root"
zv=$root/usr/bin/zorvant
for f in "$zv" "$root"/usr/lib/zorvant/*.so; do
  if readelf -S "$f" | grep -qE '\.symtab|\.debug_info'; then problem "$f is not stripped"; fi
done
if env -u LD_LIBRARY_PATH ldd "$zv" | grep -Ei 'libqt|not found'; then problem "the packaged command needs more than it holds"; fi
p=$work/p.zvp
run() { env -u LD_LIBRARY_PATH -u ZORVANT_PLUGIN_PATH "$zv" "$@"; }
run new Q7R22 -o "$p" || problem "zorvant new failed"
run generate "$p" -o "$work/init.c" || problem "zorvant generate failed"
run check "$p" "$work/init.c" || problem "zorvant check failed"
run diff "$p" "$p" || problem "zorvant diff failed"
run merge "$p" "$p" "$p" -o "$work/m.zvp" && cmp -s "$p" "$work/m.zvp" || problem "zorvant merge failed"
# The desktop is another package's: one clear line, exit 1.
msg=$(run 2>&1 </dev/null); status=$?
[ "$status" = 1 ] && grep -q '^zorvant: cannot open the desktop program: it is not installed' <<<"$msg" ||
  problem "the command without the desktop package says ($status): $msg"

# lintian: no errors (warnings are shown).
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$cli" "$desktop" >"$work/lintian.log" 2>&1
  grep -v '^running with root privileges' "$work/lintian.log"
  if grep -q '^E:' "$work/lintian.log"; then problem "lintian reports errors"; fi
else
  problem "lintian is not installed (Debian package lintian)"
fi
exit $fail
