#!/usr/bin/env bash
# Builds the Qt-free core for Windows with MinGW-w64 and tests it under Wine: the model and
# document tests, then vireo-cli's format and check on every cockpit of tests/data and examples,
# compared byte for byte (and exit code for exit code) with the Linux vireo-cli of build/ (or
# $VIREO_BUILD_DIR), which is built first when it is missing.
#   scripts/test-windows.sh
# The Windows build goes to build-windows/ (or $VIREO_WINDOWS_BUILD_DIR), Wine's files to a
# prefix inside it. Installs the cross compiler and Wine when they are missing.
set -euo pipefail
# Nothing here reads a terminal: Wine, given one, takes it as its console, and a run in the
# background is then stopped by the shell.
exec </dev/null
root="$(cd "$(dirname "$0")/.." && pwd)"
win="${VIREO_WINDOWS_BUILD_DIR:-$root/build-windows}"
linux="${VIREO_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh" --with-windows

echo "== Windows build (MinGW-w64)"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
# -O1: the tests run the same code as an optimised build would, without its compile time.
toolchain=()
[ -f "$win/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake")
cmake -S "$root" -B "$win" "${toolchain[@]}" \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DVIREO_WERROR="${VIREO_WERROR:-ON}" \
  -DVIREO_GTEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$win" -j2 --target test_model test_document vireo-cli

if [ ! -x "$linux/vireo-cli" ]; then
  echo "== Linux vireo-cli, to compare with"
  cmake -S "$root" -B "$linux" -DCMAKE_BUILD_TYPE="${VIREO_BUILD_TYPE:-RelWithDebInfo}" \
    -DVIREO_WERROR="${VIREO_WERROR:-ON}" >/dev/null
  cmake --build "$linux" -j2 --target vireo-cli
fi

wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
# Headless and quiet, in a prefix of this build's own; no Mono or Gecko to offer.
export WINEDEBUG=-all WINEPREFIX="$win/wineprefix" WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Wine prefix"
  "$wine" wineboot --init >/dev/null 2>&1
  "$wineserver" -w # the registry is on the disk when the boot's server ends
fi
# One server for all the runs below, instead of one started for each (one left running by an
# earlier run serves as well).
"$wineserver" -p 2>/dev/null || true

failed=0
passed=0
fail() {
  echo "FAILED: $*"
  failed=$((failed + 1))
}
echo "== Model and document tests under Wine"
for t in test_model test_document; do
  if "$wine" "$win/tests/$t.exe" --gtest_brief=1; then
    passed=$((passed + 1))
  else
    fail "$t"
  fi
done

echo "== vireo-cli under Wine: the same bytes as on Linux"
cli="$win/vireo-cli.exe"
work="$(mktemp -d)"
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT

# One cockpit: format to a file and to stdout, and check --full, under Wine and on Linux. Prints
# "ok" or what differs.
compare() {
  local f="$1" out="$work/$(echo "$1" | tr / _)"
  mkdir -p "$out"
  set +e
  "$linux/vireo-cli" format "$f" -o "$out/linux.dat" 2>/dev/null
  local lcode=$?
  "$wine" "$cli" format "$f" -o "$out/windows.dat" 2>/dev/null
  local wcode=$?
  "$wine" "$cli" format "$f" -o - >"$out/stdout.dat" 2>/dev/null
  local scode=$?
  "$linux/vireo-cli" check --full "$f" >"$out/linux-check.txt" 2>/dev/null
  local lcheck=$?
  "$wine" "$cli" check --full "$f" >"$out/windows-check.txt" 2>/dev/null
  local wcheck=$?
  set -e
  if [ $lcode -ne $wcode ] || [ $lcode -ne $scode ]; then
    echo "format $f: exit $wcode (to stdout $scode) under Wine, $lcode on Linux"
  elif [ $lcode -eq 0 ] && ! cmp -s "$out/linux.dat" "$out/windows.dat"; then
    echo "format $f: the file written under Wine differs from the Linux one"
  elif [ $lcode -eq 0 ] && ! cmp -s "$out/linux.dat" "$out/stdout.dat"; then
    echo "format $f -o -: stdout under Wine differs from the file written on Linux"
  elif [ $lcheck -ne $wcheck ] || ! cmp -s "$out/linux-check.txt" "$out/windows-check.txt"; then
    echo "check --full $f: exit $wcheck under Wine, $lcheck on Linux, or other messages"
  else
    echo ok
  fi
}
export -f compare
export linux wine cli work

# Every run from the sources' root with the same relative names: a message that names the
# input reads the same on both systems. Two at a time: most of a run is Wine starting.
cd "$root"
while read -r result; do
  if [ "$result" = ok ]; then
    passed=$((passed + 1))
  else
    fail "$result"
  fi
done < <(printf '%s\0' tests/data/*.dat examples/*.dat | xargs -0 -P 2 -I{} bash -c 'compare "$1"' _ {})

# A cockpit in a folder and under a name that are not ASCII, with its pictures beside it.
named="$work/Cockpits ÄÖÜ 飛行"
mkdir -p "$named"
cp examples/*.png "$named/"
cp examples/10_demo.dat "$named/10_démo ü.dat"
"$linux/vireo-cli" format examples/10_demo.dat -o "$work/linux.dat" 2>/dev/null
if "$wine" "$cli" format "$named/10_démo ü.dat" -o "$named/saved ß.dat" 2>"$work/err.txt" &&
  [ ! -s "$work/err.txt" ] && cmp -s "$work/linux.dat" "$named/saved ß.dat"; then
  passed=$((passed + 1))
else
  fail "format under a non-ASCII name: $(cat "$work/err.txt")"
fi

# A read-only target is refused and keeps its bytes.
printf 'old bytes\n' >"$work/locked.dat"
chmod a-w "$work/locked.dat"
set +e
"$wine" "$cli" format examples/10_demo.dat -o "$work/locked.dat" 2>"$work/err.txt"
code=$?
set -e
if [ $code -eq 2 ] && [ "$(cat "$work/locked.dat")" = "old bytes" ] &&
  grep -q "read-only" "$work/err.txt"; then
  passed=$((passed + 1))
else
  fail "format onto a read-only file: exit $code, $(cat "$work/err.txt")"
fi

# render needs Qt, which this build has not: a clear refusal, exit 2.
set +e
"$wine" "$cli" render examples/10_demo.dat --panel 1000 -o "$work/panel.png" 2>"$work/err.txt"
code=$?
set -e
if [ $code -eq 2 ] && grep -q "not available" "$work/err.txt" && [ ! -e "$work/panel.png" ]; then
  passed=$((passed + 1))
else
  fail "render without Qt: exit $code, $(cat "$work/err.txt")"
fi

echo "windows: $passed passed, $failed failed"
[ $failed -eq 0 ]
