#!/usr/bin/env bash
# Builds the editor and opens it on the bundled demo cockpit (or on the file given). Only the
# editor is built, not the tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VIREO_BUILD_DIR:-$root/build}"
cockpit="${1:-$(ls "$root"/examples/*_*.dat 2>/dev/null | head -n 1)}"
# Configure first: whether the window is built (Qt Widgets found, VIREO_BUILD_GUI) is known
# only then.
"$root/scripts/build.sh" --configure-only
# The list is read whole: grep -q would stop at the first match and, under pipefail, the
# build tool cut off mid-list would count as "not built".
targets="$(cmake --build "$build" --target help)"
if ! grep -qE '(^|[.][.][.] )vireo(:|$)' <<<"$targets"; then
  echo "The editor window is not built; checking the demo cockpit with vireo-cli instead."
  "$root/scripts/build.sh" vireo-cli
  exec "$build/vireo-cli" check --full "$cockpit"
fi
"$root/scripts/build.sh" vireo
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running the editor under xvfb-run (nothing will be visible)."
  exec xvfb-run -a "$build/vireo" ${cockpit:+"$cockpit"}
fi
exec "$build/vireo" ${cockpit:+"$cockpit"}
