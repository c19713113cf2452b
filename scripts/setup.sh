#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
#   scripts/setup.sh               what building and running the editor and the tests need
#   scripts/setup.sh --with-clang  also clang, for the sanitizer build and the fuzzers
#   scripts/setup.sh --with-windows  also the MinGW-w64 cross compiler and Wine
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
          libgtest-dev libpng-dev ccache xvfb xauth imagemagick fonts-dejavu-core clang-format)
for arg in "$@"; do
  case "$arg" in
    --with-clang) packages+=(clang libclang-rt-14-dev) ;;
    --with-windows) packages+=(googletest g++-mingw-w64-x86-64-posix wine64) ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# In a git checkout, the project's hooks (scripts/hooks) go into .git/hooks; a hook of the
# user's own by the same name is left alone.
root="$(cd "$(dirname "$0")/.." && pwd)"
if command -v git >/dev/null && [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  hooks="$(cd "$root" && git rev-parse --path-format=absolute --git-path hooks)"
  for hook in "$root"/scripts/hooks/*; do
    target="$hooks/$(basename "$hook")"
    cmp -s "$hook" "$target" && continue
    if [ -e "$target" ] && ! grep -q "^# Installed by scripts/setup.sh" "$target"; then
      echo "Not installing $(basename "$hook"): $target is a hook of your own." >&2
      continue
    fi
    mkdir -p "$hooks"
    cp "$hook" "$target"
    chmod +x "$target"
  done
fi
