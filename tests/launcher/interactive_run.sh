#!/usr/bin/env bash
# Drives the launcher at a terminal as a person would (tmux: a real 80x24 terminal, keys sent,
# screens captured):
#  - the whole way: Cancel and No while the download goes on under the box, Cancel and Yes,
#    Retry, the update to its end, Start game; the launcher must then end successfully;
#  - quitting at the connecting dialog, mid-download and inside a message box, each within a
#    second whatever the scenario still has queued;
#  - the proxy dialog: an address too long refused, a Test that fails with its reason, OK,
#    then Retry hands the engine the proxy, and the screen says which.
#   interactive_run.sh <launcher folder>
set -u
folder=$1
session=orv-launcher-$$
screen_log=$(mktemp)
trap 'tmux kill-session -t "$session" 2>/dev/null; rm -f "$screen_log"' EXIT

screen() { tmux capture-pane -p -t "$session"; }
# Waits up to 20 s until the screen shows $1.
wait_for() {
  for _ in $(seq 1 200); do
    if screen | grep -q -- "$1"; then screen >>"$screen_log"; return 0; fi
    sleep 0.1
  done
  echo "never saw: $1"; echo "--- last screen:"; screen; exit 1
}
press() { tmux send-keys -t "$session" "$@"; }
start() {
  tmux kill-session -t "$session" 2>/dev/null
  rm -f "$folder/proxy.cfg"
  tmux new-session -d -s "$session" -x 80 -y 24 \
    "cd '$folder' && ./OrvLauncher $*; echo \"EXIT=\$?\"; sleep 30"
}
clock() { screen | sed -n 's/^t=\([0-9]*\) ms.*/\1/p'; }
# Presses q and checks that the launcher has ended within a second.
quit_within_a_second() {
  press q
  for _ in $(seq 1 10); do
    if screen | grep -q "EXIT=0"; then return 0; fi
    sleep 0.1
  done
  echo "q did not end the launcher within a second ($1):"; screen; exit 1
}

start --scenario full_update --speed 0.5
wait_for "下载速度"
press c
wait_for "\[y\] Yes"
before=$(clock)
sleep 1.5
after=$(clock)
if ((after - before < 500)); then echo "the clock stood still under the message box: $before -> $after ms"; screen; exit 1; fi
press n
wait_for "\[c\] Cancel"
press c
wait_for "\[y\] Yes"
press y
wait_for "\[r\] Retry"
press r
wait_for "\[s\] Start game"
press s
wait_for "EXIT="
screen | grep -q "EXIT=0" || { echo "the launcher failed:"; screen; exit 1; }
screen | grep -q "the launcher would start the game now" || { echo "no start-game line"; screen; exit 1; }

start --scenario full_update --speed 0.2
wait_for "C2_Container"
quit_within_a_second "at the connecting dialog"
start --scenario full_update --speed 0.5
wait_for "下载速度"
quit_within_a_second "mid-download"
start --scenario full_update --speed 0.5
wait_for "下载速度"
press c
wait_for "\[y\] Yes"
quit_within_a_second "inside a message box"

# Nothing listens on port 1 of loopback: the test fails, and says why.
start --scenario fail_mid_download --speed 4
wait_for "\[p\] Proxy"
press p
wait_for "Dlg_ProxySetting"
press 2
press a 1234567890123456789012345678901.2 Enter
wait_for "Address: too long, the setting keeps at most 31 characters; nothing was typed"
press a 127.0.0.1 Enter
press t 1 Enter
wait_for "Port: \[1\]"
press e
wait_for "proxy test: .*无法连接到代理服务器 (the proxy refused the connection)"
press k
wait_for "\[r\] Retry"
screen | grep -q "proxy test:" && { echo "the proxy test's word stayed after the dialog closed"; screen; exit 1; }
press r
wait_for "engine's proxy: HTTP 127.0.0.1:1"
quit_within_a_second "after Retry"
echo "interactive runs passed"
