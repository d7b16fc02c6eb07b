#!/usr/bin/env bash
# Bad input to the launcher, each case in a copy of its folder: every one must end with exit
# status 2 and one line naming what is wrong (a missing log folder is said once while the run
# goes on), and in the sanitizer build nothing may be reported leaked.
#   bad_input.sh <launcher folder>
set -u
source_folder=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fresh_copy() { rm -rf "$work/l"; cp -r "$source_folder" "$work/l"; }

# run_case <description> <status> <lines on stderr, or - for any> <pattern> <launcher arguments...>
# Exactly one line of the error output must match the pattern, and nothing may be reported leaked.
run_case() {
  local description=$1 want_status=$2 want_lines=$3 pattern=$4
  shift 4
  local output status lines matches
  output=$(cd "$work/l" && ./OrvLauncher --batch "$@" 2>&1 >/dev/null)
  status=$?
  lines=$(printf '%s\n' "$output" | grep -c .)
  matches=$(printf '%s\n' "$output" | grep -cE -- "$pattern")
  if [[ $status -ne $want_status || ($want_lines != - && $lines -ne $want_lines) || $matches -ne 1 ]] ||
     grep -q "LeakSanitizer" <<<"$output"; then
    echo "FAILED: $description: exit status $status, $lines line(s) on stderr, want $want_status," \
         "$want_lines line(s) and one matching /$pattern/:"
    printf '%s\n' "$output" | head -20
    failures=$((failures + 1))
  fi
}
expect_error() { run_case "$1" 2 1 "$2" "${@:3}"; }

fresh_copy
expect_error "speed nan" '--speed takes a number from 0.05 to 100, not "nan"' --speed nan
expect_error "speed inf" 'not "inf"' --speed inf
expect_error "speed 1e20" 'not "1e20"' --speed 1e20
expect_error "speed 1e-6" 'not "1e-6"' --speed 1e-6
expect_error "speed without a value" '--speed needs a value' --speed
expect_error "scenario without a value" '--scenario needs a value' --scenario
expect_error "a window here" 'windows exist only on Windows builds' --window
expect_error "pictures here" 'windows exist only on Windows builds' --screenshot "$work/shots"
expect_error "pictures of no window" '--screenshot takes pictures of the window' --console --screenshot "$work/shots"
expect_error "scenario is a folder" 'scenarios: is a folder, not a scenario file' --scenario "$work/l/scenarios"
: >"$work/empty.scn"
expect_error "empty scenario" 'empty.scn: has no steps' --scenario "$work/empty.scn"
printf '300 need\n200 progress phase=1 percent=5 size=99999999999999999999\n' >"$work/size.scn"
expect_error "size out of range" 'size.scn: line 2: size=99999999999999999999 is out of range' --scenario "$work/size.scn"
printf '# x\n800 fail code=99999999999\n' >"$work/code.scn"
expect_error "code out of range" 'code.scn: line 2: code=99999999999 is out of range' --scenario "$work/code.scn"
printf '300 need\nat 99999999999 click C2_Button_Cancel\n' >"$work/at.scn"
expect_error "action time out of range" 'at.scn: line 2: expected: at <ms>' --scenario "$work/at.scn"

head -c 200 "$source_folder/ui/LayOut/Container_Update.tpf" >"$work/l/ui/LayOut/Container_Update.tpf"
expect_error "truncated window layout" 'layout ui/LayOut/Container_Update.tpf does not load: '

fresh_copy
echo '{ "OrvexUILayout": ' >"$work/l/ui/LayOut/Dlg_Connecting.tpf"
expect_error "broken connecting dialog" 'layout ui/LayOut/Dlg_Connecting.tpf does not load: '

fresh_copy
rm "$work/l/ui/layout/Dlg_ProxySetting.tpf"
expect_error "missing proxy dialog" 'layout ui/layout/Dlg_ProxySetting.tpf is missing \(.*/ui/layout/Dlg_ProxySetting.tpf\)'

fresh_copy
sed -i 's/^DLL=OrvUpdateUI.dll/DLL=Nope.dll/' "$work/l/Orvex.ini"
run_case "a module that does not load" 2 - 'the factory could not create the update window \(1374\)'

fresh_copy
rm "$work/l/Orvex.ini"
expect_error "no configuration" 'the configuration .*/Orvex.ini is missing'

# A log folder that does not exist: said once, and the run goes on.
fresh_copy
sed -i 's/^File=launcher.log/File=no-such-folder\/launcher.log/' "$work/l/Orvex.ini"
run_case "missing log folder" 0 - 'cannot be written'

if ((failures > 0)); then echo "$failures case(s) failed"; exit 1; fi
echo "every bad input was refused with its one line"
