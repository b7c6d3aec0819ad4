#!/usr/bin/env bash
# Builds the program and starts it from its program folder, build/Calvetra, which holds the
# executable, the manual Guida.pdf, the password file with the initial password and, once the program has run, all its data files.
# Without a display the program runs on a virtual one (Xvfb); say so and carry on.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CALVETRA_BUILD:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j"$(nproc)" --target calvetra guide password_file
folder="$build/Calvetra"
echo "Program folder: $folder (initial password: CALVETRA)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting on a virtual X display (Xvfb). To see it, run this on a desktop,"
  echo "or use 'xvfb-run -s \"-screen 0 1600x1000x24\" $folder/Calvetra' and take screenshots with 'import -window root'."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$folder/Calvetra"
fi
exec "$folder/Calvetra"
