"""The message window: frame pieces (four pulse pictures each), fill, menu cursor, page mark.
All 16x16 or smaller; the window draws them at scale 2."""
from common import PAL, svg, strip, poly, rect

FILL = "#0e1a3a"
PULSE = ["#3c6ab4", "#5a8ee0", "#8cc4ff", "#5a8ee0"]


def _master(p):
    """A whole 48x48 window; each piece is one 16x16 tile of it."""
    return (f'<rect x="5.5" y="5.5" width="37" height="37" rx="5" fill="{FILL}" '
            f'fill-opacity="0.9" stroke="{PAL["ink"]}" stroke-width="3"/>'
            f'<rect x="5.5" y="5.5" width="37" height="37" rx="5" fill="none" '
            f'stroke="{PULSE[p]}" stroke-width="1.6"/>'
            f'<rect x="8" y="8" width="32" height="32" rx="3" fill="none" '
            f'stroke="#ffffff" stroke-opacity="0.18" stroke-width="0.8"/>')


def _tile(p, tx, ty):
    return f'<g transform="translate({-16 * tx} {-16 * ty})">{_master(p)}</g>'


def _pieces(tiles):
    return strip(16, 16, [_tile(p, tx, ty) for tx, ty in tiles for p in range(4)])


def fill():
    return svg(16, 16, rect(0, 0, 16, 16, FILL, 'fill-opacity="0.9"'))


def cursor():
    frames = []
    for k in range(8):
        dx = [0, 0.5, 1, 1.5, 2, 1.5, 1, 0.5][k]
        glow = ["#ffd040", "#ffe070", "#fff0a0", "#ffffff", "#fff0a0", "#ffe070", "#ffd040",
                "#ffc020"][k]
        s = poly([(0.5 + dx, 2), (7.5, 8), (0.5 + dx, 14)], glow,
                 f'stroke="{PAL["ink"]}" stroke-width="1"')
        frames.append(s)
    return strip(8, 16, frames)


def page_mark():
    frames = []
    for k in range(2):
        y = 3 + 2 * k
        frames.append(poly([(3, y), (13, y), (8, y + 8)], "#ffffff" if k == 0 else "#ffd040",
                           f'stroke="{PAL["ink"]}" stroke-width="1"'))
    return strip(16, 16, frames)


ART = {
    "window_top_corners.svg": lambda: _pieces([(0, 0), (2, 0)]),     # 144-151
    "window_bottom_corners.svg": lambda: _pieces([(0, 2), (2, 2)]),  # 152-159
    "window_edges.svg": lambda: _pieces([(1, 0), (1, 2)]),           # 160-167
    "window_sides.svg": lambda: _pieces([(0, 1), (2, 1)]),           # 168-175
    "window_fill.svg": fill, "menu_cursor.svg": cursor, "page_mark.svg": page_mark,
}
