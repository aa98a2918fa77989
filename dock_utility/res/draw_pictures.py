#!/usr/bin/env python3
"""Draws quaylin's icons (quaylin.ico, about.ico) and the sample logo (logo.png).

Run from this folder; the outputs are committed, so the build needs no Python.
"""
import struct
import zlib


def dock_icon(size, accent):
    """RGBA rows, top first: a rounded dock body with a cable and three port lights."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = x / size, y / size
            pixel = (0, 0, 0, 0)
            if 0.1 <= fx <= 0.9 and 0.35 <= fy <= 0.8:
                corner = min(fx - 0.1, 0.9 - fx) < 0.06 and min(fy - 0.35, 0.8 - fy) < 0.06
                if not corner:
                    pixel = (40, 48, 60, 255)
                    for cx in (0.3, 0.5, 0.7):
                        if abs(fx - cx) < 0.06 and abs(fy - 0.6) < 0.06:
                            pixel = accent + (255,)
            if 0.46 <= fx <= 0.54 and 0.08 <= fy < 0.35:
                pixel = (200, 200, 210, 255)
            row.append(pixel)
        rows.append(row)
    return rows


def ico_image(rows):
    """One 32-bit BMP-in-ICO image: BITMAPINFOHEADER, bottom-up BGRA, AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def write_ico(path, accent):
    images = [ico_image(dock_icon(s, accent)) for s in (16, 32, 48)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip((16, 32, 48), images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_png(path, width, height, pixel):
    raw = b''.join(b'\x00' + b''.join(bytes(pixel(x, y)) for x in range(width))
                   for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def logo_pixel(x, y):
    # A dark blue banner with a light wave and a row of port blocks.
    base = (18 + y // 4, 42 + y // 3, 88 + y // 2)
    wave = 40 + int(18 * ((x % 160) / 160.0 - 0.5) ** 2 * 8)
    if abs(y - wave) < 3:
        return (120, 200, 240)
    if 20 <= y <= 40 and x % 60 < 30 and 30 <= x <= 300:
        return (230, 235, 245)
    return base


if __name__ == '__main__':
    write_ico('quaylin.ico', (60, 200, 120))
    write_ico('about.ico', (70, 150, 240))
    write_png('logo.png', 512, 90, logo_pixel)
