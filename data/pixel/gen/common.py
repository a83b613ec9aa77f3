"""Helpers shared by the art generators: SVG documents, frame strips, gradients, the palette
and a stroke font for lettering (so no system font decides how the art looks)."""
import math

# One palette for the whole game. Light comes from the top left.
PAL = {
    # the player's side: white-blue hull, cyan energy
    "hull_hi": "#f4f8ff", "hull": "#c9d6ea", "hull_mid": "#8ea3c4", "hull_dk": "#4d5f80",
    "canopy": "#16305a", "canopy_hi": "#6fb6ff", "cyan": "#40d8ff", "cyan_hi": "#d8f8ff",
    "tread": "#2a2f38", "tread_hi": "#5a6270",
    # the enemy side: rust red, ochre, violet, on gunmetal
    "rust": "#c4503c", "rust_hi": "#f08a64", "rust_dk": "#6e2620",
    "ochre": "#d09a34", "ochre_hi": "#f6d47a", "ochre_dk": "#6e4a14",
    "violet": "#8a56b8", "violet_hi": "#c7a0ee", "violet_dk": "#3e2258",
    "gun": "#4a4c56", "gun_hi": "#8a8e9c", "gun_dk": "#22232a",
    "magenta": "#ff3c9a", "orange": "#ff7a1c",
    # ground and walls
    "floor": "#4c5448", "floor_hi": "#5c6656", "floor_dk": "#3a4036", "floor_ln": "#30352c",
    "wall": "#8c929c", "wall_hi": "#c4cad2", "wall_dk": "#4a4e58", "hazard": "#e0b030",
    "ink": "#0c0e16",
}


def svg(w, h, body, defs=""):
    """A complete SVG document of w x h pixels."""
    d = f"<defs>{defs}</defs>\n" if defs else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{d}{body}\n</svg>\n')


def strip(w, h, frames, defs=""):
    """Frames side by side, each clipped to its own w x h cell so nothing bleeds over."""
    clips, parts = [], []
    for k, body in enumerate(frames):
        clips.append(f'<clipPath id="cell{k}"><rect x="0" y="0" width="{w}" height="{h}"/>'
                     f'</clipPath>')
        parts.append(f'<g transform="translate({k * w} 0)"><g clip-path="url(#cell{k})">'
                     f'{body}</g></g>')
    return svg(w * len(frames), h, "\n".join(parts), defs + "".join(clips))


def lin(id_, stops, x1=0, y1=0, x2=1, y2=1):
    """A linear gradient over the object's box; stops are (offset, colour[, opacity])."""
    s = "".join(_stop(st) for st in stops)
    return (f'<linearGradient id="{id_}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{s}'
            f'</linearGradient>')


def rad(id_, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    s = "".join(_stop(st) for st in stops)
    return (f'<radialGradient id="{id_}" cx="{cx}" cy="{cy}" r="{r}" fx="{fx}" fy="{fy}">{s}'
            f'</radialGradient>')


def _stop(st):
    off, col = st[0], st[1]
    op = f' stop-opacity="{st[2]}"' if len(st) > 2 else ""
    return f'<stop offset="{off}" stop-color="{col}"{op}/>'


def poly(points, fill, extra=""):
    pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}" {extra}/>'


def rect(x, y, w, h, fill, extra=""):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill}" {extra}/>'


def circle(cx, cy, r, fill, extra=""):
    return f'<circle cx="{cx:.2f}" cy="{cy:.2f}" r="{r:.2f}" fill="{fill}" {extra}/>'


def star(cx, cy, r_out, r_in, n, rot=0.0):
    """Points of an n-pointed star."""
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = rot + math.pi * i / n
        pts.append((cx + r * math.sin(a), cy - r * math.cos(a)))
    return pts


def lerp_col(a, b, t):
    """Mixes two #rrggbb colours."""
    ca = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    cb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * t):02x}" for x, y in zip(ca, cb))


# Stroke font: each glyph is a list of polylines on a 4 x 6 grid (x right, y down).
FONT = {
    "A": [[(0, 6), (0, 1.5), (1.5, 0), (2.5, 0), (4, 1.5), (4, 6)], [(0, 3.6), (4, 3.6)]],
    "B": [[(0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)], [(3, 3), (4, 4), (4, 5), (3, 6),
                                                             (0, 6), (0, 0)]],
    "C": [[(4, 0), (1, 0), (0, 1), (0, 5), (1, 6), (4, 6)]],
    "D": [[(0, 0), (2.6, 0), (4, 1.4), (4, 4.6), (2.6, 6), (0, 6), (0, 0)]],
    "E": [[(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3, 3)]],
    "F": [[(4, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]],
    "G": [[(4, 0), (1, 0), (0, 1), (0, 5), (1, 6), (4, 6), (4, 3), (2.2, 3)]],
    "H": [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
    "I": [[(0.8, 0), (3.2, 0)], [(2, 0), (2, 6)], [(0.8, 6), (3.2, 6)]],
    "J": [[(4, 0), (4, 5), (3, 6), (1, 6), (0, 5)]],
    "K": [[(0, 0), (0, 6)], [(4, 0), (1.2, 3), (4, 6)], [(0, 3), (1.2, 3)]],
    "L": [[(0, 0), (0, 6), (4, 6)]],
    "M": [[(0, 6), (0, 0), (1, 0), (2, 1.8), (3, 0), (4, 0), (4, 6)]],
    "N": [[(0, 6), (0, 0), (1, 0), (3, 6), (4, 6), (4, 0)]],
    "O": [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]],
    "P": [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2.2), (3, 3.2), (0, 3.2)]],
    "Q": [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)],
          [(2.6, 4.4), (4, 6)]],
    "R": [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2.2), (3, 3.2), (0, 3.2)], [(2, 3.2), (4, 6)]],
    "S": [[(4, 0), (1, 0), (0, 1), (0, 2), (1, 3), (3, 3), (4, 4), (4, 5), (3, 6), (0, 6)]],
    "T": [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
    "U": [[(0, 0), (0, 5), (1, 6), (3, 6), (4, 5), (4, 0)]],
    "V": [[(0, 0), (0, 3.4), (2, 6), (4, 3.4), (4, 0)]],
    "W": [[(0, 0), (0, 6), (1, 6), (2, 4.2), (3, 6), (4, 6), (4, 0)]],
    "X": [[(0, 0), (4, 6)], [(4, 0), (0, 6)]],
    "Y": [[(0, 0), (2, 3), (4, 0)], [(2, 3), (2, 6)]],
    "Z": [[(0, 0), (4, 0), (0, 6), (4, 6)]],
    "0": [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]],
    "1": [[(0.8, 1.4), (1.8, 0), (2.2, 0), (2.2, 6)], [(0.8, 6), (3.6, 6)]],
    "2": [[(0, 1), (1, 0), (3, 0), (4, 1), (4, 2.4), (0, 5.2), (0, 6), (4, 6)]],
    "3": [[(0, 0), (4, 0), (2, 2.6), (3, 2.6), (4, 3.6), (4, 5), (3, 6), (0, 6)]],
    "4": [[(3, 6), (3, 0), (2, 0), (0, 3.4), (0, 4), (4, 4)]],
    "5": [[(4, 0), (0, 0), (0, 2.6), (3, 2.6), (4, 3.6), (4, 5), (3, 6), (0, 6)]],
    "6": [[(3.6, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5), (4, 3.6), (3, 2.8),
           (0, 2.8)]],
    "7": [[(0, 0), (4, 0), (1.6, 6)]],
    "8": [[(1, 0), (3, 0), (4, 1), (4, 2), (3, 3), (1, 3), (0, 4), (0, 5), (1, 6), (3, 6),
           (4, 5), (4, 4), (3, 3)], [(1, 3), (0, 2), (0, 1), (1, 0)]],
    "9": [[(0.4, 6), (3, 6), (4, 5), (4, 1), (3, 0), (1, 0), (0, 1), (0, 2.4), (1, 3.2),
           (4, 3.2)]],
    ":": [[(2, 1.4), (2, 1.6)], [(2, 4.4), (2, 4.6)]],
    "!": [[(2, 0), (2, 3.8)], [(2, 5.6), (2, 5.8)]],
    "(": [[(2.8, 0), (1.4, 1.5), (1.4, 4.5), (2.8, 6)]],
    ")": [[(1.2, 0), (2.6, 1.5), (2.6, 4.5), (1.2, 6)]],
    "-": [[(0.6, 3), (3.4, 3)]],
    ".": [[(2, 5.8), (2, 6)]],
    " ": [],
}


def text_paths(text, x, y, size, spacing=1.5):
    """Path data of a text line: glyph height 6 units = size pixels, top-left at (x, y).
    Returns (path data, width in pixels)."""
    u = size / 6.0
    d, cx = [], x
    for ch in text:
        for line in FONT[ch]:
            d.append("M" + " L".join(f"{cx + px * u:.2f},{y + py * u:.2f}" for px, py in line))
        cx += (4 + spacing) * u
    return " ".join(d), (cx - x) - spacing * u


def lettering(text, cx, top, size, stroke, fill, outline="#0c0e16", out_w=None, spacing=1.5,
              highlight=None):
    """Centred lettering with a dark outline, a coloured stroke and an optional thin highlight."""
    _, width = text_paths(text, 0, 0, size, spacing)
    d, _ = text_paths(text, cx - width / 2, top, size, spacing)
    ow = stroke + 2.5 if out_w is None else out_w
    common = 'fill="none" stroke-linejoin="miter" stroke-linecap="square" stroke-miterlimit="2.4"'
    s = (f'<path d="{d}" {common} stroke="{outline}" stroke-width="{ow:.2f}"/>'
         f'<path d="{d}" {common} stroke="{fill}" stroke-width="{stroke:.2f}"/>')
    if highlight:
        s += (f'<path d="{d}" {common} stroke="{highlight}" stroke-width="{stroke * 0.3:.2f}" '
              f'transform="translate({-stroke * 0.18:.2f} {-stroke * 0.18:.2f})" '
              f'stroke-opacity="0.8"/>')
    return s
