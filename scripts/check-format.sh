#!/usr/bin/env bash
# Fails when a C++ source of the project is not laid out as .clang-format says.
#   scripts/check-format.sh          check
#   scripts/check-format.sh --fix    rewrite the files in place
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/vireo-format.$$; then
  head -n 40 /tmp/vireo-format.$$
  rm -f /tmp/vireo-format.$$
  echo "Not formatted: run scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/vireo-format.$$
