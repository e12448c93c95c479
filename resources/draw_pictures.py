#!/usr/bin/env python3
"""Draws the program's pictures and writes them as XPM sources: six 32x32 channel icons in the 16 colours
of the standard palette, and the 32x32 monochrome pointing-hand cursor; and the loudspeaker again as
sonaru.ico, the Windows program's icon. Run it from anywhere; it rewrites those files beside itself."""
import math
import os
import struct

PALETTE = {  # the 16 colours of the standard palette, one character each; '.' is transparent
    'k': '#000000', 'm': '#800000', 'g': '#008000', 'o': '#808000', 'n': '#000080', 'p': '#800080',
    't': '#008080', 's': '#C0C0C0', 'd': '#808080', 'r': '#FF0000', 'l': '#00FF00', 'y': '#FFFF00',
    'b': '#0000FF', 'f': '#FF00FF', 'a': '#00FFFF', 'w': '#FFFFFF',
}
SIZE = 32


class Canvas:
    def __init__(self):
        self.px = [['.'] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[int(y)][int(x)] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def ellipse(self, cx, cy, rx, ry, c, outline=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1:
                    self.dot(x, y, c)
                    if outline and d > (1 - 1.6 / min(rx, ry)):
                        self.dot(x, y, outline)

    def polygon(self, points, c, outline=None):
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(points, x + 0.5, y + 0.5):
                    self.dot(x, y, c)
        if outline:
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                self.line(xa, ya, xb, yb, outline)

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        lines = [f'"{SIZE} {SIZE} {len(used)} 1"']
        lines += [f'"{c} c {"None" if c == "." else PALETTE[c]}"' for c in used]
        lines += ['"' + ''.join(row) + '"' for row in self.px]
        return xpm_source(name, lines)


    def ico(self):
        """A Windows icon file of one 32x32 image: 32-bit BGRA rows bottom-up, then the 1-bit AND mask."""
        rows = list(reversed(self.px))
        colours = b''.join(bytes([0, 0, 0, 0]) if c == '.' else bytes.fromhex(PALETTE[c][1:])[::-1] + b'\xff'
                           for row in rows for c in row)
        mask = b''.join(int(''.join('1' if c == '.' else '0' for c in row), 2).to_bytes(SIZE // 8, 'big')
                        for row in rows)
        image = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
        image += colours + mask
        return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image


def inside(points, x, y):
    result = False
    for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
        if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
            result = not result
    return result


def xpm_source(name, lines):
    body = ',\n'.join(lines)
    return f'/* XPM */\n// Drawn by resources/draw_pictures.py.\nstatic const char* const {name}_xpm[] = {{\n{body}}};\n'


def loudspeaker():
    c = Canvas()
    c.rect(4, 11, 10, 20, 'd')
    c.frame(4, 11, 10, 20, 'k')
    c.polygon([(10, 11), (18, 3), (18, 28), (10, 20)], 's', 'k')
    c.line(12, 12, 16, 8, 'w')
    for r, col in ((5, 'n'), (8, 'n'), (11, 'b')):
        for a in range(-45, 46, 3):
            t = math.radians(a)
            c.dot(round(18 + r * math.cos(t)), round(15.5 + r * math.sin(t)), col)
    return c


def microphone():
    c = Canvas()
    c.ellipse(15.5, 7, 5, 6.5, 's', 'k')
    for y in (4, 7, 10):
        c.line(12, y, 19, y, 'd')
    c.line(9, 9, 9, 13, 'k')
    c.line(22, 9, 22, 13, 'k')
    c.line(10, 14, 12, 16, 'k')
    c.line(21, 14, 19, 16, 'k')
    c.line(12, 16, 19, 16, 'k')
    c.rect(15, 17, 16, 27, 'd')
    c.line(14, 17, 14, 27, 'k')
    c.line(17, 17, 17, 27, 'k')
    c.rect(8, 28, 23, 30, 'd')
    c.frame(8, 28, 23, 30, 'k')
    return c


def musical_notes():
    c = Canvas()
    for y in (6, 11, 16, 21, 26):
        c.line(0, y, 31, y, 'k')
    c.ellipse(9, 24, 3.2, 2.3, 'n')
    c.ellipse(22, 19, 3.2, 2.3, 'n')
    c.rect(11, 8, 12, 23, 'n')
    c.rect(24, 3, 25, 18, 'n')
    c.polygon([(11, 8), (25, 3), (25, 6), (11, 11)], 'n')
    return c


def wave_curves():
    c = Canvas()
    c.rect(0, 0, 31, 31, 'k')
    for x10 in range(0, 320):
        x = x10 / 10
        c.dot(x, 11 + 6 * math.sin(x / 31 * 2 * math.pi * 1.5), 'l')
        c.dot(x, 21 + 6 * math.sin(x / 31 * 2 * math.pi * 1.5 + math.pi / 2), 'y')
    return c


def compact_disc():
    c = Canvas()
    c.ellipse(15.5, 15.5, 15, 15, 's', 'k')
    for y in range(SIZE):
        for x in range(SIZE):
            if c.px[y][x] == 's':
                a = math.degrees(math.atan2(y - 15.5, x - 15.5)) % 180
                if 20 < a < 40:
                    c.px[y][x] = 'a'
                elif 40 <= a < 55:
                    c.px[y][x] = 'f'
                elif 55 <= a < 65:
                    c.px[y][x] = 'y'
                elif 100 < a < 125:
                    c.px[y][x] = 'w'
    c.ellipse(15.5, 15.5, 6, 6, 'd', 'k')
    c.ellipse(15.5, 15.5, 2.6, 2.6, '.')
    return c


def sheet_music():
    c = Canvas()
    c.rect(5, 0, 26, 15, 'w')
    c.frame(5, 0, 26, 15, 'k')
    for y in (3, 6, 9, 12):
        c.line(7, y, 24, y, 'd')
    c.ellipse(11, 11, 2, 1.5, 'k')
    c.line(12, 4, 12, 11, 'k')
    c.ellipse(19, 8, 2, 1.5, 'k')
    c.line(20, 2, 20, 8, 'k')
    c.rect(0, 18, 31, 31, 'w')
    c.frame(0, 18, 31, 31, 'k')
    for x in range(4, 31, 4):
        c.line(x, 18, x, 31, 'k')
    for x in (4, 8, 16, 20, 24):
        c.rect(x - 1, 18, x + 1, 25, 'k')
    return c


HAND = [
    '.....XX.........................',
    '....XooX........................',
    '....XooX........................',
    '....XooX........................',
    '....XooX........................',
    '....XooXXX......................',
    '....XooXooXXX...................',
    '....XooXooXooXX.................',
    '.XX.XooXooXooXoX................',
    'XooXXooooooooXooX...............',
    'XoooXoooooooooooX...............',
    '.XooXoooooooooooX...............',
    '..XoXoooooooooooX...............',
    '..XoooooooooooooX...............',
    '...XooooooooooooX...............',
    '...XoooooooooooX................',
    '....XooooooooooX................',
    '....XoooooooooX.................',
    '.....XooooooooX.................',
    '.....XooooooooX.................',
    '.....XXXXXXXXXX.................',
] + ['.' * 32] * 11


def hand_cursor():
    lines = ['"32 32 3 1 5 0"', '". c None"', '"X c #000000"', '"o c #FFFFFF"']
    lines += ['"' + row + '"' for row in HAND]
    return xpm_source('hand_cursor', lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    pictures = {
        'loudspeaker': loudspeaker().xpm('loudspeaker'),
        'microphone': microphone().xpm('microphone'),
        'musical_notes': musical_notes().xpm('musical_notes'),
        'wave_curves': wave_curves().xpm('wave_curves'),
        'compact_disc': compact_disc().xpm('compact_disc'),
        'sheet_music': sheet_music().xpm('sheet_music'),
        'hand_cursor': hand_cursor(),
    }
    for name, text in pictures.items():
        with open(os.path.join(here, name + '.xpm'), 'w') as out:
            out.write(text)
    # The Windows program's own icon, which its resource file takes as an .ico file.
    with open(os.path.join(here, 'sonaru.ico'), 'wb') as out:
        out.write(loudspeaker().ico())


if __name__ == '__main__':
    main()
