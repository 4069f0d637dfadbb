#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes seed inputs for fuzz_bfg into the folder given (default corpus/bfg):
a PNG, a BMP and a JPEG, each as an image to be packed (see bfg_fuzzer.cpp)."""
import base64, os, struct, sys, zlib

def png(w, h):
    raw = b"".join(b"\0" + bytes((x * 37 + y * 11 + c * 5) % 256 for x in range(w) for c in range(4)) for y in range(h))
    chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))

def bmp(w, h):
    stride = (w * 3 + 3) & ~3
    rows = b"".join(bytes((x * 53 + y) % 256 for x in range(w * 3)) + b"\0" * (stride - w * 3) for y in range(h))
    return (b"BM" + struct.pack("<IHHI", 54 + len(rows), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0) + rows)

JPEG = base64.b64decode("/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAYEBQYFBAYGBQYHBwYIChAKCgkJChQODwwQFxQYGBcUFhYaHSUfGhsjHBYWICwgIyYnKSopGR8tMC0oMCUoKSj/2wBDAQcHBwoIChMKChMoGhYaKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCj/wAARCAAEAAYDASIAAhEBAxEB/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgEDAwIEAwUFBAQAAAF9AQIDAAQRBRIhMUEGE1FhByJxFDKBkaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWmp6ipqrKztLW2t7i5usLDxMXGx8jJytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3+Pn6/8QAHwEAAwEBAQEBAQEBAQAAAAAAAAECAwQFBgcICQoL/8QAtREAAgECBAQDBAcFBAQAAQJ3AAECAxEEBSExBhJBUQdhcRMiMoEIFEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5OkNERUZHSElKU1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImKkpOUlZaXmJmaoqOkpaanqKmqsrO0tba3uLm6wsPExcbHyMnK0tPU1dbX2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwC+llYeDfAtvqGl6fayzS3CQFbhSy7Sjtn5SDnKjvRRRXPiJyU7Jn02T4ajUwylOCbu90j/2Q==")

out = sys.argv[1] if len(sys.argv) > 1 else "corpus/bfg"
os.makedirs(out, exist_ok=True)
for name, image in (("png", png(5, 3)), ("bmp", bmp(5, 3)), ("jpg", JPEG)):
    with open(os.path.join(out, "inner_" + name), "wb") as f:
        f.write(b"\x01\x00" + image)
