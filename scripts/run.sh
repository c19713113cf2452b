#!/usr/bin/env bash
# Builds Vireo and opens the editor on the bundled demo cockpit (or on the file given).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VIREO_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
cockpit="${1:-$(ls "$root"/examples/*_*.dat 2>/dev/null | head -n 1)}"
if [ ! -x "$build/vireo" ]; then
  echo "The editor window is not built yet; checking the demo cockpit with vireo-cli instead."
  exec "$build/vireo-cli" check --full "$cockpit"
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running the editor under xvfb-run (nothing will be visible)."
  exec xvfb-run -a "$build/vireo" ${cockpit:+"$cockpit"}
fi
exec "$build/vireo" ${cockpit:+"$cockpit"}
