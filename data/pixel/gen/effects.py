"""Shots, flashes, sparks, the explosion, scorch marks, score digits and small markers."""
import math
from common import PAL, svg, strip, lin, rad, poly, rect, circle, star, lettering, lerp_col

INK = PAL["ink"]


def _noise(i, seed):
    """A fixed pseudo-random value in 0..1, so every bake draws the same ragged edges."""
    v = math.sin(i * 12.9898 + seed * 78.233) * 43758.5453
    return v - math.floor(v)


def _blob(cx, cy, r, rough, seed, n=18):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        rr = r * (1 - rough + 2 * rough * _noise(i, seed))
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return pts


def enemy_shot_small():
    frames = []
    for k, (glow, core) in enumerate([(7.5, 3.2), (7, 2.6), (6.6, 2.2), (7, 2.6)]):
        defs_id = f"es{k}"
        frames.append(
            f'<radialGradient id="{defs_id}" cx="0.5" cy="0.5" r="0.5">'
            f'<stop offset="0" stop-color="#ffffff"/><stop offset="0.45" stop-color="#ff9ad0"/>'
            f'<stop offset="1" stop-color="{PAL["magenta"]}"/></radialGradient>' +
            circle(8, 8, glow, "#500028", 'fill-opacity="0.85"') +
            circle(8, 8, glow - 1.4, f"url(#{defs_id})") + circle(8, 8, core, "#ffffff") +
            circle(6.6, 6.6, 1.2, "#ffffff"))
    return strip(16, 16, frames)


def enemy_shot_large():
    frames = []
    for k, (glow, core) in enumerate([(14, 5), (13, 4)]):
        frames.append(
            f'<radialGradient id="el{k}" cx="0.5" cy="0.5" r="0.5">'
            f'<stop offset="0" stop-color="#ffffff"/><stop offset="0.35" stop-color="#ffe080"/>'
            f'<stop offset="0.75" stop-color="{PAL["orange"]}"/><stop offset="1" stop-color="#d02010"/>'
            f'</radialGradient>' +
            circle(16, 16, glow + 1.5, "#ff6010", 'fill-opacity="0.3"') +
            circle(16, 16, glow - 2, "#501008", 'fill-opacity="0.9"') +
            circle(16, 16, glow - 3.5, f"url(#el{k})") + circle(16, 16, core, "#ffffff") +
            circle(13, 13, 2, "#ffffff"))
    return strip(32, 32, frames)


def counter_shot():
    """A spinning three-bladed spark; its mirror image (cell 57) alternates with it."""
    defs = rad("cs", [(0, "#ffffff"), (0.4, "#a0ffe0"), (1, "#20e0a0", 0)])
    s = circle(16, 16, 15, "url(#cs)")
    for i in range(3):
        a = i * 2 * math.pi / 3
        pts = []
        for t in range(7):
            r = 2 + t * 2
            b = a + t * 0.28
            pts.append((16 + r * math.cos(b), 16 + r * math.sin(b)))
        back = [(16 + (2 + t * 1.4) * math.cos(a + t * 0.28 + 0.5),
                 16 + (2 + t * 1.4) * math.sin(a + t * 0.28 + 0.5)) for t in range(6, -1, -1)]
        s += poly(pts + back, "#40ffc0", f'stroke="#0c4a38" stroke-width="0.8"')
    s += circle(16, 16, 4.5, "#ffffff", 'stroke="#20c090" stroke-width="1"')
    return svg(32, 32, s, defs)


def _ring_frames(n, colour, hot, size=32, spark=True):
    frames = []
    c = size / 2
    for k in range(n):
        t = (k + 1) / n
        r = 3 + t * (c - 4)
        op = 1.0 - t * 0.85
        w = 4.5 - 3 * t
        s = circle(c, c, r, "none", f'stroke="{colour}" stroke-width="{w:.2f}" '
                   f'stroke-opacity="{op:.2f}"')
        if k < n // 2:
            s += circle(c, c, (1 - t * 2) * 6 + 1, hot, f'fill-opacity="{op:.2f}"')
        if spark:
            for i in range(6):
                a = i * math.pi / 3 + 0.3
                d = r * 0.8
                s += circle(c + d * math.cos(a), c + d * math.sin(a), 1.6 * (1 - t) + 0.5, hot,
                            f'fill-opacity="{op:.2f}"')
        frames.append(s)
    return frames


def player_shot_flash():
    return strip(32, 32, _ring_frames(8, PAL["cyan"], "#ffffff"))


def enemy_flash_small():
    return strip(32, 32, _ring_frames(8, PAL["magenta"], "#ffd0e8"))


def enemy_flash_large():
    return strip(32, 32, _ring_frames(6, PAL["orange"], "#fff0b0"))


def add_flash():
    s = poly(star(8, 8, 7.8, 2, 4), "#ffd060", 'stroke="#ff8020" stroke-width="0.6"')
    s += circle(8, 8, 2.4, "#ffffff")
    return svg(16, 16, s)


def charge_flash():
    s = circle(8, 8, 6.5, "none", f'stroke="{PAL["cyan"]}" stroke-width="1.5"')
    s += poly(star(8, 8, 7.8, 1.8, 4, math.pi / 4), PAL["cyan_hi"])
    s += circle(8, 8, 2.2, "#ffffff")
    return svg(16, 16, s)


def charge_mark():
    s = circle(8, 8, 6.2, "none", f'stroke="{INK}" stroke-width="3" stroke-opacity="0.6"')
    s += circle(8, 8, 6.2, "none", f'stroke="{PAL["cyan"]}" stroke-width="1.8"')
    for i in range(4):
        a = i * math.pi / 2
        s += circle(8 + 6.2 * math.cos(a), 8 + 6.2 * math.sin(a), 1.3, "#ffffff")
    s += circle(8, 8, 2, PAL["cyan_hi"])
    return svg(16, 16, s)


def enemy_spark():
    frames = []
    for k, (r, op) in enumerate([(15, 1.0), (11, 0.9), (7, 0.7)]):
        s = poly(star(16, 16, r, r * 0.3, 6, 0.2 * k), "#ffe070", f'fill-opacity="{op}"')
        s += poly(star(16, 16, r * 0.6, r * 0.2, 6, 0.5), "#ffffff", f'fill-opacity="{op}"')
        s += circle(16, 16, r * 0.25, "#ffffff")
        frames.append(s)
    return strip(32, 32, frames)


def scorch():
    defs = rad("sc", [(0, "#080604", 0.85), (0.55, "#1a140e", 0.7), (1, "#2a2218", 0)])
    s = poly(_blob(16, 16, 14.5, 0.18, 3, 22), "url(#sc)")
    for i in range(5):
        a = i * 1.3 + 0.4
        d = 5 + 5 * _noise(i, 9)
        s += circle(16 + d * math.cos(a), 16 + d * math.sin(a), 2 + 2 * _noise(i, 4), "#000000",
                    'fill-opacity="0.35"')
    return svg(32, 32, s, defs)


def explosion():
    """Sixteen frames: a white flash, a fireball of hot puffs that swells and darkens, then
    rolling smoke that thins out."""
    puffs = [(0, 0, 1.0), (-5, -4, 0.7), (5, -3, 0.65), (-3, 5, 0.7), (4, 4, 0.6)]
    frames = []
    for k in range(16):
        defs = ""
        s = ""
        if k >= 7:  # smoke first, so the last flames burn in front of it
            u = (k - 7) / 8
            op = 0.9 * (1 - u) ** 0.9 + 0.1
            for n, (dx, dy, size) in enumerate(puffs):
                grey = lerp_col("#2a201c", "#4a484c", u)
                r = (6 + 7 * u) * size + 2
                s += circle(16 + dx * (1 + u), 16 + dy * (1 + u) - 3 * u, r, grey,
                            f'fill-opacity="{op:.2f}"')
                s += circle(16 + dx * (1 + u) - r * 0.3, 16 + dy * (1 + u) - 3 * u - r * 0.3,
                            r * 0.5, lerp_col(grey, "#8a8890", 0.4), f'fill-opacity="{op * 0.6:.2f}"')
        if k <= 11:
            t = k / 11
            heat = min(1.0, k / 7)
            grow = min(1.0, 0.35 + k / 6)
            fade = 1.0 if k < 8 else 1 - (k - 7) * 0.22
            edge = lerp_col("#ff9010", "#a01808", heat)
            hot = lerp_col("#fffff0", "#ffc030", heat)
            defs += (f'<radialGradient id="fb{k}" cx="0.45" cy="0.42" r="0.55">'
                     f'<stop offset="0" stop-color="{hot}"/>'
                     f'<stop offset="0.5" stop-color="{lerp_col("#ffd030", "#ff6a10", heat)}"/>'
                     f'<stop offset="1" stop-color="{edge}"/></radialGradient>')
            for n, (dx, dy, size) in enumerate(puffs):
                r = (13 * grow * size) * (1 - 0.25 * t)
                if r < 1:
                    continue
                s += circle(16 + dx * grow, 16 + dy * grow, r, f"url(#fb{k})",
                            f'fill-opacity="{fade:.2f}"')
            if k < 3:  # the first flash throws short rays
                s += poly(star(16, 16, 15 - 2 * k, 4, 8, 0.2), "#ffffff",
                          f'fill-opacity="{0.9 - 0.25 * k:.2f}"')
                s += circle(16, 16, 5 + 2 * k, "#ffffff")
        if 8 <= k <= 13:  # embers
            for n in range(5):
                a = n * 1.3 + k * 0.2
                d = 8 + k * 0.6
                s += circle(16 + d * math.cos(a), 16 + d * math.sin(a), 1.1, "#ffc040",
                            f'fill-opacity="{1 - (k - 8) / 6:.2f}"')
        frames.append(defs + s)
    return strip(32, 32, frames)


def digits():
    """Score pop-up characters 0..9 and ':' (cells 122..132)."""
    frames = []
    for ch in "0123456789:":
        frames.append(lettering(ch, 16, 4, 24, 4.2, "#ffd040", out_w=7.5, highlight="#ffffff"))
    return strip(32, 32, frames)


def editor_cursor():
    s = ""
    for sx, sy in ((0, 0), (1, 0), (0, 1), (1, 1)):
        x = 1.5 if sx == 0 else 30.5
        y = 1.5 if sy == 0 else 30.5
        dx = 8 if sx == 0 else -8
        dy = 8 if sy == 0 else -8
        d = f"M{x + dx},{y} L{x},{y} L{x},{y + dy}"
        s += f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="3" stroke-linecap="square"/>'
        s += f'<path d="{d}" fill="none" stroke="#ffffff" stroke-width="1.4" stroke-linecap="square"/>'
    return svg(32, 32, s)


ART = {
    "enemy_shot_small.svg": enemy_shot_small, "enemy_shot_large.svg": enemy_shot_large,
    "counter_shot.svg": counter_shot, "player_shot_flash.svg": player_shot_flash,
    "enemy_flash_small.svg": enemy_flash_small, "enemy_flash_large.svg": enemy_flash_large,
    "add_flash.svg": add_flash, "charge_flash.svg": charge_flash, "charge_mark.svg": charge_mark,
    "enemy_spark.svg": enemy_spark, "scorch.svg": scorch, "explosion.svg": explosion,
    "digits.svg": digits, "editor_cursor.svg": editor_cursor,
}
