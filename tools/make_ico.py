#!/usr/bin/env python3
"""Writes a Windows .ico holding each given PNG at 4, 8 and 32 bits per pixel.

The 4- and 8-bit images get a palette of their own (k-means over the opaque
pixels) and a 1-bit transparency mask; the 32-bit image keeps its alpha.
Only the standard library is used, so the script runs wherever python3 does.
"""
import struct
import sys
import zlib


def read_png(path):
    """8-bit RGBA, non-interlaced PNG (what rsvg-convert writes) to rows of (r, g, b, a)."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert (depth, colour, interlace) == (8, 6, 0), f"{path}: need 8-bit RGBA"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + predictor) & 255
        rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        previous = line
    return width, height, rows


def palette_for(pixels, count):
    """k-means in RGB over the opaque pixels, seeded with the most frequent colours."""
    opaque = [p[:3] for p in pixels if p[3] >= 128]
    frequency = {}
    for p in opaque:
        frequency[p] = frequency.get(p, 0) + 1
    centres = sorted(frequency, key=frequency.get, reverse=True)[:count]
    for _ in range(12):
        sums = [[0, 0, 0, 0] for _ in centres]
        for p in opaque:
            k = nearest(centres, p)
            s = sums[k]
            s[0] += p[0]; s[1] += p[1]; s[2] += p[2]; s[3] += 1
        centres = [(s[0] // s[3], s[1] // s[3], s[2] // s[3]) if s[3] else c for s, c in zip(sums, centres)]
    return centres + [(0, 0, 0)] * (count - len(centres))


def nearest(centres, p):
    return min(range(len(centres)), key=lambda k: sum((a - b) ** 2 for a, b in zip(centres[k], p)))


def row_bytes(bits, width):
    return ((bits * width + 31) // 32) * 4


def dib(width, height, rows, bits):
    pixels = [p for row in rows for p in row]
    colours = 1 << bits if bits <= 8 else 0
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, colours, 0)
    body = bytearray()
    if colours:
        palette = palette_for(pixels, colours)
        for r, g, b in palette:
            body += bytes((b, g, r, 0))
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        if bits == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        else:
            indices = [nearest(palette, p[:3]) if p[3] >= 128 else 0 for p in row]
            if bits == 8:
                line += bytes(indices)
            else:
                for i in range(0, width, 2):
                    high = indices[i]
                    low = indices[i + 1] if i + 1 < width else 0
                    line.append(high << 4 | low)
        line += bytes(row_bytes(bits, width) - len(line))
        body += line
    for row in reversed(rows):  # AND mask: 1 where transparent
        line = bytearray(row_bytes(1, width))
        for x, p in enumerate(row):
            if p[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        body += line
    return header + body


def main(output, *pngs):
    images = []
    for path in pngs:
        width, height, rows = read_png(path)
        for bits in (4, 8, 32):
            images.append((width, height, bits, dib(width, height, rows, bits)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, bits, blob in images:
        colour_count = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, colour_count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        blobs += blob
    with open(output, "wb") as f:
        f.write(directory + entries + blobs)


if __name__ == "__main__":
    main(*sys.argv[1:])
