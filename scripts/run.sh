#!/usr/bin/env bash
# Starts the built program; lays out the sample data beside it first when no
# data files are there, and uses a virtual display when there is no screen.
set -euo pipefail
bin_dir="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$bin_dir/download/Loto7Number.csv" ] || [ ! -f "$bin_dir/download/Loto7Data.csv" ]; then
  mkdir -p "$bin_dir/download"
  cp "$root/sample/download/Loto7Number.csv" "$root/sample/download/Loto7Data.csv" "$bin_dir/download/"
  echo "Sample data laid out in $bin_dir/download"
fi
cd "$bin_dir"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" ./septarion
fi
exec ./septarion
