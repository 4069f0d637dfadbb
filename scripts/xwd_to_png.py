#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts an xwd window dump (24- or 32-bit TrueColor, as Xvfb makes) to PNG."""
import struct
import sys
import zlib


def main(source: str, target: str) -> None:
    data = open(source, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks, colour_count = fields[14:17], fields[19]
    if bits_per_pixel not in (24, 32):
        sys.exit(f"{source}: {bits_per_pixel} bits per pixel, expected 24 or 32")
    size = bits_per_pixel // 8
    little = byte_order == 0
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    start = header_size + colour_count * 12
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * size]
        for x in range(0, len(line), size):
            pixel = int.from_bytes(line[x:x + size], "little" if little else "big")
            rows += bytes((pixel & m) >> s for m, s in zip(masks, shifts))

    def chunk(tag: bytes, body: bytes) -> bytes:
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    open(target, "wb").write(png)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
