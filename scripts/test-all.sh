#!/usr/bin/env bash
# Builds and tests every configuration of the matrix: linux64 (sanitizers), linux32, win32
# (the shipped DLL, tests under 32-bit Wine) and win64 (tests under Wine), then the fuzz
# targets (clang), each run briefly. Exit status 0 only if all pass; the win32 tests count as
# skipped, with the reason, where 32-bit Wine cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

presets=(linux64 linux32 win32 win64 fuzz)
jobs=$(nproc)

for preset in "${presets[@]}"; do
  echo "== configure and build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$jobs"
done

# The Windows presets start and stop their own Wine (a ctest fixture).
for preset in "${presets[@]}"; do
  echo "== test: $preset"
  ctest --preset "$preset"
  # ctest names skipped tests but not why; the Wine fixture left the reason in this file.
  if [[ -e "build/$preset/wineprefix.unusable" ]]; then
    echo "== $preset: Wine tests skipped: $(cat "build/$preset/wineprefix.unusable")"
  fi
done
echo "== all configurations passed"
