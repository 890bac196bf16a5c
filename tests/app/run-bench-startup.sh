#!/usr/bin/env bash
# Runs the start-up benchmark under a fresh Xvfb with a black root and no
# window manager. Each program folder is copied, with the first-run marker of
# a user who has started the program before (so no greeting waits for a click).
#   tests/app/run-bench-startup.sh BUILD_DIR [RUNS] [OTHER_KORDELVANE ...]
set -euo pipefail
BUILD=$(cd "$1" && pwd)
RUNS=${2:-7}
shift 2 || shift $#
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PROGRAMS=()
i=0
for exe in "$BUILD/Orvalent/Kordelvane" "$@"; do
  i=$((i + 1))
  mkdir -p "$WORK/$i"
  cp -r "$BUILD/Orvalent/." "$WORK/$i/"
  rm -f "$WORK/$i/Reg.key"
  cp "$exe" "$WORK/$i/Kordelvane"
  echo "Zavoz Software" > "$WORK/$i/Reg.key"
  PROGRAMS+=("$WORK/$i/Kordelvane")
done
xvfb-run -a -s "-screen 0 1280x1024x24 -br" \
  "$BUILD/tests/app/bench_startup" "$RUNS" "$BUILD/tests/app/bench_anchor" "${PROGRAMS[@]}"
