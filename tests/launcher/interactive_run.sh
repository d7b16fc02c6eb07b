#!/usr/bin/env bash
# Drives the launcher at a terminal as a person would (tmux: a real 80x24 terminal, keys sent,
# screens captured):
#  - the whole way: Cancel and No while the download goes on under the box, Cancel and Yes,
#    Retry, the update to its end, Start game; the launcher must then end successfully;
#  - quitting at the connecting dialog, mid-download and inside a message box, each within a
#    second whatever the scenario still has queued;
#  - the proxy dialog against a real tinyproxy that wants a password: an address too long
#    refused; "testing…" while the proxy is held, then the failure and its reason; a Test
#    with the password that works; OK, then Retry hands the engine the proxy, and the screen
#    says which.
#   interactive_run.sh <launcher folder>
set -u
folder=$1
# A tmux server of the test's own: a server on the default socket that another user of the
# machine is stopping must not take this test's sessions with it.
tmx() { tmux -L "orv-launcher-$$" "$@"; }
runs=0
session=
screen_log=$(mktemp)
proxy_folder=$(mktemp -d)
proxy_pid=
trap 'tmx kill-server 2>/dev/null; [[ -n "$proxy_pid" ]] && kill -CONT "$proxy_pid" && kill "$proxy_pid";
      rm -rf "$screen_log" "$proxy_folder"' EXIT

# Wrapped lines joined back: a line wider than the terminal stays one line here.
screen() { tmx capture-pane -pJ -t "$session"; }
# Waits up to 20 s until the screen shows $1.
wait_for() {
  for _ in $(seq 1 200); do
    if screen | grep -q -- "$1"; then screen >>"$screen_log"; return 0; fi
    sleep 0.1
  done
  echo "never saw: $1"; echo "--- last screen:"; screen; exit 1
}
press() { tmx send-keys -t "$session" "$@"; }
# Each run gets a session of its own, made before the last one is closed: a server left
# without sessions exits, and a new session asked of a server that is exiting is lost.
start() {
  local previous=$session
  runs=$((runs + 1))
  session=run$runs
  rm -f "$folder/proxy.cfg"
  tmx new-session -d -s "$session" -x 80 -y 24 \
    "cd '$folder' && ./OrvLauncher $*; echo \"EXIT=\$?\"; sleep 30" ||
    { echo "tmux could not start run $runs"; exit 1; }
  [[ -z "$previous" ]] || tmx kill-session -t "$previous"
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
for _ in $(seq 1 50); do  # half a second of the scenario's time, waited for up to 5 s
  after=$(clock)
  ((after - before >= 500)) && break
  sleep 0.1
done
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
# Nothing cut at 80 columns: the heading and the last statistics end whole.
for whole in "install it, done\." "package size (launcher unit) 2147483648"; do
  grep -q "$whole" "$screen_log" || { echo "cut at 80 columns, never seen whole: $whole"; screen; exit 1; }
done

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

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
# A port nobody holds, and the proxy listening on it before the dialog tests it.
for _ in 1 2 3 4 5; do
  port=$((20000 + RANDOM % 20000))
  listening "$port" && continue
  printf 'Port %s\nListen 127.0.0.1\nTimeout 5\nAllow 127.0.0.1\nLogLevel Critical\nBasicAuth me secret\n' \
    "$port" >"$proxy_folder/tinyproxy.conf"
  tinyproxy -d -c "$proxy_folder/tinyproxy.conf" >/dev/null 2>&1 &
  proxy_pid=$!
  for _ in $(seq 1 50); do kill -0 "$proxy_pid" 2>/dev/null && listening "$port" && break 2; sleep 0.05; done
  kill "$proxy_pid" 2>/dev/null; wait "$proxy_pid" 2>/dev/null; proxy_pid=
done
[[ -n "$proxy_pid" ]] || { echo "tinyproxy did not start"; exit 1; }
start --scenario fail_mid_download --speed 4
wait_for "\[p\] Proxy"
press p
wait_for "Dlg_ProxySetting"
press 2
press a 1234567890123456789012345678901.2 Enter
wait_for "Address: too long, the setting keeps at most 31 characters; nothing was typed"
press a 127.0.0.1 Enter
press t "$port" Enter
wait_for "端口: \[$port\]"
kill -STOP "$proxy_pid"  # held: the test waits for its answer
press e
wait_for "proxy test: testing…"
kill -CONT "$proxy_pid"
wait_for "proxy test: 无法连接到代理服务器"
wait_for "why: the proxy rejected the user name and password"
press u me Enter
press w secret Enter
wait_for "密码: \[\*\*\*\*\*\*\]"
press e
wait_for "proxy test: .*代理服务器工作正常"
press k
wait_for "\[r\] Retry"
screen | grep -q "proxy test:" && { echo "the proxy test's word stayed after the dialog closed"; screen; exit 1; }
press r
wait_for "engine's proxy: HTTP 127.0.0.1:$port"
quit_within_a_second "after Retry"
# No line of any screen seen was wider than the terminal.
width=$(sed 's/ *$//' "$screen_log" | LC_ALL=C.UTF-8 wc -L)
if ((width > 80)); then echo "a line of $width columns at an 80-column terminal"; exit 1; fi
echo "interactive runs passed"
