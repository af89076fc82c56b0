#!/usr/bin/env python3
"""Draws the program's icons and cursors and writes them as .ico / .cur files.

Run from this folder; the outputs are committed so the build needs no Python.
"""
import struct


def bmp_image(pixels, size):
    """pixels: size x size list of rows (top first) of (r, g, b, a)."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + bytes(xor) + bytes(and_mask)


def write_icon_file(path, images, cursor_hotspot=None):
    kind = 2 if cursor_hotspot else 1
    out = bytearray(struct.pack('<HHH', 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, pixels in images:
        blob = bmp_image(pixels, size)
        if cursor_hotspot:
            a, b = cursor_hotspot
        else:
            a, b = 1, 32
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)


def canvas(size):
    return [[CLEAR] * size for _ in range(size)]


def fill(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            img[y][x] = colour


def ruler_icon(size):
    """An L-shaped ruler in warm yellow with tick marks on both legs."""
    img = canvas(size)
    body = (250, 204, 64, 255)
    edge = (120, 80, 0, 255)
    t = size * 5 // 16  # leg thickness
    fill(img, 0, 0, size, t, body)
    fill(img, 0, 0, t, size, body)
    for x in range(size):
        img[0][x] = edge
        img[t - 1][x] = edge if x >= t - 1 else img[t - 1][x]
    for y in range(size):
        img[y][0] = edge
        img[y][t - 1] = edge if y >= t - 1 else img[y][t - 1]
    img[size - 1][0:t] = [edge] * t
    for y in range(t):
        img[y][size - 1] = edge
    step = 2 if size == 16 else 3
    for i, p in enumerate(range(t + step, size - 1, step)):
        length = t // 2 if i % 2 else t - 2
        for d in range(length):
            img[t - 2 - d][p] = BLACK
            img[p][t - 2 - d] = BLACK
    return img


def placeholder_icon(size):
    """A plain blue info disc: stands in until the real image exists."""
    img = canvas(size)
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            if (x - c) ** 2 + (y - c) ** 2 <= (size / 2 - 0.5) ** 2:
                img[y][x] = (40, 90, 200, 255)
    fill(img, size // 2 - 1, size // 4, size // 2 + 1, size // 4 + 2, WHITE)
    fill(img, size // 2 - 1, size // 4 + 3, size // 2 + 1, size * 3 // 4, WHITE)
    return img


def target_cursor(with_plus):
    """Cross-hair for window targeting; the Ctrl variant adds a small box (move into the ruler)."""
    size = 32
    img = canvas(size)
    c = 15
    for d in range(-10, 11):
        if abs(d) > 2:
            for w in (-1, 0, 1):
                colour = BLACK if w == 0 else WHITE
                if img[c + w][c + d] != BLACK:
                    img[c + w][c + d] = colour
                if img[c + d][c + w] != BLACK:
                    img[c + d][c + w] = colour
    for d in range(-6, 7):
        for x, y in ((c + d, c - 6), (c + d, c + 6), (c - 6, c + d), (c + 6, c + d)):
            img[y][x] = BLACK
    if with_plus:
        fill(img, 21, 21, 31, 31, WHITE)
        for d in range(21, 31):
            img[21][d] = img[30][d] = img[d][21] = img[d][30] = BLACK
        fill(img, 24, 25, 28, 27, BLACK)
        fill(img, 25, 24, 27, 28, BLACK)
    return img


write_icon_file('icons/mensuro.ico', [(16, ruler_icon(16)), (32, ruler_icon(32))])
write_icon_file('icons/version.ico', [(16, placeholder_icon(16)), (32, placeholder_icon(32))])
write_icon_file('cursors/target.cur', [(32, target_cursor(False))], cursor_hotspot=(15, 15))
write_icon_file('cursors/target_ctrl.cur', [(32, target_cursor(True))], cursor_hotspot=(15, 15))
