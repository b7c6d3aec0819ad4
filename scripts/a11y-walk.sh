#!/usr/bin/env bash
# The accessibility walk under Xvfb: every screen the pictures tool opens is read through the
# toolkit's accessibility interfaces with the accessibility bridge on; controls without a name,
# fields not linked to their label and read-only fields announced as editable are listed, and
# the script fails when there is any. Pictures of the screens walked go to $1 (a temporary folder
# by default).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CALVETRA_BUILD:-build}
out=${1:-$(mktemp -d)}
mkdir -p "$out"
cmake --build "$build" --target screenshots >/dev/null
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 LC_ALL=C.UTF-8
run=("$build/tools/screenshots" --accessibility "$out")
if command -v xvfb-run >/dev/null; then
  run=(xvfb-run -a -s "-screen 0 1920x1080x24" "${run[@]}")
  if command -v dbus-run-session >/dev/null; then run=(dbus-run-session -- "${run[@]}"); fi
else
  export QT_QPA_PLATFORM=offscreen
fi
status=0
"${run[@]}" >"$out/walk.txt" 2>"$out/walk.err" || status=$?
grep -v '^/' "$out/walk.txt" || true
exit "$status"
