#!/usr/bin/env bash
# clang-tidy with the project's .clang-tidy over every source file under src/
# (headers through its HeaderFilterRegex), some files at a time. Any finding
# fails. Usage: scripts/lint.sh BUILD_DIR [JOBS]; BUILD_DIR must be configured
# (it holds compile_commands.json).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
jobs="${2:-2}"

if [[ ! -f "$build/compile_commands.json" ]]; then
  echo "lint: $build/compile_commands.json is missing; configure the build first" >&2
  exit 2
fi

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
find src -name '*.cpp' -print0 | sort -z |
  xargs -0 -n 1 -P "$jobs" clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
    >"$log" 2>&1 || status=$?
# clang counts the warnings it suppressed in system headers; only findings matter.
grep -v -E '^[0-9]+ (warning|error)s? (and [0-9]+ (warning|error)s? )?generated\.$' "$log" || true

if [[ $status -ne 0 ]]; then
  echo "lint: clang-tidy reported findings (see above)" >&2
  exit 1
fi
echo "lint: $(find src -name '*.cpp' | wc -l) files, no findings"
