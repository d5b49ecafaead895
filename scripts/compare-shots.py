#!/usr/bin/env python3
"""Compares two folders of shots pixel by pixel: every PNG in BEFORE must have a twin of the
same name in AFTER with the same size and the same pixels. Prints one line a picture and
exits 1 when any differs or is missing.

    scripts/compare-shots.py BEFORE_DIR AFTER_DIR
"""
import os
import struct
import sys
import zlib


def decode_png(path):
    """(width, height, rows of bytes, bytes per pixel) of an 8-bit, non-interlaced PNG."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG')
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat.append(body)
        elif kind == b'IEND':
            break
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or interlace:
        raise ValueError('only 8-bit non-interlaced pictures are read')
    bpp = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    raw = zlib.decompress(b''.join(idat))
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, rows, bpp


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip())
        return 2
    before, after = sys.argv[1], sys.argv[2]
    names = sorted(n for n in os.listdir(before) if n.endswith('.png'))
    if not names:
        print('no pictures in', before)
        return 1
    failed = 0
    for name in names:
        other = os.path.join(after, name)
        if not os.path.exists(other):
            print(f'{name}: missing in {after}')
            failed += 1
            continue
        w1, h1, r1, b1 = decode_png(os.path.join(before, name))
        w2, h2, r2, b2 = decode_png(other)
        if (w1, h1, b1) != (w2, h2, b2):
            print(f'{name}: {w1}x{h1} before, {w2}x{h2} after')
            failed += 1
            continue
        differing = sum(1 for y in range(h1) for x in range(w1)
                        if r1[y][x * b1:(x + 1) * b1] != r2[y][x * b2:(x + 1) * b2])
        print(f'{name}: {w1}x{h1}, {differing} pixels differ')
        failed += differing > 0
    print(f'{len(names) - failed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
