#!/usr/bin/env bash
# Test code against the code it tests, in non-blank, non-comment lines of C++ (.cpp, .h,
# .def): tests/ and fuzz/ against everything else but bench/ and build trees, the testbed
# counted as code.
#   test-ratio.sh [source root]      prints "tests+fuzz N / code M = P %"
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Lines left once // and /* */ comments and blank lines are gone (string literals holding
# comment markers are rare enough here not to matter).
count() {
  git ls-files -- "$@" | grep -E '\.(cpp|h|def)$' | xargs -r cat | awk '
    { line = $0
      if (in_block) { if (match(line, /\*\//)) { line = substr(line, RSTART + 2); in_block = 0 } else next }
      while (match(line, /\/\*/)) {
        before = substr(line, 1, RSTART - 1); rest = substr(line, RSTART + 2)
        if (match(rest, /\*\//)) line = before " " substr(rest, RSTART + 2); else { line = before; in_block = 1 }
      }
      sub(/\/\/.*/, "", line)
      if (line ~ /[^ \t\r]/) n++ }
    END { print n + 0 }'
}
tests=$(count tests fuzz)
code=$(count . ':!tests' ':!fuzz' ':!bench')
echo "tests+fuzz $tests / code $code = $((tests * 100 / code)) %"
