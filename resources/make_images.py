#!/usr/bin/env python3
"""Draws the program's icons and cursors and writes them as .ico / .cur files.

Run from this folder; the outputs are committed so the build needs no Python.
"""
import math
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



class Canvas:
    """An icon of `size` pixels drawn on the 16-unit grid of the 16-pixel image.

    Rectangles snap to whole pixels, so the 24- and 32-pixel images stay as crisp as the
    16-pixel one instead of being stretched from it; lines and outlines are at least a
    pixel wide; round shapes are sampled at the pixels' centres.
    """

    def __init__(self, size):
        self.size = size
        self.k = size / 16
        self.img = canvas(size)

    def edge(self, v):
        return int(math.floor(v * self.k + 0.5))

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.img[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(self.edge(y0), self.edge(y1)):
            for x in range(self.edge(x0), self.edge(x1)):
                self.put(x, y, colour)

    def dot(self, x, y, colour):
        self.fill(x, y, x + 1, y + 1, colour)

    def thickness(self, units=1):
        return max(1, int(units * self.k))

    def frame(self, x0, y0, x1, y1, colour):
        """Outline of the rectangle [x0, x1) x [y0, y1)."""
        t = self.thickness()
        l, t0, r, b = self.edge(x0), self.edge(y0), self.edge(x1), self.edge(y1)
        for y in range(t0, b):
            for x in range(l, r):
                if x < l + t or x >= r - t or y < t0 + t or y >= b - t:
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1, across=1):
        """From the pixel (x0, y0) to (x1, y1), `width` pixels down and `across` to the right."""
        tw, ta = self.thickness(width), self.thickness(across)
        centre = lambda p: (p + 0.5) * self.k - 0.5
        sx0, sy0, sx1, sy1 = centre(x0), centre(y0), centre(x1), centre(y1)
        steps = max(abs(round(sx1 - sx0)), abs(round(sy1 - sy0)), 1)
        shift = (self.thickness() - 1) / 2
        for i in range(steps + 1):
            x = int(math.floor(sx0 + (sx1 - sx0) * i / steps - shift + 0.5))
            y = int(math.floor(sy0 + (sy1 - sy0) * i / steps - shift + 0.5))
            for dy in range(tw):
                for dx in range(ta):
                    self.put(x + dx, y + dy, colour)

    def disc(self, cx, cy, outer, colour, inner=None, inner_colour=None):
        """The pixels whose centres lie within `outer` of (cx, cy); within `inner`, inner_colour."""
        for y in range(self.size):
            for x in range(self.size):
                gx, gy = (x + 0.5) / self.k - 0.5, (y + 0.5) / self.k - 0.5
                d = (gx - cx) ** 2 + (gy - cy) ** 2
                if d <= outer ** 2:
                    self.img[y][x] = inner_colour if inner is not None and d < inner ** 2 else colour


CYAN = (0, 200, 220, 255)
RED = (210, 40, 40, 255)
GREEN = (30, 160, 50, 255)
GREY = (110, 110, 110, 255)
PAPER = (250, 250, 245, 255)
BLUE = (40, 90, 200, 255)
YELLOW = (250, 204, 64, 255)


def window_box(c, x0, y0, x1, y1, title):
    c.fill(x0, y0, x1, y1, PAPER)
    c.fill(x0, y0, x1, y0 + 3, title)
    c.frame(x0, y0, x1, y1, GREY)


def plus(c, cx, cy, colour):
    c.fill(cx - 3, cy - 1, cx + 4, cy + 2, colour)
    c.fill(cx - 1, cy - 3, cx + 2, cy + 4, colour)


def cross(c, cx, cy, colour):
    c.line(cx - 3, cy - 3, cx + 3, cy + 3, colour, across=2)
    c.line(cx + 3, cy - 3, cx - 3, cy + 3, colour, across=2)


def icon_exit(c):
    """A door with an arrow leaving it."""
    c.fill(2, 1, 9, 15, (150, 100, 50, 255))
    c.frame(2, 1, 9, 15, (90, 55, 20, 255))
    c.dot(7, 8, (250, 220, 80, 255))
    c.line(8, 8, 14, 8, RED, 2)
    c.line(11, 5, 14, 8, RED)
    c.line(11, 11, 14, 8, RED)
    c.line(12, 5, 15, 8, RED)
    c.line(12, 11, 15, 8, RED)


def icon_tasktray(c):
    """The taskbar with a small ruler in its notification area."""
    c.fill(0, 10, 16, 16, (60, 70, 90, 255))
    c.fill(1, 11, 4, 15, BLUE)
    c.fill(10, 11, 15, 15, YELLOW)
    c.frame(10, 11, 15, 15, (120, 80, 0, 255))
    c.line(12, 2, 12, 8, GREEN)
    c.line(9, 5, 12, 8, GREEN)
    c.line(15, 5, 12, 8, GREEN)


def icon_topmost(c):
    """Two windows, the front one on top of the other."""
    window_box(c, 1, 1, 11, 10, GREY)
    window_box(c, 5, 5, 15, 15, BLUE)


def icon_info(c):
    """A blue disc with a white i."""
    c.disc(7.5, 7.5, 7.5, BLUE)
    c.fill(7, 3, 9, 5, WHITE)
    c.fill(7, 6, 9, 13, WHITE)


def icon_menu_icon(c):
    """A menu whose items have small pictures."""
    c.fill(1, 1, 15, 15, PAPER)
    c.frame(1, 1, 15, 15, GREY)
    for row, colour in enumerate((RED, GREEN, BLUE)):
        y = 3 + row * 4
        c.fill(3, y, 6, y + 3, colour)
        c.fill(7, y + 1, 13, y + 2, GREY)


def icon_copy(c):
    """Two overlapping pages."""
    c.fill(1, 1, 10, 12, PAPER)
    c.frame(1, 1, 10, 12, GREY)
    c.fill(6, 4, 15, 15, PAPER)
    c.frame(6, 4, 15, 15, BLUE)
    for y in (7, 9, 11):
        c.fill(8, y, 13, y + 1, GREY)


def icon_line(mark):
    """A guide line with a mark: plus (add) or cross (delete)."""
    def draw(c):
        c.fill(4, 0, 6, 16, CYAN)
        if mark == 'add':
            plus(c, 11, 11, GREEN)
        elif mark == 'delete':
            cross(c, 11, 11, RED)
    return draw


def icon_line_list(c):
    """A list of coordinates beside a guide line."""
    c.fill(1, 0, 3, 16, CYAN)
    c.fill(5, 1, 15, 15, PAPER)
    c.frame(5, 1, 15, 15, GREY)
    for y in (4, 7, 10):
        c.fill(7, y, 13, y + 1, BLACK)


def icon_delete_all_lines(c):
    """Several guide lines, crossed out."""
    for x in (1, 5, 9):
        c.fill(x, 0, x + 2, 16, CYAN)
    c.fill(0, 11, 16, 13, CYAN)
    cross(c, 11, 6, RED)


def icon_size(c):
    """A frame with an arrow pulling its corner."""
    c.frame(1, 1, 12, 12, BLUE)
    c.line(7, 7, 14, 14, BLACK)
    c.fill(10, 14, 15, 15, BLACK)
    c.fill(14, 10, 15, 15, BLACK)


def icon_copy_setting(c):
    """A page and a clock: what is copied, and when."""
    c.fill(1, 1, 10, 13, PAPER)
    c.frame(1, 1, 10, 13, GREY)
    c.disc(10.5, 10.5, 5.2, BLACK, 4.2, WHITE)
    c.line(10, 7, 10, 10, BLACK)
    c.line(10, 10, 13, 10, BLACK)


def icon_loupe(c):
    """A magnifying glass over a pixel grid."""
    c.disc(6.0, 6.0, 5.5, GREY, 4.4, PAPER)
    for (x, y) in ((4, 4), (6, 6), (8, 4), (4, 8), (8, 8)):
        c.fill(x - 1, y - 1, x + 1, y + 1, BLUE)
    for d in range(5):
        c.fill(10 + d, 10 + d, 12 + d if d < 4 else 16, 12 + d if d < 4 else 16, (90, 55, 20, 255))


def icon_lines_at_edges(c):
    """A box with guide lines laid on its left and right edges."""
    c.fill(4, 4, 12, 12, YELLOW)
    c.fill(3, 0, 4, 16, CYAN)
    c.fill(12, 0, 13, 16, CYAN)
    c.fill(0, 3, 16, 4, CYAN)
    c.fill(0, 12, 16, 13, CYAN)


def icon_snap_to_edges(c):
    """A guide line drawn onto an edge by a magnet."""
    c.fill(0, 0, 7, 16, YELLOW)
    c.fill(7, 0, 8, 16, CYAN)
    c.fill(10, 5, 16, 11, RED)
    c.fill(12, 7, 16, 9, CLEAR)
    c.fill(10, 5, 12, 11, GREY)


def icon_save_picture(c):
    """A picture with a downward arrow into a tray."""
    c.fill(1, 1, 12, 10, PAPER)
    c.frame(1, 1, 12, 10, GREY)
    c.fill(2, 6, 11, 9, GREEN)
    c.fill(8, 3, 10, 5, YELLOW)
    c.line(12, 6, 12, 13, BLUE, 2)
    c.line(9, 10, 12, 13, BLUE)
    c.line(15, 10, 12, 13, BLUE)
    c.fill(8, 14, 16, 16, BLUE)


def icon_copy_measurements(c):
    """A dimension line over the rows of a table: the measurements as text."""
    c.fill(1, 6, 15, 16, PAPER)
    c.frame(1, 6, 15, 16, GREY)
    for y in (9, 12):
        c.fill(2, y, 14, y + 1, GREY)
    c.fill(6, 7, 7, 15, GREY)
    for y in (7, 10, 13):
        c.fill(8, y + 1, 13, y + 2, BLUE)
    c.fill(0, 0, 1, 5, RED)
    c.fill(15, 0, 16, 5, RED)
    c.fill(1, 2, 15, 3, RED)
    c.line(1, 2, 3, 0, RED)
    c.line(1, 2, 3, 4, RED)
    c.line(14, 2, 12, 0, RED)
    c.line(14, 2, 12, 4, RED)


def icon_keys(c):
    """A key cap with a letter on it, seen from a little above."""
    c.fill(1, 1, 15, 15, (200, 200, 195, 255))
    c.frame(1, 1, 15, 15, GREY)
    c.fill(3, 2, 13, 11, PAPER)
    c.frame(3, 2, 13, 11, GREY)
    c.line(6, 4, 6, 8, BLUE)
    c.line(7, 6, 9, 4, BLUE)
    c.line(7, 6, 9, 8, BLUE)


def icon_measure(c):
    """A cross-hair with arrows out to the edges around it: distances from the pointer."""
    for x0, y0, x1, y1 in ((0, 4, 1, 12), (15, 4, 16, 12), (4, 0, 12, 1), (4, 15, 12, 16)):
        c.fill(x0, y0, x1, y1, BLUE)
    c.fill(1, 7, 15, 8, RED)
    c.fill(7, 1, 8, 15, RED)
    # Solid heads, a step wider a pixel further from the edge.
    for d in (1, 2):
        for x in (1 + d, 14 - d):
            c.fill(x, 7 - d, x + 1, 8 + d, RED)
            c.fill(7 - d, x, 8 + d, x + 1, RED)
    c.frame(5, 5, 10, 10, BLACK)
    c.fill(6, 6, 9, 9, CLEAR)
    c.dot(7, 7, BLACK)


def drawn(draw, size):
    c = Canvas(size)
    draw(c)
    return c.img


# The sizes a menu takes them at: 100 %, 150 % and 200 % display scale.
MENU_ICON_SIZES = (16, 24, 32)

MENU_ICONS = {
    'exit': icon_exit, 'tasktray': icon_tasktray, 'topmost': icon_topmost,
    'menu_icon': icon_menu_icon, 'copy': icon_copy, 'add_line': icon_line('add'),
    'delete_line': icon_line('delete'), 'line_list': icon_line_list,
    'delete_all_lines': icon_delete_all_lines, 'size': icon_size, 'copy_setting': icon_copy_setting,
    'loupe': icon_loupe, 'lines_at_edges': icon_lines_at_edges, 'snap_to_edges': icon_snap_to_edges,
    'save_picture': icon_save_picture, 'copy_measurements': icon_copy_measurements,
    'keys': icon_keys, 'measure': icon_measure,
}

write_icon_file('icons/mensuro.ico', [(size, ruler_icon(size)) for size in MENU_ICON_SIZES])
write_icon_file('icons/version.ico', [(size, drawn(icon_info, size)) for size in MENU_ICON_SIZES])
for name, draw in MENU_ICONS.items():
    write_icon_file('icons/%s.ico' % name, [(size, drawn(draw, size)) for size in MENU_ICON_SIZES])
write_icon_file('cursors/target.cur', [(32, target_cursor(False))], cursor_hotspot=(15, 15))
write_icon_file('cursors/target_ctrl.cur', [(32, target_cursor(True))], cursor_hotspot=(15, 15))
