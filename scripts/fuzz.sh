#!/usr/bin/env bash
# Builds the load/save/load fuzz target with clang and runs it for a bounded time
# (seconds, default 60), seeded from the test fixtures and the examples.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/setup.sh"
if ! dpkg-query -W -f='${Status}' clang libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed"; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi
build="${VIREO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVIREO_BUILD_FUZZ=ON -DVIREO_BUILD_GUI=OFF -DVIREO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_roundtrip
corpus="$build/corpus"
mkdir -p "$corpus"
find "$root/tests/data" "$root/examples" -name '*.dat' -exec cp -f {} "$corpus/" \; 2>/dev/null || true
cd "$build"
fuzzer="$(find "$build" -name fuzz_roundtrip -type f -perm -u+x | head -n 1)"
"$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus"
