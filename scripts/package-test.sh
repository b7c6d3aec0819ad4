#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get, starts the installed program as a new
# user would (its own HOME, no display: offscreen) and checks that it set up the user's program
# folder with the password file, then removes the package. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CALVETRA_BUILD:-build}
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j"$(nproc)" --target calvetra guide install_password_file
(cd "$build" && rm -f calvetra_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/calvetra_*.deb)
echo "package: $deb"
dpkg-deb --contents "$deb"
$SUDO apt-get install -y -qq "$(realpath "$deb")" >/dev/null
home=$(mktemp -d)
trap '$SUDO apt-get remove -y -qq calvetra >/dev/null || true; rm -rf "$home"' EXIT
test -f /usr/share/applications/calvetra.desktop
grep -qx "Exec=/usr/lib/calvetra/Calvetra" /usr/share/applications/calvetra.desktop
test -f /usr/share/icons/hicolor/128x128/apps/calvetra.png
test -f /usr/lib/calvetra/unins000.dll
# The sound module beside the executable, and the executable itself free of the multimedia libraries.
test -f /usr/lib/calvetra/libcalvetra_sound.so
if ldd /usr/lib/calvetra/Calvetra | grep -q libQt6Multimedia; then echo "the program links the multimedia libraries"; exit 1; fi
ldd /usr/lib/calvetra/libcalvetra_sound.so | grep -q libQt6Multimedia
# The program runs until it is closed: it must still be running when the timeout stops it.
status=0
HOME="$home" XDG_DATA_HOME="" QT_QPA_PLATFORM=offscreen timeout 10 /usr/lib/calvetra/Calvetra || status=$?
if [ "$status" != 124 ]; then echo "the installed program ended with status $status"; exit 1; fi
cmp /usr/lib/calvetra/unins000.dll "$home/.local/share/Calvetra/unins000.dll"
test -f "$home/.local/share/Calvetra/Guida.pdf"
echo "installed program started; user folder: $(ls "$home/.local/share/Calvetra" | tr '\n' ' ')"
