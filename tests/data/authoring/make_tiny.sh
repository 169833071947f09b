#!/usr/bin/env bash
# Rebuilds tiny.exe, the PE32 fixture of the resource writer's tests.
set -euo pipefail
cd "$(dirname "$0")"
i686-w64-mingw32-windres tiny.rc -O coff -o tiny_res.o
i686-w64-mingw32-gcc -Os -s -nostdlib -mwindows -e _start@0 -Wl,--dynamicbase -Wl,--nxcompat \
  tiny.c tiny_res.o -o tiny.exe
rm -f tiny_res.o
