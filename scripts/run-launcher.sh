#!/usr/bin/env bash
# The main job: builds the testbed launcher with the update window and runs it on the bundled
# default configuration. Every option goes to the launcher (see --help); at a terminal it is
# interactive, otherwise it plays the scenario in batch.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset launcher >/dev/null
cmake --build --preset launcher --parallel "$(nproc)" >/dev/null
exec build/launcher/launcher/OrvLauncher "$@"
