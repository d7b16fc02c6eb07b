#!/usr/bin/env bash
# The layers hold: every C++ file of the sources (committed or not yet, unless ignored) lies in
# a layer, and each of its includes names a header of a layer it may use: "folder/file" for
# ours, <file> for a C++ standard header (no dot, no folder) or a library the layer is given.
# The operating system's headers are the platform's alone. An include written any other way
# is refused rather than guessed at. docs/architecture.md "Layers" is the same list in words.
#   check-layers.sh [source root]      exit 1, one line per include that breaks the rule
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# layer: the layers it may use (itself included) and its libraries (<prefix>, <*> any header).
# A path belongs to the layer of the longest folder that starts it: framework/runtime/ (the
# module's runtime part) and framework/interfaces/ are layers of their own, not framework/.
layers=(
  "platform/: platform/ <*>"
  "framework/interfaces/: platform/ framework/interfaces/"
  "framework/: platform/ framework/interfaces/ framework/"
  "framework/runtime/: platform/ framework/interfaces/ framework/ framework/runtime/"
  "module/: platform/ framework/interfaces/ framework/ framework/runtime/ module/"
  "liveupdate/: platform/ framework/interfaces/ framework/ liveupdate/"
  "msgbox/: platform/ framework/interfaces/ framework/ framework/runtime/ module/ msgbox/"
  "components/: platform/ framework/interfaces/ framework/ framework/runtime/ module/ msgbox/
   components/"
  "update/: platform/ framework/interfaces/ framework/ framework/runtime/ module/ liveupdate/
   msgbox/ components/ update/"
  "testbed/: platform/ framework/interfaces/ framework/ testbed/ <nlohmann/>"
  "bench/: platform/ framework/interfaces/ framework/ testbed/ bench/ <benchmark/> <nlohmann/>"
  "fuzz/: platform/ framework/interfaces/ framework/ components/ fuzz/ <fuzzer/>"
  "tests/: platform/ framework/interfaces/ framework/ framework/runtime/ module/ liveupdate/
   msgbox/ components/ update/ testbed/ tests/ <gtest/> <gmock/> <sanitizer/>"
)

# The platform's services for the programs around the modules (host_sources in
# platform/CMakeLists.txt, the library orv_platform_host) are never linked into a module: a
# module layer that includes one would fail only at link time.
host_services=" $(awk '/orv_platform_sources\(host_sources[[:space:])]/ { on = 1 }
  on { last = /\)/; gsub(/[()]/, " ")
       for (i = 1; i <= NF; i++) if ($i != "orv_platform_sources" && $i != "host_sources") printf "%s ", $i
       if (last) exit }' platform/CMakeLists.txt || true) "
# An empty list would let every such include pass unseen.
if [[ -z "${host_services// /}" ]]; then
  echo "check-layers: no host_sources list read from platform/CMakeLists.txt, nothing checked" >&2
  exit 2
fi
module_layers=" framework/interfaces/ framework/ framework/runtime/ module/ liveupdate/ msgbox/
  components/ update/ "

layer_of() {  # REPLY: the layer folder of path $1, or nothing
  local entry folder
  REPLY=
  for entry in "${layers[@]}"; do
    folder=${entry%%:*}
    if [[ "$1" == "$folder"* && ${#folder} -gt ${#REPLY} ]]; then REPLY=$folder; fi
  done
}
uses_of() {  # what layer $1 may use
  local entry
  for entry in "${layers[@]}"; do [[ "${entry%%:*}" == "$1" ]] && echo "${entry#*: }"; done
}

# A failing git must not look like a tree without sources.
if ! listing=$(git ls-files --cached --others --exclude-standard -- \
                 '*.h' '*.hpp' '*.c' '*.cc' '*.cpp' 2>&1); then
  echo "check-layers: git ls-files failed in $PWD, nothing checked: $listing" >&2
  exit 2
fi
[[ -n "$listing" ]] || { echo "check-layers: no C++ sources found in $PWD" >&2; exit 2; }

broken=0
fault() { echo "$1"; broken=1; }
while IFS= read -r file; do
  [[ -f "$file" ]] || continue  # deleted, not yet staged
  layer_of "$file"
  layer=$REPLY
  [[ -n "$layer" ]] || { fault "$file lies in no layer"; continue; }
  read -r -a uses <<<"$(uses_of "$layer" | tr '\n' ' ')"
  while IFS= read -r line; do
    if [[ "$line" =~ ^#include\ \"(([a-z0-9_]+/)+[A-Za-z0-9_]+\.[a-z]+)\"( |$) ]]; then
      named=${BASH_REMATCH[1]}
      layer_of "$named"
      target=$REPLY
      ok=0
      for use in "${uses[@]}"; do [[ -n "$target" && "$use" == "$target" ]] && ok=1; done
      ((ok)) || fault "$file includes \"$named\" of layer ${target:-(none)}, which $layer may not use"
      service=${named#platform/}
      service=${service%.h}
      if [[ "$target" == platform/ && "$module_layers" == *" $layer"[[:space:]]* &&
            "$host_services" == *" $service "* ]]; then
        fault "$file includes \"$named\", a service of the programs around the modules (orv_platform_host), never linked into a module"
      fi
    elif [[ "$line" =~ ^#include\ \<([^\>]+)\>( |$) ]]; then
      named=${BASH_REMATCH[1]}
      ok=0
      [[ "$named" =~ ^[a-z_]+$ ]] && ok=1  # the C++ standard library: <cstring>, <vector>
      for use in "${uses[@]}"; do
        [[ "$use" == "<*>" || ("$use" == \<*/\> && "$named" == "${use:1:-1}"*) ]] && ok=1
      done
      ((ok)) || fault "$file includes <$named>: a system or library header that $layer may not use (the operating system's are platform/'s)"
    else
      fault "$file has an include the check cannot read: $line"
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done <<<"$listing"
exit "$broken"
