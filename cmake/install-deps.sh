#!/usr/bin/env bash
# Installs what the build and the tests need, and only what is missing.
# Safe to run again and again: with everything present it prints nothing and
# takes well under a second.
set -euo pipefail

packages=(
  g++ cmake make
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xdotool imagemagick x11-utils
  googletest libgtest-dev libbenchmark-dev
  libtomlplusplus-dev libcli11-dev
  icoutils python3-pefile
  ncompress
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  clang libclang-rt-14-dev python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

echo "installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
