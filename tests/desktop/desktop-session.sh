# shellcheck shell=bash
# Sourced by the desktop tests: a private X display (Xvfb) with a real window
# manager (openbox), a private home, settings and runtime folder, and helpers
# that wait with a deadline instead of sleeping a fixed time.
#
# After start_desktop: DISPLAY points at the new display, $work is a
# temporary folder removed on exit, and the X server and window manager are
# ended on exit. Exit code 77 means skipped (X tools missing).

set -euo pipefail
export LC_ALL=C.UTF-8

# Generous: a loaded CI machine may take a while; a passing run never waits
# for a deadline.
deadline_seconds=60

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

skip_unless_tools() {
  local tool missing=()
  for tool in Xvfb openbox xdotool wmctrl xwininfo xprop; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: missing ${missing[*]} (scripts/install-deps.sh installs them)"
    exit 77
  fi
}

# Runs "$@" until it succeeds; fails naming $what when the deadline passes.
wait_until() {
  local what=$1
  shift
  local end=$((SECONDS + deadline_seconds))
  until "$@"; do
    [ $SECONDS -lt $end ] || fail "timed out waiting for $what"
    sleep 0.05
  done
}

started_pids=()
end_started() {
  local pid
  for pid in "${started_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${started_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}

display_ready() {
  kill -0 "${started_pids[0]}" 2>/dev/null || fail "Xvfb ended: $(cat "$work/xvfb.log")"
  grep -qE '^[0-9]+$' "$work/display" 2>/dev/null
}

start_desktop() {
  work=$(mktemp -d)
  trap end_started EXIT
  mkdir -p "$work/home" "$work/config" "$work/cache" "$work/runtime"
  chmod 700 "$work/runtime"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
  export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY XAUTHORITY SESSION_MANAGER

  # The server picks a free display number itself and writes it when ready.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  started_pids+=($!)
  wait_until "the X server" display_ready
  DISPLAY=":$(cat "$work/display")"
  export DISPLAY

  # On a loaded machine openbox now and then fails to open a display that
  # has just come up; it is started again, a few times at most.
  local attempt
  for attempt in 1 2 3; do
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    started_pids[1]=$!
    local end=$((SECONDS + deadline_seconds))
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
      if ! kill -0 "${started_pids[1]}" 2>/dev/null; then
        [ "$attempt" -lt 3 ] || fail "openbox ended: $(cat "$work/openbox.log")"
        continue 2
      fi
      [ $SECONDS -lt $end ] || fail "timed out waiting for the window manager"
      sleep 0.05
    done
    return 0
  done
}
