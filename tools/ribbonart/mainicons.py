#!/usr/bin/env python3
"""Draws the main window's 51 image-list pictures: resources/mainicons/<n>.png,
32 x 32 with alpha. The eleven pictures the ribbon buttons use show their
commands; the others are plain neutral tiles.

Shapes are tested at four samples per pixel each way and averaged, which
gives smooth edges without any drawing library.

Usage: mainicons.py [output folder]   (default: resources/mainicons)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gifwrite import write_png  # noqa: E402

SIZE = 32
SS = 4
HI = SIZE * SS


def hexc(s, a=255):
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16), a)


def lerp(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(4))


class Canvas:
    def __init__(self):
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(HI * HI)]

    def fill(self, inside, paint, box=(0, 0, SIZE, SIZE)):
        """inside(x, y) -> bool in icon units; paint: colour tuple or f(x, y)."""
        x0 = max(0, int(box[0] * SS))
        y0 = max(0, int(box[1] * SS))
        x1 = min(HI, int(math.ceil(box[2] * SS)))
        y1 = min(HI, int(math.ceil(box[3] * SS)))
        for j in range(y0, y1):
            y = (j + 0.5) / SS
            for i in range(x0, x1):
                x = (i + 0.5) / SS
                if not inside(x, y):
                    continue
                c = paint(x, y) if callable(paint) else paint
                a = c[3] / 255.0
                p = self.px[j * HI + i]
                # straight-alpha "over"
                out_a = a + p[3] * (1 - a)
                if out_a <= 0:
                    continue
                for k in range(3):
                    p[k] = (c[k] * a + p[k] * p[3] * (1 - a)) / out_a
                p[3] = out_a

    def erase(self, inside, box=(0, 0, SIZE, SIZE)):
        x0, y0 = int(box[0] * SS), int(box[1] * SS)
        x1, y1 = int(math.ceil(box[2] * SS)), int(math.ceil(box[3] * SS))
        for j in range(max(0, y0), min(HI, y1)):
            for i in range(max(0, x0), min(HI, x1)):
                if inside((i + 0.5) / SS, (j + 0.5) / SS):
                    self.px[j * HI + i] = [0.0, 0.0, 0.0, 0.0]

    def pixels(self):
        out = []
        for y in range(SIZE):
            for x in range(SIZE):
                r = g = b = a = 0.0
                for j in range(SS):
                    for i in range(SS):
                        p = self.px[(y * SS + j) * HI + x * SS + i]
                        r += p[0] * p[3]
                        g += p[1] * p[3]
                        b += p[2] * p[3]
                        a += p[3]
                if a == 0:
                    out.append((0, 0, 0, 0))
                else:
                    out.append((int(round(r / a)), int(round(g / a)), int(round(b / a)),
                                int(round(a * 255 / (SS * SS)))))
        return out


# --- inside tests -----------------------------------------------------------

def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def polygon(pts):
    def inside(x, y):
        c = False
        n = len(pts)
        for k in range(n):
            xa, ya = pts[k]
            xb, yb = pts[(k + 1) % n]
            if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
                c = not c
        return c
    return inside


def segment(xa, ya, xb, yb, w):
    dx, dy = xb - xa, yb - ya
    ll = dx * dx + dy * dy

    def inside(x, y):
        t = max(0, min(1, ((x - xa) * dx + (y - ya) * dy) / ll)) if ll else 0
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return inside


def arc(cx, cy, r, w, a0, a1):
    """Ring segment from angle a0 to a1 (degrees, counter-clockwise, y up)."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > w / 2:
            return False
        ang = math.degrees(math.atan2(cy - y, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        return lo <= ang <= hi if lo <= hi else ang >= lo or ang <= hi
    return inside


def union(*fs):
    return lambda x, y: any(f(x, y) for f in fs)


def minus(f, g):
    return lambda x, y: f(x, y) and not g(x, y)


def grow(f, d):
    """A crude outline: f tested at eight offsets."""
    offs = [(d * math.cos(k * math.pi / 4), d * math.sin(k * math.pi / 4)) for k in range(8)]
    return lambda x, y: f(x, y) or any(f(x + ox, y + oy) for ox, oy in offs)


def vgrad(top, bottom, y0, y1):
    return lambda x, y: lerp(top, bottom, (y - y0) / max(1e-6, y1 - y0))


def shaded(f, top, bottom, y0, y1, edge, canvas, d=0.9):
    """A shape with a dark edge and a vertical gradient face."""
    canvas.fill(grow(f, d), edge)
    canvas.fill(f, vgrad(top, bottom, y0, y1))


# --- the command pictures ---------------------------------------------------

def person(c, cx, top, scale, shirt_top, shirt_bottom, edge):
    head = ellipse(cx, top + 5.2 * scale, 4.6 * scale, 5.0 * scale)
    body = union(rrect(cx - 9 * scale, top + 11 * scale, cx + 9 * scale, top + 24 * scale, 6 * scale))
    shaded(body, shirt_top, shirt_bottom, top + 11 * scale, top + 24 * scale, edge, c)
    shaded(head, hexc("fde3c8"), hexc("f0b98c"), top, top + 10 * scale, hexc("8a5a36"), c)


def icon_receipt(c):
    edge = hexc("6b7380")
    pts = [(6, 2.5), (26, 2.5), (26, 26)]
    for k in range(8):  # torn foot
        x = 26 - k * 2.5
        pts += [(x - 1.25, 29), (x - 2.5, 26.5)]
    pts += [(6, 26.5)]
    sheet = polygon(pts)
    shaded(sheet, hexc("ffffff"), hexc("e8edf3"), 2, 29, edge, c)
    for k, w in enumerate((14, 10, 12, 8)):
        c.fill(rrect(9, 7 + k * 3.2, 9 + w, 8.4 + k * 3.2, 0.6), hexc("8c96a6"))
    c.fill(rrect(9, 20, 17, 21.6, 0.7), hexc("3b7dd8"))
    # a green paid stamp
    shaded(ellipse(22.5, 21.5, 6.5, 6.5), hexc("5fd16b"), hexc("1f8f3a"), 15, 28, hexc("17692b"), c)
    c.fill(segment(19.6, 21.6, 21.8, 23.8, 1.7), hexc("ffffff"))
    c.fill(segment(21.8, 23.8, 25.6, 19.2, 1.7), hexc("ffffff"))


def icon_customer(c):
    person(c, 16, 2, 1.15, hexc("5aa0f0"), hexc("1f5fbf"), hexc("17407f"))


def icon_users(c):
    person(c, 21.5, 2, 0.95, hexc("7fcf7a"), hexc("2f8a3a"), hexc("225f27"))
    person(c, 12, 5.5, 1.05, hexc("5aa0f0"), hexc("1f5fbf"), hexc("17407f"))


def icon_list(c):
    edge = hexc("53627a")
    shaded(rrect(3, 4, 29, 28, 2.2), hexc("ffffff"), hexc("eef2f7"), 4, 28, edge, c)
    c.fill(rrect(3.6, 4.6, 28.4, 10, 1.6), vgrad(hexc("6fa8f5"), hexc("2c6fd0"), 4, 10))
    for k in range(4):
        y = 13 + k * 3.7
        c.fill(rrect(6, y, 8.6, y + 2.2, 0.5), hexc("3b7dd8"))
        c.fill(rrect(10.5, y + 0.4, 25.5 - (k % 2) * 4, y + 1.8, 0.6), hexc("8c96a6"))


def gear(cx, cy, r_out, r_in, teeth, hole):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if d <= hole:
            return False
        if d <= r_in:
            return True
        if d > r_out:
            return False
        ang = math.atan2(y - cy, x - cx) * teeth / (2 * math.pi)
        frac = ang - math.floor(ang)
        return 0.25 <= frac <= 0.75
    return inside


def icon_settings(c):
    g = gear(16, 16, 14, 10.5, 8, 4.2)
    shaded(g, hexc("c9d2de"), hexc("6d7a8c"), 2, 30, hexc("3d4654"), c, d=0.8)
    c.fill(minus(ellipse(16, 16, 7, 7), ellipse(16, 16, 5.2, 5.2)), hexc("56606e", 180))


def cylinder(c, x0, x1, y0, y1, top, bottom, edge):
    rx = (x1 - x0) / 2
    cx = (x0 + x1) / 2
    body = union(rrect(x0, y0 + 2.5, x1, y1 - 2.5, 0), ellipse(cx, y1 - 2.5, rx, 2.5))
    shaded(body, top, bottom, y0, y1, edge, c)
    for k in (1, 2):  # bands
        yy = y0 + 2.5 + (y1 - y0 - 5) * k / 3
        c.fill(arc(cx, yy - 30, 30.1, 0.8, 250, 290), edge)
    c.fill(grow(ellipse(cx, y0 + 2.5, rx, 2.5), 0.9), edge)
    c.fill(ellipse(cx, y0 + 2.5, rx, 2.5), vgrad(hexc("ffffff"), top, y0, y0 + 5))


def icon_backup(c):
    cylinder(c, 3, 21, 6, 28, hexc("e7ecf3"), hexc("9aa6b8"), hexc("4c5668"))
    arrow = polygon([(22, 21), (22, 14), (18.5, 14), (25, 5), (31.5, 14), (28, 14), (28, 21)])
    shaded(arrow, hexc("6fdc74"), hexc("1f9a38"), 5, 21, hexc("176b2a"), c)


def icon_restore(c):
    cylinder(c, 3, 21, 6, 28, hexc("e7ecf3"), hexc("9aa6b8"), hexc("4c5668"))
    arrow = polygon([(22, 4), (22, 11), (18.5, 11), (25, 20), (31.5, 11), (28, 11), (28, 4)])
    shaded(arrow, hexc("6fb0ff"), hexc("1f62cf"), 4, 20, hexc("173f8a"), c)


def icon_reset(c):
    # a round arrow, turning anticlockwise, its head at the upper right
    cx, cy, r, end = 16, 17, 10, 35
    ring = arc(cx, cy, r, 4.4, 110, end)
    a = math.radians(end)
    px, py = cx + r * math.cos(a), cy - r * math.sin(a)
    tx, ty = -math.sin(a), -math.cos(a)       # direction of travel on screen
    nx, ny = math.cos(a), -math.sin(a)        # outward
    head = polygon([(px + tx * 5.5, py + ty * 5.5), (px + nx * 5.2, py + ny * 5.2),
                    (px - nx * 5.2, py - ny * 5.2)])
    shaded(union(ring, head), hexc("ff8a70"), hexc("c42a1a"), 3, 29, hexc("7f1a10"), c, d=0.8)


def icon_wallpaper(c):
    frame = rrect(2, 5, 30, 27, 1.6)
    shaded(frame, hexc("f7d9a0"), hexc("c8924a"), 5, 27, hexc("6b4a1f"), c)
    inner = rrect(4.5, 7.5, 27.5, 24.5, 0.6)
    c.fill(inner, vgrad(hexc("7ec3ff"), hexc("d6efff"), 7.5, 20))
    c.fill(lambda x, y: inner(x, y) and ((x - 21) ** 2 + (y - 12) ** 2 <= 6.5), hexc("ffd84a"))
    hills = polygon([(4.5, 24.5), (4.5, 19), (10, 14), (16, 20), (20, 17), (27.5, 22), (27.5, 24.5)])
    c.fill(lambda x, y: inner(x, y) and hills(x, y), vgrad(hexc("7ed35a"), hexc("2f8f2a"), 14, 24.5))


def icon_about(c):
    shaded(ellipse(16, 16, 13.5, 13.5), hexc("6fb0ff"), hexc("1c58c0"), 2.5, 29.5, hexc("143d85"), c)
    c.fill(ellipse(16, 8.8, 2.3, 2.3), hexc("ffffff"))
    c.fill(rrect(13.9, 12.6, 18.1, 24.5, 1.0), hexc("ffffff"))
    c.fill(rrect(11.8, 22.6, 20.2, 24.6, 0.8), hexc("ffffff"))
    c.fill(rrect(11.8, 12.6, 16, 14.4, 0.7), hexc("ffffff"))


def icon_manual(c):
    edge = hexc("6a2415")
    pages = rrect(6, 5, 28, 29, 1.2)
    c.fill(grow(pages, 0.8), hexc("7b6f60"))
    c.fill(pages, vgrad(hexc("ffffff"), hexc("e9e4da"), 5, 29))
    for k in range(3):
        c.fill(rrect(6, 26.2 + k * 0.0, 27.4, 26.6, 0.1), hexc("c9c0b0"))
    cover = rrect(4, 3, 25, 26.5, 1.6)
    shaded(cover, hexc("e0573a"), hexc("a02712"), 3, 26.5, edge, c)
    c.fill(rrect(6.2, 3, 7.4, 26.5, 0.2), hexc("7a1d0d", 200))
    c.fill(rrect(10, 8, 21.5, 12.5, 1.0), hexc("fff4e0"))
    c.fill(rrect(11.5, 9.7, 20, 10.8, 0.4), hexc("a02712"))
    c.fill(polygon([(18, 26.5), (18, 31), (19.8, 29.6), (21.6, 31), (21.6, 26.5)]), hexc("ffc83a"))


def icon_neutral(c, n):
    tile = rrect(4, 4, 28, 28, 4)
    shaded(tile, hexc("eef1f5"), hexc("b9c2cf"), 4, 28, hexc("7a8597"), c)
    ink = hexc("5d6a7e")
    kind = n % 4
    if kind == 0:
        c.fill(ellipse(16, 16, 6, 6), ink)
    elif kind == 1:
        c.fill(rrect(10.5, 10.5, 21.5, 21.5, 1.5), ink)
    elif kind == 2:
        c.fill(polygon([(16, 9.5), (22.5, 21.5), (9.5, 21.5)]), ink)
    else:
        c.fill(polygon([(16, 9), (23, 16), (16, 23), (9, 16)]), ink)


COMMANDS = {
    48: icon_receipt, 40: icon_customer, 49: icon_list, 50: icon_settings, 36: icon_users,
    7: icon_backup, 8: icon_restore, 6: icon_reset, 32: icon_wallpaper, 16: icon_about,
    51: icon_manual,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "mainicons")
    os.makedirs(out, exist_ok=True)
    only = {int(a) for a in sys.argv[2:]}
    for n in range(1, 52):
        if only and n not in only:
            continue
        c = Canvas()
        if n in COMMANDS:
            COMMANDS[n](c)
        else:
            icon_neutral(c, n)
        write_png(os.path.join(out, "%d.png" % n), SIZE, SIZE, c.pixels())


if __name__ == "__main__":
    main()
