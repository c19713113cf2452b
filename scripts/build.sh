#!/usr/bin/env bash
# Configures and builds Vireo into build/ (or $VIREO_BUILD_DIR); extra arguments go to cmake.
# VIREO_WERROR=ON makes every compiler warning an error (scripts/test.sh and CI do).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${VIREO_BUILD_DIR:-$root/build}"
# Compiler cache hits across checkouts in other folders.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${VIREO_BUILD_TYPE:-RelWithDebInfo}" \
  -DVIREO_WERROR="${VIREO_WERROR:-OFF}" "$@" >/dev/null
cmake --build "$build" -j2
