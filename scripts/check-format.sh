#!/usr/bin/env bash
# Fails when a tracked C++ source is not laid out as .clang-format says, naming each place.
# To lay the tree out: clang-format -i $(git ls-files '*.cpp' '*.h')
#   check-format.sh <source root>
set -euo pipefail
cd "$1"
files=$(git ls-files '*.cpp' '*.h')  # a failing git ends the check (set -e), never passes it
[[ -n "$files" ]] || { echo "check-format: no tracked sources found in $1"; exit 1; }
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
echo "check-format: $(wc -w <<<"$files") files laid out as .clang-format says"
