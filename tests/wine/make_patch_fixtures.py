#!/usr/bin/python3
"""Writes packed "PATCH" fixtures for the loader's Wine tests.

An independent writer of the packed format: literal codes only, 9 bits wide,
with a reset (258) before the dictionary could overflow and the end code
(256) last. A stream of another writer that the player's unpacker must read.

Usage: make_patch_fixtures.py OUTPUT_DIR
For every fixture NAME it writes NAME.rc (and the .bin files it names).
Texts are Windows-1252 bytes.
"""
import hashlib
import os
import sys

END, RESET = 256, 258
LITERALS_PER_RESET = 1000


def pack_codes(codes):
    bits, count, out = 0, 0, bytearray()
    for code in codes:
        bits = (bits << 9) | code
        count += 9
        while count >= 8:
            count -= 8
            out.append((bits >> count) & 0xFF)
    if count:
        out.append((bits << (8 - count)) & 0xFF)
    return bytes(out)


def pack(data):
    codes = []
    for i, byte in enumerate(data):
        if i and i % LITERALS_PER_RESET == 0:
            codes.append(RESET)
        codes.append(byte)
    codes.append(END)
    return pack_codes(codes)


def field(text):
    return text + b"|"


def description(lead, type_byte, answers, header, questions, reveal, extras, colour):
    """questions: (answer1, answer2 or None, question text); extras: the
    fields after the reveal byte, already in order."""
    out = bytearray([lead, type_byte, len(questions), answers])
    for text in header:
        out += field(text)
    for answer1, answer2, text in questions:
        out += field(answer1)
        if answer2 is not None:
            out += field(answer2)
        out += field(text)
    out.append(reveal)
    for text in extras:
        out += field(text)
    out += bytes(colour)
    return bytes(out)


def codes(lines):
    return b"".join(line + b"\r\n" for line in lines)


HEADER = [b"Quiz d'\xE9t\xE9", b"Cr\xE9" b"ateur", b"Trouvez les noms", b"Pr\xE9nom", b"S\xE9rie"]

TEXT_QUIZ = description(
    0xA7, 1, 1, HEADER,
    [(b"Paris", None, b"Capitale de la France ?"),
     (b"", None, b"Question \x00vide"),
     (b"caf\xE9", None, b"Boisson 100%d")],
    0, [], (10, 20, 30))

PICTURE_QUIZ = description(
    0, 2, 2, HEADER,
    [(b"Goku", b"Dragon Ball", b"q1"), (b"Luffy", b"One Piece", b"q2")],
    1, [], (200, 100, 50))

AUDIO_QUIZ = description(
    1, 3, 1, HEADER,
    [(b"Queen", None, b"a1"), (b"Abba", None, b"a2")],
    2, [b"Groupe anglais", b"Groupe su\xE9" b"dois"], (1, 2, 3))

VIDEO_QUIZ = description(
    2, 4, 2, HEADER,
    [(b"Alien", b"Scott", b"v1"), (b"Brazil", b"Gilliam", b"v2")],
    3, [b"1979", b"ignored one", b"1985", b"ignored two"], (255, 254, 253))

UNKNOWN_REVEAL = description(
    3, 1, 1, HEADER, [(b"un", None, b"t1")], 9, [], (7, 8, 9))

FULL_QUIZ = description(
    0, 1, 1, [b"T" * 259, b"", b"", b"", b""],
    [(b"r%d" % n, None, b"question %d" % n) for n in range(1, 97)],
    2, [b"e%d" % n for n in range(1, 97)], (90, 95, 150))

GOOD_CODES = codes([b"CODE-1", b"CODE-2", b"CODE-3", b"extra line, not read"])
FULL_CODES = codes([b"c%02d" % n for n in range(1, 97)])
BAD_STREAM = pack_codes([0x41, 300, END])  # a code above the next free code
SHORT_DESCRIPTION = bytes([0, 1, 2, 1]) + b"Titre seul|"

# name: (packed description or None for absent, packed codes or None)
FIXTURES = {
    "empty_description": (b"", pack(GOOD_CODES)),
    "bad_description": (BAD_STREAM, pack(GOOD_CODES)),
    "short_description": (pack(SHORT_DESCRIPTION), pack(GOOD_CODES)),
    "text_quiz": (pack(TEXT_QUIZ), pack(GOOD_CODES)),
    "picture_quiz_without_codes": (pack(PICTURE_QUIZ), None),
    "audio_quiz_empty_codes": (pack(AUDIO_QUIZ), b""),
    "video_quiz_bad_codes": (pack(VIDEO_QUIZ), BAD_STREAM),
    "unknown_reveal_long_code": (pack(UNKNOWN_REVEAL), pack(codes([b"x" * 260]))),
    "full_quiz": (pack(FULL_QUIZ), pack(FULL_CODES)),
}


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    with open(path, "wb") as out:
        out.write(data)


def main():
    out_dir = os.path.abspath(sys.argv[1])
    os.makedirs(out_dir, exist_ok=True)
    for name, (desc, code_list) in FIXTURES.items():
        # The digest makes the .rc change whenever its data does, so that the
        # resource object is compiled again.
        digest = hashlib.sha1(repr((desc, code_list)).encode()).hexdigest()
        lines = ["// %s\n" % digest]
        for resource_id, data, suffix in ((104, desc, "description"), (105, code_list, "codes")):
            if data is None:
                continue
            path = os.path.join(out_dir, "%s_%s.bin" % (name, suffix))
            write_if_changed(path, data)
            lines.append('%d PATCH "%s"\n' % (resource_id, path))
        write_if_changed(os.path.join(out_dir, name + ".rc"), "".join(lines).encode())


if __name__ == "__main__":
    main()
