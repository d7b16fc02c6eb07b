#!/usr/bin/env bash
# Builds and tests every configuration of the matrix: linux64 (sanitizers), linux32, win32
# (the shipped DLL, inspected) and win64 (tests under Wine). Exit status 0 only if all pass.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

presets=(linux64 linux32 win32 win64)
jobs=$(nproc)

for preset in "${presets[@]}"; do
  echo "== configure and build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$jobs"
done

# Wine starts quickly only once its server runs; started here, stopped on every way out.
export WINEDEBUG=-all
export WINEPREFIX="$PWD/build/win64/wineprefix"
stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

for preset in "${presets[@]}"; do
  echo "== test: $preset"
  ctest --preset "$preset"
done
echo "== all configurations passed"
