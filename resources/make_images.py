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



def frame(img, x0, y0, x1, y1, colour):
    """Outline of the rectangle [x0, x1) x [y0, y1)."""
    for x in range(x0, x1):
        img[y0][x] = img[y1 - 1][x] = colour
    for y in range(y0, y1):
        img[y][x0] = img[y][x1 - 1] = colour


def line(img, x0, y0, x1, y1, colour, width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        for w in range(width):
            if 0 <= y + w < len(img) and 0 <= x < len(img):
                img[y + w][x] = colour


CYAN = (0, 200, 220, 255)
RED = (210, 40, 40, 255)
GREEN = (30, 160, 50, 255)
GREY = (110, 110, 110, 255)
PAPER = (250, 250, 245, 255)
BLUE = (40, 90, 200, 255)


def window_box(img, x0, y0, x1, y1, title):
    fill(img, x0, y0, x1, y1, PAPER)
    fill(img, x0, y0, x1, y0 + 3, title)
    frame(img, x0, y0, x1, y1, GREY)


def plus(img, cx, cy, colour):
    fill(img, cx - 3, cy - 1, cx + 4, cy + 2, colour)
    fill(img, cx - 1, cy - 3, cx + 2, cy + 4, colour)


def cross(img, cx, cy, colour):
    for d in range(-3, 4):
        for w in (0, 1):
            img[cy + d][cx + d + w - 1 + 1] = colour
            img[cy + d][cx - d + w - 1 + 1] = colour


def icon_exit():
    """A door with an arrow leaving it."""
    img = canvas(16)
    fill(img, 2, 1, 9, 15, (150, 100, 50, 255))
    frame(img, 2, 1, 9, 15, (90, 55, 20, 255))
    img[8][7] = (250, 220, 80, 255)
    line(img, 8, 8, 14, 8, RED, 2)
    line(img, 11, 5, 14, 8, RED)
    line(img, 11, 11, 14, 8, RED)
    line(img, 12, 5, 15, 8, RED)
    line(img, 12, 11, 15, 8, RED)
    return img


def icon_tasktray():
    """The taskbar with a small ruler in its notification area."""
    img = canvas(16)
    fill(img, 0, 10, 16, 16, (60, 70, 90, 255))
    fill(img, 1, 11, 4, 15, BLUE)
    fill(img, 10, 11, 15, 15, (250, 204, 64, 255))
    frame(img, 10, 11, 15, 15, (120, 80, 0, 255))
    line(img, 12, 2, 12, 8, GREEN, 1)
    line(img, 9, 5, 12, 8, GREEN)
    line(img, 15, 5, 12, 8, GREEN)
    return img


def icon_topmost():
    """Two windows, the front one on top of the other."""
    img = canvas(16)
    window_box(img, 1, 1, 11, 10, GREY)
    window_box(img, 5, 5, 15, 15, BLUE)
    return img


def icon_info():
    """A blue disc with a white i."""
    img = canvas(16)
    c = 7.5
    for y in range(16):
        for x in range(16):
            if (x - c) ** 2 + (y - c) ** 2 <= 7.5 ** 2:
                img[y][x] = BLUE
    fill(img, 7, 3, 9, 5, WHITE)
    fill(img, 7, 6, 9, 13, WHITE)
    return img


def icon_menu_icon():
    """A menu whose items have small pictures."""
    img = canvas(16)
    fill(img, 1, 1, 15, 15, PAPER)
    frame(img, 1, 1, 15, 15, GREY)
    for row, colour in enumerate((RED, GREEN, BLUE)):
        y = 3 + row * 4
        fill(img, 3, y, 6, y + 3, colour)
        fill(img, 7, y + 1, 13, y + 2, GREY)
    return img


def icon_copy():
    """Two overlapping pages."""
    img = canvas(16)
    fill(img, 1, 1, 10, 12, PAPER)
    frame(img, 1, 1, 10, 12, GREY)
    fill(img, 6, 4, 15, 15, PAPER)
    frame(img, 6, 4, 15, 15, BLUE)
    for y in (7, 9, 11):
        fill(img, 8, y, 13, y + 1, GREY)
    return img


def icon_line(mark):
    """A guide line with a mark: plus (add), cross (delete) or a list."""
    img = canvas(16)
    fill(img, 4, 0, 6, 16, CYAN)
    if mark == 'add':
        plus(img, 11, 11, GREEN)
    elif mark == 'delete':
        cross(img, 11, 11, RED)
    return img


def icon_line_list():
    """A list of coordinates beside a guide line."""
    img = canvas(16)
    fill(img, 1, 0, 3, 16, CYAN)
    fill(img, 5, 1, 15, 15, PAPER)
    frame(img, 5, 1, 15, 15, GREY)
    for y in (4, 7, 10):
        fill(img, 7, y, 13, y + 1, BLACK)
    return img


def icon_delete_all_lines():
    """Several guide lines, crossed out."""
    img = canvas(16)
    for x in (1, 5, 9):
        fill(img, x, 0, x + 2, 16, CYAN)
    fill(img, 0, 11, 16, 13, CYAN)
    cross(img, 11, 6, RED)
    return img


def icon_size():
    """A frame with an arrow pulling its corner."""
    img = canvas(16)
    frame(img, 1, 1, 12, 12, BLUE)
    line(img, 7, 7, 14, 14, BLACK)
    fill(img, 10, 14, 15, 15, BLACK)
    fill(img, 14, 10, 15, 15, BLACK)
    return img


def icon_copy_setting():
    """A page and a clock: what is copied, and when."""
    img = canvas(16)
    fill(img, 1, 1, 10, 13, PAPER)
    frame(img, 1, 1, 10, 13, GREY)
    c = 10.5
    for y in range(5, 16):
        for x in range(5, 16):
            d = (x - c) ** 2 + (y - c) ** 2
            if d <= 5.2 ** 2:
                img[y][x] = BLACK if d >= 4.2 ** 2 else WHITE
    line(img, 10, 7, 10, 10, BLACK)
    line(img, 10, 10, 13, 10, BLACK)
    return img


def icon_loupe():
    """A magnifying glass over a pixel grid."""
    img = canvas(16)
    c = 6.0
    for y in range(13):
        for x in range(13):
            d = (x - c) ** 2 + (y - c) ** 2
            if d <= 5.5 ** 2:
                img[y][x] = GREY if d >= 4.4 ** 2 else PAPER
    for (x, y) in ((4, 4), (6, 6), (8, 4), (4, 8), (8, 8)):
        fill(img, x - 1, y - 1, x + 1, y + 1, BLUE)
    for d in range(5):
        fill(img, 10 + d, 10 + d, 12 + d if d < 4 else 16, 12 + d if d < 4 else 16, (90, 55, 20, 255))
    return img


def icon_lines_at_edges():
    """A box with guide lines laid on its left and right edges."""
    img = canvas(16)
    fill(img, 4, 4, 12, 12, (250, 204, 64, 255))
    fill(img, 3, 0, 4, 16, CYAN)
    fill(img, 12, 0, 13, 16, CYAN)
    fill(img, 0, 3, 16, 4, CYAN)
    fill(img, 0, 12, 16, 13, CYAN)
    return img


def icon_snap_to_edges():
    """A guide line drawn onto an edge by a magnet."""
    img = canvas(16)
    fill(img, 0, 0, 7, 16, (250, 204, 64, 255))
    fill(img, 7, 0, 8, 16, CYAN)
    fill(img, 10, 5, 16, 11, RED)
    fill(img, 12, 7, 16, 9, CLEAR)
    fill(img, 10, 5, 12, 11, GREY)
    return img


def icon_save_picture():
    """A picture with a downward arrow into a tray."""
    img = canvas(16)
    fill(img, 1, 1, 12, 10, PAPER)
    frame(img, 1, 1, 12, 10, GREY)
    fill(img, 2, 6, 11, 9, GREEN)
    fill(img, 8, 3, 10, 5, (250, 204, 64, 255))
    line(img, 12, 6, 12, 13, BLUE, 2)
    line(img, 9, 10, 12, 13, BLUE)
    line(img, 15, 10, 12, 13, BLUE)
    fill(img, 8, 14, 16, 16, BLUE)
    return img


def icon_copy_measurements():
    """A dimension line over the rows of a table: the measurements as text."""
    img = canvas(16)
    fill(img, 1, 6, 15, 16, PAPER)
    frame(img, 1, 6, 15, 16, GREY)
    for y in (9, 12):
        fill(img, 2, y, 14, y + 1, GREY)
    fill(img, 6, 7, 7, 15, GREY)
    for y in (7, 10, 13):
        fill(img, 8, y + 1, 13, y + 2, BLUE)
    fill(img, 0, 0, 1, 5, RED)
    fill(img, 15, 0, 16, 5, RED)
    fill(img, 1, 2, 15, 3, RED)
    line(img, 1, 2, 3, 0, RED)
    line(img, 1, 2, 3, 4, RED)
    line(img, 14, 2, 12, 0, RED)
    line(img, 14, 2, 12, 4, RED)
    return img


def icon_keys():
    """A key cap with a letter on it, seen from a little above."""
    img = canvas(16)
    fill(img, 1, 1, 15, 15, (200, 200, 195, 255))
    frame(img, 1, 1, 15, 15, GREY)
    fill(img, 3, 2, 13, 11, PAPER)
    frame(img, 3, 2, 13, 11, GREY)
    line(img, 6, 4, 6, 8, BLUE)
    line(img, 7, 6, 9, 4, BLUE)
    line(img, 7, 6, 9, 8, BLUE)
    return img


MENU_ICONS = {
    'exit': icon_exit, 'tasktray': icon_tasktray, 'topmost': icon_topmost,
    'menu_icon': icon_menu_icon, 'copy': icon_copy, 'add_line': lambda: icon_line('add'),
    'delete_line': lambda: icon_line('delete'), 'line_list': icon_line_list,
    'delete_all_lines': icon_delete_all_lines, 'size': icon_size, 'copy_setting': icon_copy_setting,
    'loupe': icon_loupe, 'lines_at_edges': icon_lines_at_edges, 'snap_to_edges': icon_snap_to_edges,
    'save_picture': icon_save_picture, 'copy_measurements': icon_copy_measurements,
    'keys': icon_keys,
}

write_icon_file('icons/mensuro.ico', [(16, ruler_icon(16)), (32, ruler_icon(32))])
write_icon_file('icons/version.ico', [(16, icon_info())])
for name, draw in MENU_ICONS.items():
    write_icon_file('icons/%s.ico' % name, [(16, draw())])
write_icon_file('cursors/target.cur', [(32, target_cursor(False))], cursor_hotspot=(15, 15))
write_icon_file('cursors/target_ctrl.cur', [(32, target_cursor(True))], cursor_hotspot=(15, 15))
