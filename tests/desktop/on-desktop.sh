#!/usr/bin/env bash
# Runs a command on a private real desktop (Xvfb with openbox) and ends with
# its exit code: tests/desktop/on-desktop.sh <command> [arguments...]
# Exit code 77 means skipped (X tools missing).
# shellcheck source=tests/desktop/desktop-session.sh
source "$(dirname "$0")/desktop-session.sh"

[ $# -gt 0 ] || fail "usage: $0 <command> [arguments...]"
skip_unless_tools
start_desktop
code=0
"$@" || code=$?
exit "$code"
