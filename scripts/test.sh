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

# Each part says how long it took, so that a slow one shows.
part_name=""
part_start=$SECONDS
part() {
  [ -n "$part_name" ] && echo "-- $part_name: $((SECONDS - part_start)) s"
  part_name="$1"
  part_start=$SECONDS
  [ -n "$part_name" ] && echo "== $part_name"
  return 0
}
trap 'part ""; echo "-- all: $SECONDS s"' EXIT

part "Layout of the sources"
"$root/scripts/setup.sh"
"$root/scripts/check-format.sh"

part "Building the editor, vireo-cli and the tests"
build="${VIREO_BUILD_DIR:-$root/build}"
VIREO_BUILD_DIR="$build" "$root/scripts/build.sh"
part "Test suite"
ctest --test-dir "$build" --output-on-failure -j2 --timeout 120
[ $quick -eq 1 ] && exit 0

# Built with clang, which compiles the instrumented code about twice as fast as gcc (and its
# warnings are a second opinion); only what the suite runs, each test program run whole.
part "Building the tests with AddressSanitizer and UndefinedBehaviorSanitizer"
"$root/scripts/setup.sh" --with-clang
sanitize="$root/build-sanitize"
if [ -f "$sanitize/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang' "$sanitize/CMakeCache.txt"; then
  rm -rf "$sanitize" # made by gcc before
fi
VIREO_BUILD_DIR="$sanitize" VIREO_BUILD_TYPE=Debug "$root/scripts/build.sh" \
  -DCMAKE_CXX_COMPILER=clang++ -DVIREO_SANITIZE=ON -DVIREO_TEST_EACH_CASE=OFF test-programs
part "Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$sanitize" --output-on-failure -j2 --timeout 300

part "Fuzzing each target for ${VIREO_FUZZ_SECONDS:-60} seconds"
"$root/scripts/fuzz.sh" "${VIREO_FUZZ_SECONDS:-60}"
