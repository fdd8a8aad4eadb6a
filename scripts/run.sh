#!/usr/bin/env bash
# Starts the built program; lays out the starting data (the real results in
# data/download) beside it first when no data files are there, and uses a
# virtual display when there is no screen.
set -euo pipefail
bin_dir="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$bin_dir/download"
for name in Loto7Number.csv Loto7Data.csv; do
  target="$bin_dir/download/$name"
  # A downloaded file stays; the generated sample data that earlier versions
  # laid out here is made up, and gives way to the real results.
  if [ ! -f "$target" ] || cmp -s "$target" "$root/sample/download/$name"; then
    cp "$root/data/download/$name" "$target"
    echo "Starting data (draws 1 to 689) laid out: $target"
  fi
done
cd "$bin_dir"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" ./septarion
fi
exec ./septarion
