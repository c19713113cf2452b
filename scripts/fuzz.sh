#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each for a bounded time (seconds, default 60), all at once:
#   fuzz_roundtrip  load, save, load again: no crash, and saves settle
#   fuzz_draw       load, both checks, every state, every panel painted at zoom 1 and 2
#   fuzz_pictures   the PNG and GIF readers of vireo-cli
# The first two start from the cockpits of the test fixtures and the examples, the third from
# the test pictures and the demo's; no seed is an error.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/setup.sh" --with-clang
build="${VIREO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
# Optimised as fuzzing builds usually are (-O1, line tables for the stack traces): it runs
# nearly as fast as -O2 and compiles a good deal faster.
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DVIREO_BUILD_FUZZ=ON -DVIREO_BUILD_GUI=OFF -DVIREO_BUILD_TESTS=OFF \
  -DVIREO_WERROR="${VIREO_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j2 --target fuzz_roundtrip fuzz_draw fuzz_pictures

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"
find "$root/tests/data" "$root/examples" -name '*.dat' -type f -exec cp -f {} "$seeds/" \; 2>/dev/null || true
count="$(find "$seeds" -type f | wc -l)"
if [ "$count" -eq 0 ]; then
  echo "fuzz.sh: no seed cockpit (*.dat) found in tests/data or examples" >&2
  exit 1
fi
echo "Seeding from $count cockpits"
picture_seeds="$build/seeds-pictures"
rm -rf "$picture_seeds"
mkdir -p "$picture_seeds"
find "$root/tests/data/pictures" "$root/examples" -type f \( -name '*.png' -o -name '*.gif' \) \
  -exec cp -f {} "$picture_seeds/" \; 2>/dev/null || true
if [ -z "$(ls -A "$picture_seeds")" ]; then
  echo "fuzz.sh: no seed picture found in tests/data/pictures or examples" >&2
  exit 1
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$build"
# All at once, sharing the two cores; each writes to its log, shown when all are done.
targets=(fuzz_roundtrip fuzz_draw fuzz_pictures)
pids=()
for target in "${targets[@]}"; do
  target_seeds="$seeds"
  [ "$target" = fuzz_pictures ] && target_seeds="$picture_seeds"
  echo "== $target for $seconds seconds"
  fuzzer="$(find "$build" -name "$target" -type f -perm -u+x | head -n 1)"
  corpus="$build/corpus-$target"
  mkdir -p "$corpus" "$build/crashes-$target"
  # Small inputs run several times faster and reach the same code; larger seeds are cut.
  "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/crashes-$target/" "$corpus" "$target_seeds" \
    >"$build/$target.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  if wait "${pids[$i]}"; then
    echo "== ${targets[$i]}: no crash"
    grep -E '^(stat::|Done )' "$build/${targets[$i]}.log" || true
  else
    failed=1
    echo "== ${targets[$i]} FAILED (the input is in $build/crashes-${targets[$i]}/):"
    tail -n 80 "$build/${targets[$i]}.log"
  fi
done
exit $failed
