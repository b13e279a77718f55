#!/usr/bin/env python3
"""Draws the ribbon's theme pictures: resources/ribbon/<THEME>/<id>.gif.

Every piece is cut from one whole drawing (a whole tab, frame or button) so the
end pieces and the stretched middle join without seams. Edges are smoothed
against the colour that lies under the piece on screen, because a GIF has only
one fully transparent colour.

Usage: ribbonart.py [output folder]   (default: resources/ribbon beside tools/)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gifwrite import write_gif  # noqa: E402

# Where the pieces stand on the strip (pixels): the control shows strip rows
# 26..141; tabs at control row 0 (24 high), frames at row 24 (89 high),
# buttons at row 28 (66 high).
STRIP_H = 142
STRIP_SHOW = 26
TAB_Y = 0
FRAME_Y = 24
FRAME_H = 89
BUTTON_Y = 28
CAPTION_BAND = 20  # rows at the foot of a frame that carry the group caption


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def hexrgb(s):
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def ramp(stops, t):
    """stops: [(t, 'rrggbb'), ...] ascending."""
    if t <= stops[0][0]:
        return hexrgb(stops[0][1])
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(hexrgb(c0), hexrgb(c1), (t - t0) / (t1 - t0) if t1 > t0 else 0)
    return hexrgb(stops[-1][1])


THEMES = {
    "BLACK": dict(
        tabrow=[(0, "3a3a3a"), (1, "4a4a4a")],
        body=[(0, "e9e9e9"), (0.45, "dcdcdc"), (1, "c6c6c6")],
        body_edge="2e2e2e",
        frame=[(0, "f4f4f4"), (0.7, "e4e4e4"), (1, "d9d9d9")],
        frame_on=[(0, "fbfbfb"), (0.7, "efefef"), (1, "e6e6e6")],
        band=[(0, "6b6b6b"), (1, "4f4f4f")],
        band_on=[(0, "7a7a7a"), (1, "5c5c5c")],
        frame_border="8f8f8f",
        frame_border_on="6f6f6f",
        frame_inner="ffffff",
        tab=[(0, "fbfbfb"), (1, "e9e9e9")],
        tab_border="9a9a9a",
        tab_over=[(0, "7a7a7a"), (1, "5d5d5d")],
        tab_over_border="9c9c9c",
        glyph="303030",
        glyph_on="000000",
        launcher="f0f0f0",
        background=[(0, "5a5a5a"), (1, "2f2f2f")],
        swoosh="6e6e6e",
    ),
    "BLUE": dict(
        tabrow=[(0, "c4daf3"), (1, "bcd4f1")],
        body=[(0, "dfeaf7"), (0.45, "d3e2f5"), (1, "c0d5ef")],
        body_edge="8db2e3",
        frame=[(0, "eef4fc"), (0.7, "dce8f7"), (1, "d0e0f4")],
        frame_on=[(0, "f7fbff"), (0.7, "e8f1fc"), (1, "dde9f8")],
        band=[(0, "c2d8f2"), (1, "b0cbed")],
        band_on=[(0, "d0e2f7"), (1, "bed5f1")],
        frame_border="8db2e3",
        frame_border_on="6f98cf",
        frame_inner="ffffff",
        tab=[(0, "ffffff"), (1, "e4eefb")],
        tab_border="8db2e3",
        tab_over=[(0, "f3f8fe"), (1, "d6e6fa")],
        tab_over_border="a9c6ec",
        glyph="3e6ab8",
        glyph_on="15428b",
        launcher="3e6ab8",
        background=[(0, "c9dcf4"), (1, "8eb0da")],
        swoosh="d8e6f8",
    ),
    "SILVER": dict(
        tabrow=[(0, "dfe2e7"), (1, "d6dae0")],
        body=[(0, "f2f3f5"), (0.45, "e6e8ec"), (1, "d3d7dd")],
        body_edge="a3a9b3",
        frame=[(0, "fafbfc"), (0.7, "eceef1"), (1, "e2e5e9")],
        frame_on=[(0, "ffffff"), (0.7, "f5f6f8"), (1, "eceef1")],
        band=[(0, "dde0e5"), (1, "cfd3d9")],
        band_on=[(0, "e8eaee"), (1, "d9dce1")],
        frame_border="a7adb6",
        frame_border_on="8a919c",
        frame_inner="ffffff",
        tab=[(0, "ffffff"), (1, "eceef1")],
        tab_border="a7adb6",
        tab_over=[(0, "fbfbfc"), (1, "e7e9ed")],
        tab_over_border="bcc1c9",
        glyph="5c626a",
        glyph_on="2c3036",
        launcher="5c626a",
        background=None,
        swoosh=None,
    ),
}

HOT = dict(fill=[(0, "fffdf0"), (0.4, "fff1c0"), (0.41, "ffe38a"), (1, "fff2b8")],
           border="e5c365", inner="fffbe8")
PRESSED = dict(fill=[(0, "fcd9a0"), (0.4, "fbc06e"), (0.41, "f8a948"), (1, "fbd17f")],
               border="c28a3c", inner="fde3b8")


def strip_colour(th, y):
    """Colour of the background strip at strip row y."""
    cy = y - STRIP_SHOW
    if cy < TAB_Y + 24:
        return ramp(th["tabrow"], max(0, y) / (STRIP_SHOW + 24))
    if cy == TAB_Y + 24:
        return hexrgb(th["body_edge"])
    if y >= STRIP_H - 1:
        return hexrgb(th["body_edge"])
    return ramp(th["body"], (cy - 25) / (STRIP_H - STRIP_SHOW - 26))


def frame_colour(th, ry, on=False):
    """Face colour of a group frame at frame row ry (what a button lies on)."""
    if ry >= FRAME_H - CAPTION_BAND - 3:
        t = (ry - (FRAME_H - CAPTION_BAND - 3)) / (CAPTION_BAND)
        return ramp(th["band_on" if on else "band"], t)
    return ramp(th["frame_on" if on else "frame"], ry / (FRAME_H - CAPTION_BAND - 3))


def coverage_round_rect(x, y, w, h, r, sub=4):
    """Fraction of pixel (x, y) inside a rectangle 0..w, 0..h with corner radius r."""
    inside = 0
    for sy in range(sub):
        for sx in range(sub):
            px = x + (sx + 0.5) / sub
            py = y + (sy + 0.5) / sub
            if px < 0 or py < 0 or px > w or py > h:
                continue
            cx = min(max(px, r), w - r)
            cy = min(max(py, r), h - r)
            if (px - cx) ** 2 + (py - cy) ** 2 <= r * r:
                inside += 1
    return inside / (sub * sub)


def shape(w, h, r, face, border, under, inner=None, open_bottom=False):
    """A rounded rectangle w x h: face(x, y) -> rgb, a 1-pixel border, an optional
    light inner line, edges smoothed against under(y). Returns RGBA rows."""
    hh = h + r + 2 if open_bottom else h
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            outer = coverage_round_rect(x, y, w, hh, r)
            if outer == 0:
                row.append((0, 0, 0, 0))
                continue
            inner_cov = coverage_round_rect(x - 1, y - 1, w - 2, hh - 2, max(r - 1, 0))
            col = face(x, y)
            if inner is not None:
                in2 = coverage_round_rect(x - 2, y - 2, w - 4, hh - 4, max(r - 2, 0))
                col = mix(hexrgb(inner), col, in2)
            col = mix(hexrgb(border), col, inner_cov)
            col = mix(under(y), col, outer)
            row.append(col + (255,))
        px.append(row)
    return px


def cut(rows, x0, x1):
    return [r[x0:x1] for r in rows]


def save(folder, ident, rows):
    h = len(rows)
    w = len(rows[0])
    flat = [p if len(p) == 4 else p + (255,) for r in rows for p in r]
    write_gif(os.path.join(folder, "%d.gif" % ident), w, h, flat)


def make_theme(name, th, out):
    folder = os.path.join(out, name)
    os.makedirs(folder, exist_ok=True)

    # 101-103: the strip and its ends. The ends stand where the strip is
    # anyway (left 0 and 32 pixels), so they carry the strip's own colours.
    strip = [[strip_colour(th, y) + (255,) for _ in range(11)] for y in range(STRIP_H)]
    save(folder, 101, strip)
    for ident in (102, 103):
        save(folder, ident, [r[:7] for r in strip])

    # 121-126: group frames, whole frame 40 wide, cut 4 | middle | 5.
    def frame(on):
        def face(x, y):
            return frame_colour(th, y, on)
        under = lambda y: strip_colour(th, STRIP_SHOW + FRAME_Y + y)  # noqa: E731
        rows = shape(40, FRAME_H, 3, face,
                     th["frame_border_on" if on else "frame_border"], under,
                     inner=th["frame_inner"])
        # A fine line between the face and the caption band.
        ry = FRAME_H - CAPTION_BAND - 3
        for x in range(2, 38):
            rows[ry][x] = mix(hexrgb(th["frame_border"]), frame_colour(th, ry, on), 0.5) + (255,)
        return rows
    off = frame(False)
    on = frame(True)
    save(folder, 121, cut(off, 0, 4))
    save(folder, 122, cut(off, 10, 15))
    save(folder, 123, cut(off, 35, 40))
    save(folder, 124, cut(on, 0, 4))
    save(folder, 125, cut(on, 10, 14))
    save(folder, 126, cut(on, 35, 40))

    # 127-132: tabs, whole tab 38 wide with an open bottom joining the body.
    def tab(fill, border):
        under = lambda y: strip_colour(th, STRIP_SHOW + TAB_Y + y)  # noqa: E731
        face = lambda x, y: ramp(fill, y / 23)  # noqa: E731
        return shape(38, 24, 4, face, border, under, open_bottom=True)
    sel = tab(th["tab"], th["tab_border"])
    # The selected tab opens into the body: its foot takes the body's colour.
    for x in range(1, 37):
        sel[23][x] = strip_colour(th, STRIP_SHOW + 25) + (255,)
    save(folder, 127, cut(sel, 0, 10))
    save(folder, 128, cut(sel, 10, 28))
    save(folder, 129, cut(sel, 28, 38))
    over = tab(th["tab_over"], th["tab_over_border"])
    wide = [r[:10] + [r[12]] * 37 + r[28:] for r in over]
    save(folder, 130, cut(wide, 0, 10))
    save(folder, 131, cut(wide, 10, 47))
    save(folder, 132, cut(wide, 47, 57))

    # 118-120: the launcher (a small corner arrow), normal, hot, pressed.
    band_under = frame_colour(th, FRAME_H - 6)
    for ident, look in ((118, None), (119, HOT), (120, PRESSED)):
        if look is None:
            face = lambda x, y: band_under  # noqa: E731
            rows = [[band_under + (255,) for _ in range(15)] for _ in range(14)]
        else:
            face = lambda x, y, f=look["fill"]: ramp(f, y / 13)  # noqa: E731
            rows = shape(15, 14, 2, face, look["border"], lambda y: band_under)
        ink = hexrgb(th["launcher"] if look is None else "5a3a10")
        # corner bracket and a diagonal arrow toward the lower right
        for i in range(4, 11):
            rows[4][i] = ink + (255,)
            rows[i - 1][4] = ink + (255,)
        for i in range(0, 5):
            rows[6 + i][6 + i] = ink + (255,)
        for i in range(7, 11):
            rows[10][i] = ink + (255,)
            rows[i][10] = ink + (255,)
        if look is None:
            rows = [[p if p[:3] == ink else (0, 0, 0, 0) for p in r] for r in rows]
        save(folder, ident, rows)

    # 133-134: the "more" glyph, a small down-pointing triangle.
    for ident, colour in ((133, th["glyph"]), (134, th["glyph_on"])):
        c = hexrgb(colour) + (255,)
        clear = (0, 0, 0, 0)
        rows = [[c] * 5, [clear, c, c, c, clear], [clear, clear, c, clear, clear],
                [clear] * 5]
        save(folder, ident, rows)

    # 135-140: the button looks, whole button 55 wide, cut 3 | 49 | 3.
    for first, look in ((135, PRESSED), (138, HOT)):
        under = lambda y: frame_colour(th, BUTTON_Y - FRAME_Y + y)  # noqa: E731
        face = lambda x, y, f=look["fill"]: ramp(f, y / 65)  # noqa: E731
        rows = shape(55, 66, 3, face, look["border"], under, inner=look["inner"])
        save(folder, first, cut(rows, 0, 3))
        save(folder, first + 1, cut(rows, 3, 52))
        save(folder, first + 2, cut(rows, 52, 55))

    # 141: the host's background (a soft gradient with a sweep), 1 x 1 in SILVER.
    if th["background"] is None:
        save(folder, 141, [[hexrgb("d0d4dd") + (255,)]])
    else:
        w, h = 499, 157
        sw = hexrgb(th["swoosh"])
        rows = []
        for y in range(h):
            row = []
            for x in range(w):
                c = ramp(th["background"], (y / h) * 0.7 + (x / w) * 0.3)
                # two gentle arcs across the picture
                for k, a in ((0.55, 0.35), (0.75, 0.2)):
                    yy = h * k - 60 * ((x / w - 0.5) ** 2) * 4 + 20
                    d = abs(y - yy)
                    if d < 14:
                        c = mix(c, sw, a * (1 - d / 14))
                row.append(c + (255,))
            rows.append(row)
        save(folder, 141, rows)

    # 104-117: pictures kept in the set though nothing loads them.
    sizes = [(40, 23), (49, 45)] + [(13 + (i % 10), 26) for i in range(12)]
    for ident, (w, h) in zip(range(104, 118), sizes):
        face = lambda x, y, hh=h: ramp(th["frame"], y / max(1, hh - 1))  # noqa: E731
        rows = shape(w, h, 2, face, th["frame_border"], lambda y: strip_colour(th, 60))
        save(folder, ident, rows)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "ribbon")
    for name, th in THEMES.items():
        make_theme(name, th, out)


if __name__ == "__main__":
    main()
