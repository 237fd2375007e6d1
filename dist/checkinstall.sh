#!/usr/bin/env bash
# What an installation gives a desktop: installs the build into a throw-away
# prefix whose name has a blank and Japanese in it (the program finds its data
# relative to itself), then checks the files, the validators' verdicts, the
# icons' sizes and the installed program's answers through a link.
#   dist/checkinstall.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "checkinstall: $*" >&2; exit 1; }
prefix="$root/my games/ゲーム"
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

for file in bin/gridlore share/applications/gridlore.desktop \
            share/metainfo/org.example.gridlore.metainfo.xml share/man/man6/gridlore.6.gz \
            share/doc/gridlore/copyright share/doc/gridlore/changelog.gz \
            share/icons/hicolor/scalable/apps/gridlore.svg; do
  [ -s "$file" ] || fail "$file is missing or empty"
done
[ "$(ls bin)" = gridlore ] || fail "bin/ holds more than the program: $(ls bin)"
diff -r "$build/share/gridlore" share/gridlore >/dev/null || fail "share/gridlore differs from the build's"
for side in 48 64 128 256; do
  png=share/icons/hicolor/${side}x${side}/apps/gridlore.png
  # A PNG's width and height stand big-endian at bytes 16 and 20.
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$size" = "${side}x${side}" ] || fail "$png is $size"
done
grep -q '^Categories=.*Game;.*Simulation;' share/applications/gridlore.desktop \
  || fail "the desktop entry is not a game"
[ -z "$(desktop-file-validate share/applications/gridlore.desktop)" ] || fail "desktop-file-validate"
appstreamcli validate --no-net share/metainfo/*.metainfo.xml >/dev/null 2>&1 || fail "appstreamcli"
[ -z "$(man --warnings -E UTF-8 -l -Tutf8 -Z share/man/man6/gridlore.6.gz 2>&1 >/dev/null)" ] \
  || fail "the manual page has warnings"

ln -s "$prefix/bin/gridlore" "$root/gridlore"
said=$(cd "$root" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ./gridlore --help | tail -n 1)
[ "$said" = "Help page: $prefix/share/gridlore/helppage/hlp01.htm" ] || fail "--help says: $said"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
said=$(cd "$root" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  ./gridlore x --version 2>"$root/err")
[ "$said" = "gridlore $version" ] && [ ! -s "$root/err" ] \
  || fail "--version says: $said $(cat "$root/err")"
echo "install checks passed"
