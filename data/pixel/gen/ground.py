"""Floor chips (64x64 tiles that meet any neighbour along a shared panel seam), the arena wall
and the background pattern tile."""
import math
from common import PAL, svg, lin, rad, poly, rect, circle
from effects import _noise

INK = PAL["ink"]
PAINT = "#a08c44"


def _plate(seed, speckles=40):
    """The common base of every floor chip: a plate whose light top-left and dark bottom-right
    rims make the seam between any two chips."""
    s = rect(0, 0, 64, 64, PAL["floor"])
    for i in range(speckles):  # quiet wear, never loud enough to hide a shot
        x, y = 2 + 60 * _noise(i, seed), 2 + 60 * _noise(i, seed + 17)
        tone = PAL["floor_hi"] if _noise(i, seed + 5) > 0.5 else PAL["floor_dk"]
        s += rect(round(x), round(y), 1 + round(_noise(i, seed + 3)), 1, tone,
                  'fill-opacity="0.7"')
    s += rect(0, 0, 64, 1, PAL["floor_hi"]) + rect(0, 0, 1, 64, PAL["floor_hi"])
    s += rect(0, 63, 64, 1, PAL["floor_ln"]) + rect(63, 0, 1, 64, PAL["floor_ln"])
    return s


def _rivets(points):
    s = ""
    for x, y in points:
        s += circle(x, y, 1.4, PAL["floor_hi"]) + circle(x + 0.5, y + 0.5, 0.8, PAL["floor_ln"])
    return s


CORNERS = [(5, 5), (59, 5), (5, 59), (59, 59)]


def plain():
    return svg(64, 64, _plate(1) + _rivets(CORNERS))


def quarters():
    s = _plate(2)
    s += rect(31, 1, 1, 62, PAL["floor_ln"]) + rect(32, 1, 1, 62, PAL["floor_hi"])
    s += rect(1, 31, 62, 1, PAL["floor_ln"]) + rect(1, 32, 62, 1, PAL["floor_hi"])
    s += _rivets([(27, 27), (37, 27), (27, 37), (37, 37)] + CORNERS)
    return svg(64, 64, s)


def grating():
    s = _plate(3, 20)
    s += rect(10, 10, 44, 44, PAL["floor_dk"], f'stroke="{PAL["floor_hi"]}" stroke-width="1"')
    for i in range(7):
        y = 14 + i * 6
        s += rect(14, y, 36, 3, "#20241e") + rect(14, y + 3, 36, 1, PAL["floor_hi"],
                                                  'fill-opacity="0.5"')
    return svg(64, 64, s + _rivets(CORNERS))


def cracked():
    s = _plate(4, 50)
    d = "M6,20 L18,24 L24,34 L36,36 L44,48 L58,52 M24,34 L20,46 L26,56 M36,36 L44,28 L52,30"
    s += f'<path d="{d}" fill="none" stroke="{PAL["floor_ln"]}" stroke-width="1.6"/>'
    s += f'<path d="{d}" fill="none" stroke="{PAL["floor_hi"]}" stroke-width="0.6" transform="translate(0.8 0.8)"/>'
    s += circle(30, 40, 7, "#2a2e26", 'fill-opacity="0.35"')
    return svg(64, 64, s + _rivets([(5, 5), (59, 59)]))


def hatch_quarter(qx, qy):
    """One quarter of a 128-pixel round hatch that spans cells 10, 11 / 12, 13."""
    cx, cy = 64 - 64 * qx, 64 - 64 * qy  # the hatch centre in this chip's coordinates
    defs = rad("hatch", [(0, "#5c6656"), (0.8, "#484f44"), (1, "#3a4036")], 0.5, 0.5, 0.5)
    s = _plate(10 + qx + 2 * qy, 20)
    s += (f'<circle cx="{cx}" cy="{cy}" r="52" fill="{PAL["floor_dk"]}" stroke="{PAL["floor_ln"]}" stroke-width="2"/>'
          f'<circle cx="{cx}" cy="{cy}" r="48" fill="url(#hatch)" stroke="{PAL["floor_hi"]}" stroke-width="1"/>'
          f'<circle cx="{cx}" cy="{cy}" r="30" fill="none" stroke="{PAL["floor_ln"]}" stroke-width="1.5"/>'
          f'<circle cx="{cx}" cy="{cy}" r="40" fill="none" stroke="{PAINT}" stroke-width="3" '
          f'stroke-dasharray="10 8" stroke-opacity="0.55"/>')
    for i in range(16):
        a = i * math.pi / 8 + math.pi / 16
        s += circle(cx + 50 * math.cos(a), cy + 50 * math.sin(a), 1.2, PAL["floor_hi"])
    s += rect(cx - 2, cy - 30, 4, 60, PAL["floor_ln"]) + rect(cx - 30, cy - 2, 60, 4, PAL["floor_ln"])
    return svg(64, 64, s, defs)


def zone(sx, sy):
    """The painted border of a marked zone: sx, sy in -1, 0, 1 say which side of the zone this
    chip is on (0, 0 is the inside, which is the plain chip)."""
    s = _plate(20 + sx * 3 + sy * 7, 30)
    w = 5  # the painted line runs 6 pixels in from the chip's outer side
    band = []
    if sy == -1: band.append((0 if sx != -1 else 6, 6, 64 - (6 if sx == -1 else 0) - (6 if sx == 1 else 0), w))
    if sy == 1: band.append((0 if sx != -1 else 6, 53, 64 - (6 if sx == -1 else 0) - (6 if sx == 1 else 0), w))
    if sx == -1: band.append((6, 0 if sy != -1 else 6, w, 64 - (6 if sy == -1 else 0) - (6 if sy == 1 else 0)))
    if sx == 1: band.append((53, 0 if sy != -1 else 6, w, 64 - (6 if sy == -1 else 0) - (6 if sy == 1 else 0)))
    for x, y, bw, bh in band:
        s += rect(x, y, bw, bh, PAINT, 'fill-opacity="0.6"')
        # worn stripes across the paint
        for i in range(0, 64, 8):
            if bw > bh:
                s += poly([(x + i, y), (x + i + 4, y), (x + i + 4 - w, y + bh), (x + i - w, y + bh)],
                          PAL["floor_dk"], 'fill-opacity="0.55"')
            else:
                s += poly([(x, y + i), (x, y + i + 4), (x + bw, y + i + 4 - w), (x + bw, y + i - w)],
                          PAL["floor_dk"], 'fill-opacity="0.55"')
    if sx and sy:
        s += _rivets([(32 - 20 * sx, 32 - 20 * sy)])
    return svg(64, 64, s)


# -- wall ------------------------------------------------------------------------------------

def _block(x, y, w, h):
    """A raised steel block lit from the top left."""
    return (rect(x, y, w, h, PAL["wall"]) + rect(x, y, w, 2, PAL["wall_hi"]) +
            rect(x, y, 2, h, PAL["wall_hi"]) + rect(x, y + h - 2, w, 2, PAL["wall_dk"]) +
            rect(x + w - 2, y, 2, h, PAL["wall_dk"]) +
            rect(x + 4, y + 4, w - 8, h - 8, "#9aa0aa", 'fill-opacity="0.5"'))


_ids = [0]


def _hazard(x, y, w, h):
    _ids[0] += 1
    cid = f"hz{_ids[0]}"
    s = rect(x, y, w, h, "#20222a")
    n = int(max(w, h) / 6) + 2
    for i in range(-1, n):
        if w >= h:
            s += poly([(x + i * 6, y), (x + i * 6 + 3, y), (x + i * 6 + 3 - h, y + h), (x + i * 6 - h, y + h)],
                      PAL["hazard"], f'clip-path="url(#{cid})"')
        else:
            s += poly([(x, y + i * 6), (x, y + i * 6 + 3), (x + w, y + i * 6 + 3 - w), (x + w, y + i * 6 - w)],
                      PAL["hazard"], f'clip-path="url(#{cid})"')
    return f'<clipPath id="{cid}"><rect x="{x}" y="{y}" width="{w}" height="{h}"/></clipPath>' + s


def wall_corner():
    s = _block(0, 0, 32, 32)
    s += circle(16, 16, 7, PAL["wall_dk"]) + circle(15, 15, 5.5, PAL["wall_hi"])
    s += circle(16, 16, 4, PAL["wall"]) + circle(16, 16, 1.8, PAL["hazard"])
    return svg(32, 32, s)


def wall_horizontal(inner_bottom):
    """A 64x32 edge piece: two blocks and a hazard lip on the side that faces the field."""
    s = _block(0, 0, 32, 32) + _block(32, 0, 32, 32)
    y = 26 if inner_bottom else 0
    s += _hazard(0, y, 64, 6)
    for x in (8, 24, 40, 56):
        s += circle(x, 13 if inner_bottom else 19, 1.5, PAL["wall_dk"])
    return svg(64, 32, s)


def wall_vertical(inner_right):
    """A 32x64 side piece made of two equal halves, since its top half is also the end piece."""
    s = _block(0, 0, 32, 32) + _block(0, 32, 32, 32)
    x = 26 if inner_right else 0
    s += _hazard(x, 0, 6, 64)
    for y in (8, 24, 40, 56):
        s += circle(13 if inner_right else 19, y, 1.5, PAL["wall_dk"])
    return svg(32, 64, s)


def wall_gate():
    """The bottom middle piece, where the tank rolls in."""
    s = _block(0, 0, 64, 32)
    s += rect(10, 0, 44, 32, "#1a1c24") + rect(12, 0, 40, 30, "#2c303c")
    for i in range(5):
        s += rect(14, 3 + i * 6, 36, 2, "#3c4250")
    s += _hazard(0, 0, 10, 32) + _hazard(54, 0, 10, 32)
    for x in (16, 48):
        s += circle(x, 4, 1.8, PAL["cyan"])
    return svg(64, 32, s)


def pattern_tile():
    s = ""
    pts = [(16 + 13 * math.cos(a), 16 + 13 * math.sin(a)) for a in
           [i * math.pi / 3 + math.pi / 6 for i in range(6)]]
    s += poly(pts, "none", 'stroke="#c8dcff" stroke-width="2"')
    s += poly([(16, 9), (22, 16), (16, 23), (10, 16)], "#c8dcff")
    s += rect(0, 15, 3, 2, "#c8dcff") + rect(29, 15, 3, 2, "#c8dcff")
    return svg(32, 32, s)


def _inner(doc):
    """The body of a generated document, to put several into one strip."""
    return doc[doc.index(">", doc.index("<svg")) + 1:doc.rindex("</svg>")]


def _strip_docs(w, h, docs):
    body = "".join(f'<g transform="translate({k * w} 0)">{_inner(d)}</g>'
                   for k, d in enumerate(docs))
    return svg(w * len(docs), h, body)


ART = {
    "floor_plain.svg": plain,
    "floor_quarters.svg": quarters,
    "floor_grating.svg": grating,
    "floor_cracked.svg": cracked,
    # cells 10, 11 over 12, 13: one round hatch across four chips
    "floor_hatch_top.svg": lambda: _strip_docs(64, 64, [hatch_quarter(0, 0), hatch_quarter(1, 0)]),
    "floor_hatch_bottom.svg": lambda: _strip_docs(64, 64, [hatch_quarter(0, 1),
                                                           hatch_quarter(1, 1)]),
    # cells 14 15 16 / 17 (7) 18 / 19 20 21: the painted border round a marked zone
    "floor_zone_top.svg": lambda: _strip_docs(64, 64, [zone(x, -1) for x in (-1, 0, 1)]),
    "floor_zone_left.svg": lambda: zone(-1, 0),
    "floor_zone_right.svg": lambda: zone(1, 0),
    "floor_zone_bottom.svg": lambda: _strip_docs(64, 64, [zone(x, 1) for x in (-1, 0, 1)]),
    "wall_corners.svg": lambda: _strip_docs(32, 32, [wall_corner()] * 4),
    "wall_top.svg": lambda: wall_horizontal(True),
    "wall_bottom.svg": lambda: wall_horizontal(False),
    "wall_gate.svg": wall_gate,
    "wall_sides.svg": lambda: _strip_docs(32, 64, [wall_vertical(True), wall_vertical(False)]),
    "pattern.svg": pattern_tile,
}
