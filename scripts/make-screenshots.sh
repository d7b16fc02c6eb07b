#!/usr/bin/env bash
# Remakes the README's pictures, docs/images/*.png: the launcher's real window (the win64
# build) under Wine on an Xvfb display, one picture per main view and one of the Cancel
# confirmation (the system's message box), as the launcher saved it with --screenshot (whole
# windows, frames and title bars included, dialogs and boxes over the window), turned into a
# small PNG.
#   scripts/make-screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ -z "${ORV_ON_XVFB:-}" ]]; then
  "$root/scripts/install-deps.sh"
  cmake --preset win64 -S "$root" >/dev/null
  cmake --build --preset win64 -j2 --target OrvLauncher >/dev/null
  exec env ORV_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

export WINEPREFIX=$root/build/win64/wineprefix-window WINEDEBUG=-all
source "$root/scripts/wine-window-session.sh" "$root/build/win64/launcher"

for scenario in full_update fail_before_progress proxy_then_retry cancel_then_retry; do
  (cd "$work/l" && quiet wine OrvLauncher.exe --batch --screenshot "$work/$scenario" --scenario "$scenario")
done

# pick <picture> <name>: ImageMagick by its Debian name (a "convert" earlier on PATH may be
# another program).
pick() {
  [[ -n "$1" ]] || { echo "make-screenshots: no picture for $2" >&2; exit 1; }
  convert-im6.q16 "$1" -strip "$root/docs/images/$2.png"
  echo "docs/images/$2.png from $(basename "$1") ($(stat -c %s "$root/docs/images/$2.png") bytes)"
}
first() { ls "$@" 2>/dev/null | head -1; }
last() { ls "$@" 2>/dev/null | tail -1; }

mkdir -p "$root/docs/images"
pick "$(first "$work"/full_update/*_connecting.bmp)" connecting
pick "$(ls "$work"/full_update/*_download.bmp | sed -n 3p)" download
pick "$(last "$work"/full_update/*_install.bmp)" install
pick "$(last "$work"/full_update/*_startgame.bmp)" startgame
pick "$(first "$work"/fail_before_progress/*_error.bmp)" error
pick "$(last "$work"/proxy_then_retry/*_proxy.bmp)" proxy
pick "$(first "$work"/cancel_then_retry/*_messagebox.bmp)" cancel
