#!/usr/bin/env bash
# The layers hold: every #include "..." of a folder names a header of a layer it may use.
# Lower layers never include higher ones, and the testbed sees only the binary interfaces,
# the stand-alone framework and the platform, never the module's internals.
#   check-layers.sh [source root]      exit 1, one line per include that breaks the rule
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# folder: the folders its includes may come from (its own included)
layers=(
  "platform/: platform/"
  "framework/interfaces/: platform/ framework/interfaces/"
  "framework/: platform/ framework/"
  "module/: platform/ framework/ module/"
  "liveupdate/: platform/ framework/ liveupdate/"
  "msgbox/: platform/ framework/ module/ msgbox/"
  "components/: platform/ framework/ module/ liveupdate/ msgbox/ components/"
  "update/: platform/ framework/ module/ liveupdate/ msgbox/ components/ update/"
  "testbed/: platform/ framework/ testbed/"
)

broken=0
while IFS= read -r file; do
  allowed=
  for layer in "${layers[@]}"; do
    folder=${layer%%:*}
    if [[ "$file" == "$folder"* ]]; then allowed=${layer#*: }; break; fi
  done
  [[ -n "$allowed" ]] || continue
  while IFS= read -r include; do
    ok=0
    for prefix in $allowed; do [[ "$include" == "$prefix"* ]] && ok=1; done
    # The runtime part of framework/ is the module's: the testbed reaches the framework
    # only through its stand-alone part and the interfaces.
    if [[ "$file" == testbed/* && "$include" =~ ^framework/(factory_access|orvex_ptr|root_path|logger|module_state) ]]; then ok=0; fi
    if ((!ok)); then echo "$file includes $include, from a layer it may not use"; broken=1; fi
  done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(git ls-files '*.h' '*.cpp')
exit "$broken"
