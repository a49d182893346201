#!/usr/bin/env bash
# Installs the build into a staging folder with `cmake --install` and checks
# the tree a desktop needs: the program and its module, the menu entry (valid
# by desktop-file-validate, opening files, for the project type), the project
# file type, icons from 16 to 256 px and scalable, the user guide with its
# pictures and the gzipped man page. Then runs the staged program.
# Usage: check_install.sh BUILD_DIR
set -u
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail=0
problem() { echo "$*"; fail=1; }

cmake --install "$build" --prefix "$stage/usr" >/dev/null || { echo "cmake --install failed"; exit 1; }
usr=$stage/usr

for f in bin/zorvant lib/zorvant/plugins/ZorvantQ7R2x.so share/applications/zorvant.desktop \
         share/mime/packages/zorvant.xml share/icons/hicolor/scalable/apps/zorvant.svg \
         share/doc/zorvant/guide/index.html share/man/man1/zorvant.1.gz; do
  [ -s "$usr/$f" ] || problem "missing: $f"
done
[ -x "$usr/bin/zorvant" ] || problem "bin/zorvant is not executable"
for size in 16 22 24 32 48 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/zorvant.png"
  if [ ! -s "$icon" ]; then
    problem "missing: ${size}x${size} icon"
  else
    # The PNG header holds the width and the height, 4 bytes each, big-endian.
    read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || problem "the ${size}x${size} icon is ${w}x${h}"
  fi
done

entry="$usr/share/applications/zorvant.desktop"
grep -qx 'Exec=zorvant %F' "$entry" || problem "the entry does not open files: $(grep ^Exec= "$entry")"
grep -qx 'MimeType=application/x-zorvant-project;' "$entry" || problem "the entry names no project type"
grep -qx 'Icon=zorvant' "$entry" || problem "the entry names no icon"
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$entry" 2>&1) || problem "desktop-file-validate: $out"
  [ -z "$out" ] || problem "desktop-file-validate: $out"
else
  problem "desktop-file-validate is not installed (Debian package desktop-file-utils)"
fi
mime="$usr/share/mime/packages/zorvant.xml"
grep -q 'type="application/x-zorvant-project"' "$mime" || problem "the type definition lacks the project type"
grep -q 'glob pattern="\*.zvp"' "$mime" || problem "the type definition does not match *.zvp"

# Every picture the guide shows is installed beside it.
guide="$usr/share/doc/zorvant/guide/index.html"
for src in $(grep -o 'src="[^"]*"' "$guide" | sed 's/src="//; s/"$//'); do
  [ -s "$usr/share/doc/zorvant/guide/$src" ] || problem "the guide's picture $src is not installed"
done
man=$stage/zorvant.1
gzip -dc "$usr/share/man/man1/zorvant.1.gz" >"$man" || problem "the man page is not gzipped"
grep -q '^\.TH ZORVANT 1' "$man" || problem "the man page has no title line"
# The man page and the guide describe every subcommand the program lists, and the exit statuses.
subs=$("$usr/bin/zorvant" --help | sed -n 's/^ *zorvant \([a-z]\+\)\b.*/\1/p' | sort -u)
[ -n "$subs" ] || problem "zorvant --help lists no subcommand"
for sub in $subs; do
  grep -q "^\.B zorvant $sub\b" "$man" || problem "the man page's synopsis lacks $sub"
  grep -q "^\.B $sub\$" "$man" || problem "the man page does not describe $sub"
  grep -q "^zorvant $sub " "$guide" || problem "the guide's command line lacks $sub"
done
grep -q '^\.SH EXIT STATUS' "$man" || problem "the man page has no exit statuses"
grep -q '<p>Exit status: ' "$guide" || problem "the guide has no exit statuses"

# The staged program finds its module and works.
work=$(mktemp -d)
if ! "$usr/bin/zorvant" new Q7R21 -o "$work/p.zvp" >/dev/null 2>"$work/err"; then
  problem "the staged program failed: $(cat "$work/err")"
elif ! "$usr/bin/zorvant" generate "$work/p.zvp" | grep -q 'Init_Device'; then
  problem "the staged program generated no Init_Device"
fi
rm -rf "$work"


exit $fail
