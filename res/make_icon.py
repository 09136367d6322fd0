#!/usr/bin/env python3
"""Writes corvalin.ico: one 16 x 16 image in 16 colours (a 296-byte image),
a landscape print wrapped round dark stretcher bars. Change the picture
below and run this again."""

import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]

# One character a pixel, top row first; "." is transparent.
PICTURE = [
    "................",
    ".44444444444444.",
    ".4BBBBBBBBBBBB4.",
    ".4BBBBBBBBBEEB4.",
    ".4BBBBBBBBBEEB4.",
    ".4BBBBBBBBBBBB4.",
    ".4BBBBBBAABBBB4.",
    ".4BBBBBAAAABBB4.",
    ".4BBBBAAAAAABB4.",
    ".4BBAAAAAAAAAB4.",
    ".4BAAAAAAAAAAA4.",
    ".4AAAA22AAAAAA4.",
    ".4AA222222AAAA4.",
    ".42222222222224.",
    ".44444444444444.",
    "................",
]


def image_bytes():
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 4, 0, 128 + 64, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    colours, mask = b"", b""
    for row in reversed(PICTURE):  # bottom-up
        nibbles = [0 if c == "." else int(c, 16) for c in row]
        colours += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, 16, 2))
        bits = sum(1 << (15 - i) for i, c in enumerate(row) if c == ".")
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    return header + palette + colours + mask


def main(path):
    image = image_bytes()
    assert len(image) == 296
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 16, 16, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "corvalin.ico")
