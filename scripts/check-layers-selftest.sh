#!/usr/bin/env bash
# The layer check catches what it is there to catch: on a small tree of its own it passes, and
# each fault put into that tree makes it fail with a message that names the fault.
#   check-layers-selftest.sh        exit 1 when the check misses a fault or refuses a clean tree
set -euo pipefail
check=$(cd "$(dirname "$0")" && pwd)/check-layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir "$tree/repo" "$tree/plain" && cd "$tree/repo"
git init -q . && git config user.name check && git config user.email check@localhost
mkdir -p platform framework/runtime module testbed tests fuzz bench
printf '#include <unistd.h>\n#include <windows.h>\n' >platform/clock_posix.cpp
printf '#include <cstring>\n#include "platform/clock.h"\n' >framework/debug_print.cpp
printf '#include "framework/debug_print.h"\n' >framework/runtime/logger.cpp
printf '#include "framework/runtime/logger.h"\n' >module/exports.cpp
printf '#include <gtest/gtest.h>\n#include "module/exports.h"\n' >tests/exports_test.cpp
printf '#include <fuzzer/FuzzedDataProvider.h>\n' >fuzz/debug_print_fuzzer.cpp
printf '#include <benchmark/benchmark.h>\n#include "framework/debug_print.h"\n' >bench/bench.cpp
printf '#include <nlohmann/json.hpp>\n#include "framework/debug_print.h"\n' >testbed/loader.cpp
printf '#include "platform/terminal.h"\n' >testbed/console.cpp
printf 'orv_platform_sources(sources clock)\norv_platform_sources(host_sources debug_capture\n  terminal)\n' \
  >platform/CMakeLists.txt
git add . && git commit -qm tree

failed=0
expect() {  # expect <what> <status> <message pattern> [root]: runs the check on the tree
  local what=$1 status=$2 pattern=$3 out rc=0
  out=$(bash "$check" "${4:-.}" 2>&1) || rc=$?
  if [[ $rc -eq $status && "$out" =~ $pattern ]]; then
    echo "caught, $what: ${out:-(clean)}"
  else
    echo "MISSED, $what: exit $rc, wanted $status /$pattern/: $out"
    failed=1
  fi
}
fault() {  # fault <what> <file> <text> <message pattern>: the file, committed, fails the check
  printf '%s\n' "$3" >"$2" && git add "$2"
  expect "$1" 1 "$4"
  git rm -qf "$2"
}

expect "clean tree" 0 '^$'
mv platform/CMakeLists.txt ../lists.txt
expect "no list of host services" 2 'no host_sources list'
mv ../lists.txt platform/CMakeLists.txt
cp -r platform ../plain/
GIT_CEILING_DIRECTORIES=$tree expect "not a repository" 2 'git ls-files failed' ../plain
mkdir ../bin && for tool in awk bash dirname grep tr; do ln -s "$(command -v $tool)" ../bin/; done
PATH=$tree/bin expect "no git" 2 'git ls-files failed.*git: command not found'
printf '#include "tests/exports_test.h"\n' >module/untracked.cpp
expect "untracked file" 1 'module/untracked.cpp includes "tests/exports_test.h" of layer tests/'
rm module/untracked.cpp
fault "fuzz reaches the module" fuzz/f.cpp '#include "module/exports.h"' 'fuzz/f.cpp .* which fuzz/ may not use'
fault "bench reaches the runtime" bench/b.cpp '#include "framework/runtime/logger.h"' 'bench/b.cpp .* which bench/ may not use'
fault "tests take an OS header" tests/t.cpp '#include <sys/types.h>' 'tests/t.cpp includes <sys/types.h>'
fault "module takes an OS header" module/m.cpp '#include <windows.h>' 'module/m.cpp includes <windows.h>'
fault "new runtime file" testbed/t.cpp '#include "framework/runtime/new_part.h"' 'layer framework/runtime/, which testbed/'
fault "module takes a host service" module/m.cpp '#include "platform/terminal.h"' 'platform/terminal.h", a service of the programs around'
fault "include in disguise" testbed/t.cpp '#  include "framework/../module/exports.h"' 'cannot read'
mkdir -p tools && fault "file in no layer" tools/x.cpp '' 'tools/x.cpp lies in no layer'
exit "$failed"
