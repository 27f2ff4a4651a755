#!/usr/bin/env python3
"""Writes a demonstration capture file: a received-style listing of N samples in which the
channels count, divide a clock and carry a walking one, with named channels.
Usage: scripts/make-demo-capture.py OUTPUT.vxr [SAMPLES]"""
import sys


def levels(sample):
    counter = sample & 0xFFFF                       # cell 1: a 16-bit counter
    clocks = 0
    for bit in range(16):                           # cell 2: clock dividers by 2, 4, 8 ...
        if (sample >> (bit % 8)) & 1:
            clocks |= 1 << bit
    walking = 1 << (sample % 16)                    # cell 3: a walking one
    return counter | (clocks << 16) | (walking << 32)


def cell_word(value, cell):
    bits = (value >> (16 * cell)) & 0xFFFF
    return "".join("1" if bits >> (15 - k) & 1 else "0" for k in range(16))


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    header = ["STATE", "LISTING", "SAMPLES%d" % count, "CELL1", "CELL2", "CELL3",
              "BIN", "RADIX", "FIELD17", "BITS16", "CH48", "END"]
    lines = ["This file is a VELDRAN's data file. (Data Count=%05d)" % count] + header
    for i in range(count):
        value = levels(i)
        lines += ["%04d" % (i % 10000), cell_word(value, 0), cell_word(value, 1), cell_word(value, 2)]
    names = ["COUNT%02d" % n for n in range(16)] + ["CLK/%d" % (1 << (n % 8 + 1)) for n in range(16)] \
        + ["WALK%02d" % n for n in range(16)]
    lines += [" " + n for n in names]
    with open(out, "wb") as f:
        f.write(("\n".join(lines) + "\n").encode("cp949"))


if __name__ == "__main__":
    main()
