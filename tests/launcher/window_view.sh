#!/usr/bin/env bash
# The launcher's real window, under Wine on an Xvfb display, judged from the pictures it saves
# of each frame: the progress bar is filled as far as the frame's percentage says, Start game
# is drawn with the start-game view and never before, the error view's tip and the proxy
# dialog's fields are drawn, the system's message box is pictured over the window, clicks, a
# choice and typing sent to the real controls reach the module, and the keyboard moves about
# the window as about a system dialog (Tab, Shift+Tab, Enter, Esc).
#   window_view.sh <launcher folder> <wine prefix> <fixture's prefix>
set -u
source_folder=$1
export WINEPREFIX=$2 WINEDEBUG=-all
# Skipped only when ORV_SKIP_WIN32_TESTS=1 asks for it; otherwise what cannot run fails.
cannot_run() {
  if [[ "${ORV_SKIP_WIN32_TESTS:-}" == 1 ]]; then echo "skipped: $1"; exit 77; fi
  echo "$1 (ORV_SKIP_WIN32_TESTS=1 skips this test)" >&2
  exit 1
}
for tool in xvfb-run wine wineserver convert-im6.q16; do
  command -v "$tool" >/dev/null || cannot_run "$tool is missing (Debian packages xvfb, wine, imagemagick)"
done
[[ -e "$3.unusable" ]] && cannot_run "$(cat "$3.unusable")"
# A server of its own, started on the display: Wine's desktop takes the display it first saw.
if [[ -z "${ORV_ON_XVFB:-}" ]]; then
  exec env ORV_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
source "$(dirname "$0")/../../scripts/wine-window-session.sh" "$source_folder"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# probe <picture> fill|ink X Y W H, an area in the picture's pixels from its top left corner:
# how much of the progress bar there is filled, in percent (along its middle row: coloured
# pixels against the light trough, the border counting as neither; -1 without a bar), or how
# many dark pixels (text, edges) the area holds.
probe() {
  local what=$2 x=$3 y=$4 w=$5 h=$6
  [[ $what == fill ]] && y=$((y + h / 2)) h=1
  # A picture ImageMagick cannot read gives no pixels: -1, which every check below refuses.
  convert-im6.q16 "$1" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- 2>/dev/null | awk -F'[(),]' -v what="$what" '
    /^#/ { next }
    { r = $3; g = $4; b = $5; low = r < g ? r : g; low = b < low ? b : low
      high = r > g ? r : g; high = b > high ? b : high
      if (high - low > 80) filled++; else if (low > 200) trough++
      if (r * 3 + g * 6 + b < 1100) dark++ }  # luma below about 110
    END { if (NR < 2) print -1; else if (what == "ink") print dark + 0
          else print filled + trough == 0 ? -1 : int((filled * 100) / (filled + trough) + 0.5) }'
}

# play <name> <scenario>: a batch run with a picture of each frame in $work/<name>/.
play() {
  (cd "$work/l" && wine OrvLauncher.exe --batch --screenshot "$work/$1" --scenario "$2") </dev/null \
    >"$work/$1.crlf" 2>&1 || fail "$1: the run did not end as its scenario expects: $(tail -3 "$work/$1.crlf")"
  tr -d '\r' <"$work/$1.crlf" >"$work/$1.txt"
}

# The bar's percentage in each printed frame, in order ("-" where no bar is shown); the
# pictures are numbered the same way.
bar_percents() {
  awk '/^--- t=/ { if (n++) print p; p = "-" } /^=== summary/ { exit }
       /^ *\[[#.]+\] [0-9]+%$/ { p = $NF; sub(/%/, "", p) } END { if (n) print p }' "$1"
}

# Places in the pictures, as the shipped layouts put them in the launcher's window, whose
# frame's corner is the picture's: its client area begins 3 pixels in, below a title bar (frame
# and title as Wine draws them).
client_x=3 client_y=22
bar=($((client_x + 96)) $((client_y + 16)) 340 22)
start_button=($((client_x + 300)) $((client_y + 106)) 128 34)
tip=($((client_x + 16)) $((client_y + 24)) 528 64)

play full full_update
mapfile -t percent < <(bar_percents "$work/full.txt")
measured=0 start_seen=0
for picture in "$work"/full/*.bmp; do
  name=$(basename "$picture" .bmp)
  view=${name#*_} shown=${percent[$((10#${name%%_*} - 1))]:--}
  [[ $view == download || $view == install || $view == startgame ]] || continue
  if [[ $view == download && $shown != - ]] && ((shown > 0 && shown < 100)); then
    filled=$(probe "$picture" fill "${bar[@]}")
    ((filled >= shown - 2 && filled <= shown + 2)) || fail "$name reads $shown % but its bar is filled $filled %"
    measured=$((measured + 1))
  fi
  ink=$(probe "$picture" ink "${start_button[@]}")
  if [[ $view == startgame ]]; then
    ((start_seen || ink > 100)) || fail "$name: the start-game view without the Start game button ($ink dark pixels)"
    start_seen=1
  elif ((ink != 0)); then
    fail "$name: something is drawn where Start game goes before the start-game view ($ink dark pixels)"
  fi
done
((measured >= 3)) || fail "full_update: $measured download frames with a partly filled bar, want at least 3"
((start_seen)) || fail "full_update: no start-game frame among: $(ls "$work/full")"

# The error tip is shown when the server could not be reached at all.
play error fail_before_progress
error_picture=$(ls "$work"/error/*_error.bmp 2>/dev/null | head -1)
if [[ -z "$error_picture" ]]; then
  fail "fail_before_progress: no error frame among: $(ls "$work/error")"
elif (($(probe "$error_picture" ink "${tip[@]}") < 100)); then
  fail "$(basename "$error_picture"): the error tip's area is empty"
fi

# The person's part of proxy_then_retry done on the real controls, through the system's
# messages, with another address typed in: the combo box's change must reach the dialog (which
# fills the fields from the stored entry), the typed address what OK stores, each click its
# handler; the run checks that the engine was handed that proxy and the game started.
{
  sed -e 's/^at \([0-9]*\) \(click\|choose\) /at \1 real-\2 /' -e 's/^expect proxy .*/expect proxy HTTP 10.0.0.9:8080/' \
    "$work/l/scenarios/proxy_then_retry.scn"
  echo "at 1350 real-type Dlg_Adress_Edt 10.0.0.9"
} >"$work/real.scn"
play proxy "$work/real.scn"
refused=$(grep -E '^=== real-.*not possible now' "$work/proxy.txt")
[[ -z "$refused" && $(grep -c '^=== real-' "$work/proxy.txt") -eq 6 ]] || fail "proxy: real input refused: $refused"

# The proxy dialog, its client area centred over the window's (92 pixels in) and level with
# its top: the fields, and their labels to their left.
proxy_picture=$(ls "$work"/proxy/*_proxy.bmp 2>/dev/null | head -1)
for field in "20 combo" "56 address" "88 port" "120 user" "152 password" "184 domain"; do
  [[ -n "$proxy_picture" ]] || { fail "proxy: no proxy dialog frame"; break; }
  y=$((client_y + ${field%% *}))
  ink=$(probe "$proxy_picture" ink $((client_x + 202)) "$y" 90 24)
  ((ink > 20)) || fail "$(basename "$proxy_picture"): the ${field#* } field is not drawn ($ink dark pixels)"
  ink=$(probe "$proxy_picture" ink $((client_x + 112)) "$y" 84 24)
  ((ink > 10)) || fail "$(basename "$proxy_picture"): the ${field#* } field's label is not drawn ($ink dark pixels)"
done

# The Cancel confirmation, the system's own message box: pictured over the window while it is
# open (the picture differs from the frame before it), and answered from the script there, No
# and then Yes, as the run's end shows.
play box cancel_then_retry
boxes=0
previous=
for picture in "$work"/box/*.bmp; do
  if [[ $picture == *_messagebox.bmp ]]; then
    boxes=$((boxes + 1))
    [[ -n "$previous" && $(convert-im6.q16 "$picture" -format %# info:) != $(convert-im6.q16 "$previous" -format %# info:) ]] ||
      fail "$(basename "$picture"): the message box is not in the picture"
  fi
  previous=$picture
done
((boxes == 2)) || fail "cancel_then_retry: $boxes pictures of a message box, want 2 (one per Cancel)"

# The keyboard, on the real controls through the system's messages: Tab from the address goes
# to the port and Shift+Tab back; Esc closes the dialog as Cancel does (the typed address is
# dropped, and the Proxy button can open it again); Enter in the port field presses OK; Enter
# on Start game presses it.
cp "$(dirname "$0")/keyboard.scn" "$work/keys.scn"
play keys "$work/keys.scn"
grep -qx "=== real-key Dlg_Adress_Edt tab, focus on Dlg_Port_Edt" "$work/keys.txt" ||
  fail "keys: Tab from the address did not reach the port: $(grep -m1 'real-key Dlg_Adress_Edt tab' "$work/keys.txt")"
grep -qx "=== real-key Dlg_Port_Edt shift-tab, focus on Dlg_Adress_Edt" "$work/keys.txt" ||
  fail "keys: Shift+Tab from the port did not reach the address: $(grep -m1 'shift-tab' "$work/keys.txt")"
# The frame printed before the next action: one without the dialog.
after_esc=$(awk '/^=== real-key Dlg_Adress_Edt esc/ { esc = 1; next } esc && /^=== / { exit } esc' "$work/keys.txt")
[[ $after_esc == *"--- t="* && $after_esc != *Dlg_ProxySetting* ]] || fail "keys: Esc left the proxy dialog open"

echo "window_view: $measured bars measured, $failures failure(s)"
((failures == 0))
