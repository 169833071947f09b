#!/usr/bin/env bash
# Rebuilds the tiny clips the media tests carry (needs ffmpeg). The MP3s are
# half a second of two different tones, so a test can tell them apart by
# their bytes; the AVI is three seconds of plain red, uncompressed, so the
# player needs no codec to show it and a screenshot can find it.
set -euo pipefail
cd "$(dirname "$0")"
ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=0.5 -ac 1 -ar 8000 -b:a 8k clip_a.mp3
ffmpeg -v error -y -f lavfi -i sine=frequency=660:duration=0.5 -ac 1 -ar 8000 -b:a 8k clip_b.mp3
ffmpeg -v error -y -f lavfi -i color=c=red:s=32x24:r=1:d=3 -c:v rawvideo -pix_fmt bgr24 clip.avi
