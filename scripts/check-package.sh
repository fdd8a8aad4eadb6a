#!/usr/bin/env bash
# Checks installing: `cmake --install` lays out the ready-to-run folder with a
# desktop entry for it and keeps downloaded data on a second install; CPack
# packs the same folder as a tar.gz; the program in the unpacked package
# starts (under a virtual X display), shows its caption, and a second copy
# ends at once with exit code 0.
#   scripts/check-package.sh <build folder> <version>
# Exit code 77 means skipped (no virtual X display available).
set -euo pipefail
# The manual's file name is Japanese: archiving it needs a UTF-8 locale, which
# a bare environment (LANG unset, as under CI) does not give.
export LC_ALL=C.UTF-8

if [ "${1:-}" = "--run-under-display" ]; then
  # Second half, inside xvfb-run: $2 the unpacked folder, $3 the caption.
  folder=$2
  caption=$3
  "$folder/septarion" &
  first=$!
  deadline=$((SECONDS + 120))
  until xwininfo -root -tree 2>/dev/null | grep -qF "\"$caption\""; do
    if ! kill -0 "$first" 2>/dev/null; then
      echo "FAIL: the program ended before showing its window" >&2
      exit 1
    fi
    if [ $SECONDS -gt $deadline ]; then
      echo "FAIL: no window captioned '$caption'" >&2
      kill "$first"
      exit 1
    fi
    sleep 0.5
  done
  echo "window: $caption"
  # The second copy of the same file ends at once, silently, with 0.
  set +e
  timeout 60 "$folder/septarion"
  second=$?
  set -e
  if [ "$second" -ne 0 ]; then
    echo "FAIL: the second copy ended with $second" >&2
    kill "$first"
    exit 1
  fi
  if ! kill -0 "$first" 2>/dev/null; then
    echo "FAIL: the first copy ended too" >&2
    exit 1
  fi
  echo "second copy ended with 0; the first runs on"
  kill "$first"
  wait "$first" 2>/dev/null || true
  exit 0
fi

build=$(cd "$1" && pwd)
version=$2
caption="Septarion  [for Version $version]"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

check_folder() {
  local folder=$1
  for file in septarion download/Loto7Number.csv download/Loto7Data.csv 操作手順書.pdf \
    septarion.svg install-desktop-entry.sh; do
    [ -s "$folder/$file" ] || fail "$folder/$file is missing"
  done
  [ -x "$folder/septarion" ] || fail "$folder/septarion is not executable"
}

check_entry() {
  local entry=$1 folder=$2
  [ -f "$entry" ] || fail "no desktop entry $entry"
  grep -qxF "Exec=\"$folder/septarion\"" "$entry" || fail "$entry does not start $folder/septarion"
  grep -qxF "Icon=$folder/septarion.svg" "$entry" || fail "$entry has not the icon"
  grep -qxF "Type=Application" "$entry" || fail "$entry is not an application"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "$entry is not valid"
  fi
}

# 1. The folder from `cmake --install`; a second install keeps the data.
installed="$work/installed folder"
cmake --install "$build" --prefix "$installed" >/dev/null
check_folder "$installed"
check_entry "$installed/septarion.desktop" "$installed"
printf 'downloaded\r\n' >"$installed/download/Loto7Number.csv"
cmake --install "$build" --prefix "$installed" >/dev/null
[ "$(cat "$installed/download/Loto7Number.csv")" = $'downloaded\r' ] ||
  fail "a second install replaced the data"
echo "install: ok"

# 2. The tar.gz from CPack holds the same folder; its script adds the entry.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
tarballs=("$work"/package/*.tar.gz)
[ -f "${tarballs[0]}" ] || fail "no tar.gz package"
mkdir "$work/unpacked"
tar -xzf "${tarballs[0]}" -C "$work/unpacked"
folders=("$work"/unpacked/*)
folder=${folders[0]}
check_folder "$folder"
XDG_DATA_HOME="$work/data" "$folder/install-desktop-entry.sh" >/dev/null
check_entry "$work/data/applications/septarion.desktop" "$folder"
echo "package: ok ($(basename "${tarballs[0]}"))"

# 3. The program in it starts, with its own settings and lock folders.
if ! command -v xvfb-run >/dev/null || ! command -v xwininfo >/dev/null; then
  echo "SKIP: xvfb-run or xwininfo missing (xvfb, x11-utils): the start is not checked"
  exit 77
fi
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x800x24" "$0" --run-under-display "$folder" "$caption"
echo "start: ok"
