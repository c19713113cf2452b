#!/usr/bin/env bash
# Builds Vireo and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VIREO_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j2 --timeout 120
