#!/usr/bin/env bash
# Makes a picture of the editor window on a cockpit (default: the demo cockpit) under xvfb-run:
# the first panel (or --panel ID) is shown with one of its records selected (or --record ID),
# so the picture shows the panel drawn from its images, the tree and the template with a frame.
#
#   scripts/screenshot.sh [cockpit.dat] [output.png] [--panel ID] [--record ID]
# (default output: docs/screenshot.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VIREO_BUILD_DIR:-$root/build}"
cockpit=""
output=""
extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    --panel|--record) extra+=("$1" "$2"); shift 2 ;;
    *.png|*.PNG) output="$1"; shift ;;
    *) cockpit="$1"; shift ;;
  esac
done
cockpit="${cockpit:-$(ls "$root"/examples/[0-9]*_*.dat 2>/dev/null | head -n 1)}"
output="${output:-$root/docs/screenshot.png}"
if [ -z "$cockpit" ] || [ ! -f "$cockpit" ]; then
  echo "screenshot.sh: no cockpit file found (give one as the first argument)" >&2
  exit 1
fi
if [ ! -x "$build/vireo" ]; then
  "$root/scripts/build.sh"
fi
mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/vireo" --screenshot "$output" "${extra[@]}" "$cockpit"
echo "$output"
