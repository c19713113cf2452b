#!/usr/bin/env bash
# Builds Vireo and runs every test: the whole suite, the whole suite again built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a minute.
#   scripts/test.sh           all three
#   scripts/test.sh --quick   the suite only
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
quick=0
[ "${1:-}" = "--quick" ] && quick=1
export QT_QPA_PLATFORM=offscreen
# A warning fails the build here as in CI (VIREO_WERROR=OFF for a newer compiler).
export VIREO_WERROR="${VIREO_WERROR:-ON}"

echo "== Layout of the sources"
"$root/scripts/setup.sh"
"$root/scripts/check-format.sh"

echo "== Test suite"
VIREO_BUILD_DIR="${VIREO_BUILD_DIR:-$root/build}" "$root/scripts/build.sh"
ctest --test-dir "${VIREO_BUILD_DIR:-$root/build}" --output-on-failure -j2 --timeout 120
[ $quick -eq 1 ] && exit 0

echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
VIREO_BUILD_DIR="$root/build-sanitize" VIREO_BUILD_TYPE=Debug "$root/scripts/build.sh" -DVIREO_SANITIZE=ON
ctest --test-dir "$root/build-sanitize" --output-on-failure -j2 --timeout 300

echo "== Fuzzing each target for ${VIREO_FUZZ_SECONDS:-60} seconds"
"$root/scripts/fuzz.sh" "${VIREO_FUZZ_SECONDS:-60}"
