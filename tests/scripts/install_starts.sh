#!/usr/bin/env bash
# An install into a fresh prefix is a working program that the desktop can list: the entry,
# the icons and the AppStream description pass the desktop's own checks, and the installed
# program starts with a new user's folder seeded from the installed data, runs its window and
# ends with its playlist saved when asked to end.
# Usage: install_starts.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_starts: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix/usr" >/dev/null
share=$prefix/usr/share
desktop-file-validate "$share/applications/org.tonaply.Tonaply.desktop" ||
  fail "the desktop entry is refused"
appstreamcli validate --no-net "$share/metainfo/org.tonaply.Tonaply.metainfo.xml" >/dev/null ||
  fail "the AppStream description is refused"
for size in 16x16 32x32 48x48 256x256; do
  [ -s "$share/icons/hicolor/$size/apps/org.tonaply.Tonaply.png" ] || fail "no $size icon"
done
[ -s "$share/icons/hicolor/scalable/apps/org.tonaply.Tonaply.svg" ] || fail "no scalable icon"
[ -f "$prefix/usr/lib/tonaply/libtonaply_flash_viewer.so" ] || fail "no Flash viewer"
[ -f "$prefix/usr/lib/tonaply/ruffle/ruffle.js" ] || fail "no Ruffle beside the viewer"

# A new user: folders of their own, nothing of the build tree.
export HOME=$prefix/home XDG_DATA_HOME=$prefix/home/.local/share \
  XDG_CONFIG_HOME=$prefix/home/.config XDG_CACHE_HOME=$prefix/home/.cache \
  XDG_RUNTIME_DIR=$prefix/run QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
cd "$prefix"
set +e
timeout -s TERM 6 "$prefix/usr/bin/tonaply" >/dev/null 2>&1
rc=$?
set -e
[ "$rc" -eq 124 ] || fail "the program ended by itself (exit $rc) instead of running"
folder=$XDG_DATA_HOME/Tonaply
for file in start.ram singer.txt help.htm; do
  [ -f "$folder/$file" ] || fail "the user's folder was not seeded with $file"
done
[ -f "$folder/播放列表.hdm" ] || fail "the playlist was not saved at the end"
echo "install_starts: ok"
