#!/usr/bin/python3
"""Draws the player's two button icons and its link cursor.

Writes play.ico, stop.ico and link_hand.cur next to this script; the outputs
are kept in the tree so that a build needs no Python. Run again after
changing a drawing: /usr/bin/python3 resources/make_icons.py
"""
import os
import struct

SIZE = 32
HERE = os.path.dirname(os.path.abspath(__file__))

# Link cursor: B black outline, W white fill, . transparent. The hot spot is
# the fingertip, column 6 of the top row.
HAND = """
.....BBB
....BWWWB
....BWWWB
....BWWWB
....BWWWB
....BWWWBBBB
....BWWWBWWWBBBB
....BWWWBWWWBWWWBBBB
....BWWWBWWWBWWWBWWWB
....BWWWBWWWBWWWBWWWB
.BBBBWWWBWWWBWWWBWWWB
BWWWBWWWBWWWBWWWBWWWB
BWWWWWWWWWWWWWWWWWWWB
BWWWWWWWWWWWWWWWWWWWB
.BWWWWWWWWWWWWWWWWWWB
..BWWWWWWWWWWWWWWWWWB
...BWWWWWWWWWWWWWWWWB
...BWWWWWWWWWWWWWWWWB
....BWWWWWWWWWWWWWWB
....BWWWWWWWWWWWWWWB
.....BWWWWWWWWWWWWB
.....BWWWWWWWWWWWWB
.....BBBBBBBBBBBBBB
"""
HAND_HOTSPOT = (6, 0)


def rows_to_bits(rows):
    """1-bit rows, bottom-up as a DIB stores them, 4 bytes per row."""
    data = b""
    for row in reversed(rows):
        value = 0
        for x, bit in enumerate(row):
            if bit:
                value |= 1 << (31 - x)
        data += struct.pack(">I", value)
    return data


def image(xor_rows, and_rows, palette):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, SIZE * SIZE // 4, 0, 0, 2, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + colours + rows_to_bits(xor_rows) + rows_to_bits(and_rows)


def write(name, kind, xor_rows, and_rows, palette, hotspot=None):
    body = image(xor_rows, and_rows, palette)
    if kind == 1:  # icon: colour count, planes, bits per pixel
        entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, 1, 1, len(body), 22)
    else:  # cursor: the hot spot takes the place of planes and bit count
        entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(body), 22)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(struct.pack("<HHH", 0, kind, 1) + entry + body)


def blank():
    return [[0] * SIZE for _ in range(SIZE)]


def play_triangle():
    rows = blank()
    top, bottom, left, tip = 6, 25, 10, 23
    middle = (top + bottom) / 2
    half = (bottom - top) / 2
    for y in range(top, bottom + 1):
        reach = left + int(round((half - abs(y - middle)) * (tip - left) / half))
        for x in range(left, reach + 1):
            rows[y][x] = 1
    return rows


def stop_square():
    rows = blank()
    for y in range(11, 21):
        for x in range(11, 21):
            rows[y][x] = 1
    return rows


def hand():
    lines = [line for line in HAND.strip("\n").split("\n")]
    xor_rows, and_rows = blank(), blank()
    for y in range(SIZE):
        line = lines[y] if y < len(lines) else ""
        for x in range(SIZE):
            c = line[x] if x < len(line) else "."
            and_rows[y][x] = 1 if c == "." else 0
            xor_rows[y][x] = 1 if c == "W" else 0
    return xor_rows, and_rows


def main():
    light_grey, black, white = (192, 192, 192), (0, 0, 0), (255, 255, 255)
    # Icons: palette entry 1 (black) where the drawing is, opaque everywhere.
    write("play.ico", 1, play_triangle(), blank(), [light_grey, black])
    write("stop.ico", 1, stop_square(), blank(), [light_grey, black])
    xor_rows, and_rows = hand()
    write("link_hand.cur", 2, xor_rows, and_rows, [black, white], HAND_HOTSPOT)


if __name__ == "__main__":
    main()
