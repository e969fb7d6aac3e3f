#!/usr/bin/env python3
"""Writes the small seed BMP files of the BMP decoder's fuzz target.

Run from the repository root: python3 tests/gdi/make_bmp_corpus.py
"""
import os
import struct

OUT = os.path.join("tests", "fuzz", "corpus", "fuzz_bmp")


def rows(data_rows):
    out = b""
    for r in data_rows:
        out += bytes(r) + b"\0" * ((4 - len(r) % 4) % 4)
    return out


def info_bmp(w, h, bits, pixels, compression=0, table=(), masks=(), header=40, used=0):
    hdr = struct.pack("<IiiHHIIiiII", header, w, h, 1, bits, compression, len(pixels), 2835, 2835, used, 0)
    extra = b"".join(struct.pack("<I", m) for m in masks)
    if header > 40:
        hdr += (extra + b"\0" * header)[: header - 40]
        extra = b""
    tab = b"".join(bytes((b, g, r, 0)) for (r, g, b) in table)
    off = 14 + len(hdr) + len(extra) + len(tab)
    return b"BM" + struct.pack("<IHHI", off + len(pixels), 0, 0, off) + hdr + extra + tab + pixels


def core_bmp(w, h, bits, pixels, table=()):
    hdr = struct.pack("<IHHHH", 12, w, h, 1, bits)
    tab = b"".join(bytes((b, g, r)) for (r, g, b) in table)
    off = 14 + len(hdr) + len(tab)
    return b"BM" + struct.pack("<IHHI", off + len(pixels), 0, 0, off) + hdr + tab + pixels


GREYS16 = [(i * 17, i * 17, i * 17) for i in range(16)]
FILES = {
    "mono.bmp": info_bmp(3, 2, 1, rows([[0xA0], [0x40]]), table=[(0, 0, 0), (255, 255, 255)]),
    "four.bmp": info_bmp(3, 2, 4, rows([[0x12, 0x30], [0x45, 0x60]]), table=GREYS16),
    "eight.bmp": info_bmp(3, 2, 8, rows([[0, 1, 2], [2, 1, 0]]), table=GREYS16[:3], used=3),
    "rgb555.bmp": info_bmp(2, 2, 16, rows([[0x1F, 0, 0, 0x7C], [0xE0, 3, 0xFF, 0x7F]])),
    "rgb565.bmp": info_bmp(2, 1, 16, bytes([0, 0xF8, 0x1F, 0]), compression=3, masks=(0xF800, 0x7E0, 0x1F)),
    "rgb24.bmp": info_bmp(3, 2, 24, rows([list(range(1, 10)), list(range(10, 19))])),
    "topdown24.bmp": info_bmp(2, -2, 24, rows([[1, 2, 3, 4, 5, 6], [7, 8, 9, 10, 11, 12]])),
    "rgba32.bmp": info_bmp(2, 1, 32, bytes(range(1, 9))),
    "v5alpha.bmp": info_bmp(1, 1, 32, bytes([1, 2, 3, 0x80]), compression=3,
                            masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000), header=124),
    "rle8.bmp": info_bmp(4, 3, 8, bytes([3, 5, 0, 0, 0, 4, 7, 8, 9, 10, 0, 2, 1, 0, 1, 9, 0, 1]),
                         compression=1, table=GREYS16, used=16),
    "rle4.bmp": info_bmp(4, 2, 4, bytes([4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1]), compression=2,
                         table=GREYS16, used=16),
    "core8.bmp": core_bmp(2, 1, 8, bytes([1, 2, 0, 0]), table=GREYS16),
}

os.makedirs(OUT, exist_ok=True)
for name, data in FILES.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
print(f"wrote {len(FILES)} files to {OUT}")
