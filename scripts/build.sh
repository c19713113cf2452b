#!/usr/bin/env bash
# Configures and builds Vireo into build/ (or $VIREO_BUILD_DIR).
#   scripts/build.sh                       everything, tests included
#   scripts/build.sh vireo vireo-cli       only these targets (and what they need)
#   scripts/build.sh -DVIREO_SANITIZE=ON   arguments starting with - go to cmake
#   scripts/build.sh --configure-only      configure, build nothing
# VIREO_WERROR=ON makes every compiler warning an error (scripts/test.sh and CI do).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${VIREO_BUILD_DIR:-$root/build}"
options=()
targets=()
build_nothing=0
for arg in "$@"; do
  case "$arg" in
    --configure-only) build_nothing=1 ;;
    -*) options+=("$arg") ;;
    *) targets+=(--target "$arg") ;;
  esac
done
# The compiler cache is shared by every checkout of the user's: paths below the checkout are
# hashed relative to it, so a clone elsewhere hits what this one compiled.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${VIREO_BUILD_TYPE:-RelWithDebInfo}" \
  -DVIREO_WERROR="${VIREO_WERROR:-OFF}" "${options[@]}" >/dev/null
[ $build_nothing -eq 1 ] && exit 0
cmake --build "$build" -j2 "${targets[@]}"
