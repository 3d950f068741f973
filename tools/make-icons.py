#!/usr/bin/env python3
"""Draws the program's barcode icon: 16x16 and 32x32 pixel art in 16 colours
on a transparent background (black bars, longer guard bars, small digits
beneath), their whole-number enlargements for larger sizes, an SVG of the
32x32 drawing, and a Windows .ico of the two drawings. Run from the repository root; writes data/icons/."""
import struct
import zlib
from pathlib import Path

# The standard 16-colour palette; entry 0 is made transparent.
PALETTE = [
    (0, 0, 0), (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (255, 255, 255),
]
INK = {'.': 0, '#': 1, 'g': 9}

GLYPHS = {  # 3x5 digits
    '4': ["#.#", "#.#", "###", "..#", "..#"],
    '0': ["###", "#.#", "#.#", "#.#", "###"],
    '6': ["###", "#..", "###", "#.#", "###"],
    '3': ["###", "..#", "###", "..#", "###"],
}


def blank(size):
    return [['.'] * size for _ in range(size)]


def draw_bars(art, columns, bar_rows, guard_rows):
    for x, kind in enumerate(columns):
        rows = guard_rows if kind == 'G' else bar_rows if kind == 'B' else range(0)
        for y in rows:
            art[y][x] = '#'


def draw_text(art, text, left, top, ink='#'):
    for i, ch in enumerate(text):
        for dy, line in enumerate(GLYPHS[ch]):
            for dx, px in enumerate(line):
                if px == '#':
                    art[top + dy][left + i * 4 + dx] = ink


def icon32():
    art = blank(32)
    columns = "." + "G.G" + ".BB.B..B.B" + ".G.G." + "B.BB..B.B." + "G.G"
    assert len(columns) == 32
    draw_bars(art, columns, range(2, 22), range(2, 28))
    draw_text(art, "40", 6, 23)
    draw_text(art, "63", 20, 23)
    return art


def icon16():
    art = blank(16)
    columns = ".G.GB.BG.GB.BG.G"
    assert len(columns) == 16
    draw_bars(art, columns, range(1, 11), range(1, 15))
    for left in (4, 10):  # two tiny digits a side, as grey strokes
        for y in range(12, 15):
            art[y][left] = 'g'
            art[y][left + 2] = 'g'
        art[12][left + 1] = 'g'
        art[14][left + 1] = 'g'
    return art


def png(art, scale):
    size = len(art) * scale
    raw = bytearray()
    for row in art:
        indexes = [INK[px] for px in row for _ in range(scale)]
        packed = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, size, 2))
        for _ in range(scale):
            raw += b'\x00' + packed

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', size, size, 4, 3, 0, 0, 0)
    palette = b''.join(bytes(c) for c in PALETTE)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'PLTE', palette) +
            chunk(b'tRNS', b'\x00') + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def ico(arts):
    """A Windows icon holding each drawing as a 4-bit (16-colour) bitmap with its transparency mask."""
    images = []
    for art in arts:
        size = len(art)
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
        xor_row = (size * 4 + 31) // 32 * 4
        and_row = (size + 31) // 32 * 4
        pixels, mask = b'', b''
        for row in reversed(art):  # bitmaps run bottom-up
            indexes = [INK[px] for px in row]
            packed = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, size, 2))
            pixels += packed.ljust(xor_row, b'\0')
            bits = 0
            for px in row:
                bits = (bits << 1) | (px == '.')
            mask += bits.to_bytes(size // 8, 'big').ljust(and_row, b'\0')
        images.append((size, header + palette + pixels + mask))
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for size, image in images:
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), offset + len(data))
        data += image
    return directory + entries + data


def svg(art):
    colours = {'#': '#000000', 'g': '#808080'}
    # Each column's runs of one colour become one bar.
    merged = []
    size = len(art)
    for x in range(size):
        y = 0
        while y < size:
            px = art[y][x]
            if px == '.':
                y += 1
                continue
            top = y
            while y < size and art[y][x] == px:
                y += 1
            merged.append(f'  <rect x="{x}" y="{top}" width="1" height="{y - top}" fill="{colours[px]}"/>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}" '
            'shape-rendering="crispEdges">\n  <title>Velbarino</title>\n' + '\n'.join(merged) + '\n</svg>\n')


def main():
    out = Path('data/icons')
    out.mkdir(parents=True, exist_ok=True)
    small, large = icon16(), icon32()
    files = {16: png(small, 1), 32: png(large, 1), 48: png(small, 3), 64: png(large, 2), 128: png(large, 4),
             192: png(large, 6), 512: png(large, 16)}  # the last two for the installable page
    for size, data in files.items():
        (out / f'velbarino-{size}.png').write_bytes(data)
    (out / 'velbarino.svg').write_text(svg(large))
    (out / 'velbarino.ico').write_bytes(ico([small, large]))


if __name__ == '__main__':
    main()
