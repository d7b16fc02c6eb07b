#!/usr/bin/env bash
# Drives the launcher at a terminal as a person would (tmux: a real terminal, keys sent,
# screens captured): wait for the download view, Cancel and answer No, Cancel and answer Yes,
# Retry, let the update finish, Start game; the launcher must then end successfully.
#   interactive_run.sh <launcher folder>
set -u
folder=$1
session=orv-launcher-$$
screen_log=$(mktemp)
trap 'tmux kill-session -t "$session" 2>/dev/null; rm -f "$screen_log"' EXIT

tmux new-session -d -s "$session" -x 110 -y 60 \
  "cd '$folder' && ./OrvLauncher --scenario full_update --speed 0.5; echo \"EXIT=\$?\"; sleep 30"

screen() { tmux capture-pane -p -t "$session"; }
# Waits up to 20 s until the screen shows $1.
wait_for() {
  for _ in $(seq 1 200); do
    if screen | grep -q -- "$1"; then screen >>"$screen_log"; return 0; fi
    sleep 0.1
  done
  echo "never saw: $1"; echo "--- last screen:"; screen; return 1
}
press() { tmux send-keys -t "$session" "$1"; }

wait_for "下载速度" || exit 1
press c
wait_for "\[y\] Yes" || exit 1
press n
wait_for "\[c\] Cancel" || exit 1
press c
wait_for "\[y\] Yes" || exit 1
press y
wait_for "\[r\] Retry" || exit 1
press r
wait_for "\[s\] Start game" || exit 1
press s
wait_for "EXIT=" || exit 1
if ! screen | grep -q "EXIT=0"; then echo "the launcher failed:"; screen; exit 1; fi
screen | grep -q "the launcher would start the game now" || { echo "no start-game line"; screen; exit 1; }
echo "interactive run passed"
