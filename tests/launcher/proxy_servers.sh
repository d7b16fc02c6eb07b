#!/usr/bin/env bash
# The proxy dialog's Test and OK against real proxy servers on loopback: microsocks (SOCKS5)
# and tinyproxy (HTTP), each without and with a password, driven through the launcher's batch
# scenarios as a person presses the buttons. For each kind: a working proxy, the right and a
# wrong password, a port where nobody listens, a server that accepts and never answers (a
# stopped process), and a target the proxy cannot reach; after the working test with a
# password, OK and Retry hand the engine that proxy and the update completes through it. The
# module's log names each entry tested with its password's length, never the password.
#   proxy_servers.sh <launcher folder> <launcher file name> [command that runs it...]
# Every server is stopped at the end, whatever happens.
set -u
source_folder=$1 launcher=$2
shift 2
runner=("$@")  # empty, qemu-i386, or Wine through the fixture's script
for tool in microsocks tinyproxy; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (Debian packages microsocks, tinyproxy-bin)"; exit 1; }
done

work=$(mktemp -d)
pids=()
stop_servers() {
  for pid in "${pids[@]}"; do kill -CONT "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop_servers EXIT
trap "exit 1" INT TERM  # so that the servers are stopped on these too

# A copy of the launcher's folder whose tests give up after two seconds, with the module's
# lines on the debugger output (where the launcher reads them).
cp -r "$source_folder" "$work/l"
sed -i 's/^DebugMask=.*/DebugMask=3/' "$work/l/Orvex.ini"
printf '\n[ProxyTest]\nTimeoutMs=2000\n' >>"$work/l/Orvex.ini"

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
# serve NAME COMMAND...: starts a server on a free port (the command's "PORT" replaced) and
# sets NAME to that port once it listens.
serve() {
  local name=$1 port
  shift
  for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 30000))
    listening "$port" && continue
    "${@//PORT/$port}" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 1 50); do
      if listening "$port"; then printf -v "$name" '%s' "$port"; return 0; fi
      sleep 0.05
    done
  done
  echo "could not start: $*"
  exit 1
}
# tinyproxy PORT [USER PASSWORD]: with a configuration of its own, in the foreground.
run_tinyproxy() {
  {
    printf 'Port %s\nListen 127.0.0.1\nTimeout 5\nAllow 127.0.0.1\nLogLevel Critical\n' "$1"
    [[ $# -gt 1 ]] && printf 'BasicAuth %s %s\n' "$2" "$3"
  } >"$work/tinyproxy.$1.conf"
  exec tinyproxy -d -c "$work/tinyproxy.$1.conf"
}
serve socks5_open microsocks -i 127.0.0.1 -p PORT
serve socks5_auth microsocks -i 127.0.0.1 -p PORT -u me -P secret
serve http_open run_tinyproxy PORT
serve http_auth run_tinyproxy PORT me secret
serve silent microsocks -i 127.0.0.1 -p PORT
kill -STOP "${pids[-1]}"  # accepts (the kernel does), never answers
closed=1  # nobody listens on port 1

failures=0
# attempt NAME POSITION PORT USER PASSWORD OUTCOME [closed-target|complete]
attempt() {
  local name=$1 position=$2 port=$3 user=$4 password=$5 outcome=$6 extra=${7:-}
  local kind=SOCKS5
  ((position == 2)) && kind=HTTP
  {
    echo "proxy selected 0"
    [[ $extra == closed-target ]] && echo "proxy-test-target closed"
    printf '%s\n' "800 fail code=10002" "0 timing" "100 finish" "next-start" "300 need" \
      "200 progress phase=1 percent=50 size=10485760 speed=2097152 version=2.1.0" \
      "300 progress phase=2 percent=100 size=10485760 speed=0 version=2.1.0" "100 success" "100 finish" \
      "at 1200 click C2_Button_Proxy" "at 1300 choose Dlg_Type_Combo $position" \
      "at 1310 type Dlg_Adress_Edt 127.0.0.1" "at 1320 type Dlg_Port_Edt $port"
    [[ -n $user ]] && printf '%s\n' "at 1330 type Dlg_User_Edt $user" "at 1340 type Dlg_Pass_Edt $password"
    printf '%s\n' "at 1350 click Dlg_ProxySetting_Test_Btn" "at 1360 wait-proxy-test" "expect proxy-test $outcome"
    if [[ $extra == complete ]]; then
      printf '%s\n' "at 1400 click Dlg_ProxySetting_OK_Btn" "at 1500 click C2_Button_Retry" \
        "at 3500 click C2_Button_StartGame" "expect proxy $kind 127.0.0.1:$port" "expect start-game"
    else
      printf '%s\n' "at 1400 click Dlg_ProxySetting_Cancel_Btn" "expect no-start-game"
    fi
  } >"$work/$name.scn"
  local started=$SECONDS
  rm -f "$work/l/launcher.log"
  if (cd "$work/l" && "${runner[@]}" "./$launcher" --batch --scenario "$work/$name.scn") >"$work/$name.out" 2>&1 </dev/null; then
    echo "ok   $name: $outcome ($((SECONDS - started)) s)"
  else
    echo "FAIL $name: wanted $outcome; the run's last lines:"
    tail -n 12 "$work/$name.out" | tr -d '\r' | sed 's/^/     /'
    failures=$((failures + 1))
  fi
  cat "$work/l/launcher.log" >>"$work/all.log" 2>/dev/null
}

for kind in socks5 http; do
  position=1
  [[ $kind == http ]] && position=2
  open_port=${kind}_open auth_port=${kind}_auth
  attempt "$kind-works" "$position" "${!open_port}" "" "" ok
  attempt "$kind-password" "$position" "${!auth_port}" me secret ok complete
  attempt "$kind-wrong-password" "$position" "${!auth_port}" me wrong authentication-rejected
  attempt "$kind-nobody-listening" "$position" "$closed" "" "" refused
  attempt "$kind-never-answers" "$position" "$silent" "" "" time-out
  attempt "$kind-target-unreachable" "$position" "${!open_port}" "" "" target-unreachable closed-target
done
# What the module logged of its tests: the entry tested, with the password's length but never
# the password itself.
log="$work/all.log"
for kind in 1:sockte5:socks5_auth 3:http:http_auth; do
  IFS=: read -r type name port <<<"$kind"
  for line in "[GameSettingUI]_TestProxy Start!" "[GameSettingUI]_TestProxy connet $name success!" \
    "$(printf '[GameSettingUI]_TestProxy proxy type=%s, \t\t\tip=127.0.0.1 port=%s name=me ps=6 domain=' \
      "$type" "${!port}")"; do
    grep -qF -- "$line" "$log" || { echo "FAIL the log lacks: $line"; failures=$((failures + 1)); }
  done
done
grep -q secret "$log" && { echo "FAIL the log holds a password"; failures=$((failures + 1)); }
((failures == 0)) || { echo "$failures proxy cases failed"; exit 1; }
echo "all proxy cases passed"
