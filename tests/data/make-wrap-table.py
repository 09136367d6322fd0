#!/usr/bin/env python3
"""Writes wrap-table.tsv: the eight result texts for every combination of
offered sizes of every bar, worked out here from the wrapping rules with
exact fractions, apart from the program's own code. The table is checked in
and reviewed; the tests compare the program against it.

    python3 tests/data/make-wrap-table.py > tests/data/wrap-table.tsv
"""
from fractions import Fraction as F

# name, bar depth per side, what the staple method adds, regular wrap applies
BARS = [
    ("Standard125", F(5, 4), F(1), True),
    ("Pro175", F(7, 4), F(1), True),
    ("PreNotched", F(3, 2), F(3), False),
]

SIZES = {
    "Standard125": [str(n) for n in range(8, 20)],
    "Pro175": [str(n) for n in range(8, 15)]
    + "16 18 19 20 24 26 28 30 32 36 40 42 44 48 50 54 60".split(),
    "PreNotched": [str(n) for n in range(8, 13)]
    + "14 15 16 17.5 18 20 22 24 26 28 30 32 36 38 40 42 48 54 60 72".split(),
}

# (short side, long side, text); the canvas is never turned.
SHEETS = [(F(17, 2), F(11), "8.5 x 11"), (F(13), F(19), "13 x 19"), (F(17), F(22), "17 x 22")]
ROLLS = [17, 24, 36, 42, 44, 50, 54, 60, 64]


def inches(value):
    """A size in the form the window shows: no trailing zeros, no point
    for a whole number (every size here is a multiple of one half)."""
    assert value.denominator in (1, 2) and 0 < value < 1000000
    whole, half = divmod(value, 1)
    return str(int(whole)) + (".5" if half else "")


def sheet(width, length):
    """The smallest standard sheet whose short side takes the width and
    whose long side takes the length."""
    for short, long_, text in SHEETS:
        if width <= short and length <= long_:
            return text
    return "none"


def roll(width, length):
    """The narrowest roll that takes the canvas either way across."""
    for r in ROLLS:
        if min(width, length) <= r:
            return str(r)
    return "none"


def main():
    print("\t".join(["bar", "width", "length", "regularWidth", "regularLength", "stapleWidth",
                     "stapleLength", "regularSheet", "stapleSheet", "regularRoll", "stapleRoll"]))
    for name, depth, extra, regular in BARS:
        for w in SIZES[name]:
            for l in SIZES[name]:
                rw, rl = F(w) + 2 * depth, F(l) + 2 * depth
                sw, sl = rw + extra, rl + extra
                if regular:
                    texts = [inches(rw), inches(rl), inches(sw), inches(sl),
                             sheet(rw, rl), sheet(sw, sl), roll(rw, rl), roll(sw, sl)]
                else:
                    texts = ["", "", inches(sw), inches(sl), "", sheet(sw, sl), "", roll(sw, sl)]
                print("\t".join([name, w, l] + texts))


main()
