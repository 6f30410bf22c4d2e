#!/usr/bin/env bash
# Installs every Debian 12 package Kaleidra needs to build, test and run its demo.
# Idempotent: packages already present are left alone, so it is cheap to call every time.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  libgtest-dev googletest libbenchmark-dev
  wine wine64 wine32:i386
  bc xvfb xauth imagemagick fonts-liberation x11-utils xdotool
)

missing=()
have_i386=$(dpkg --print-foreign-architectures | grep -qx i386 && echo yes || echo no)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root (or install sudo) to add: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi

if [[ $have_i386 == no ]]; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "install-deps: done"
