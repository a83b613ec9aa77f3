"""Logos, the title's pictures and side-view tank, the game-over letters and pictures, the
demo mark and the conversation picture."""
import math
from common import PAL, svg, strip, lin, rad, poly, rect, circle, star, lettering, lerp_col
from effects import _noise

INK = PAL["ink"]


def _emblem(cx, cy, r, colour):
    """The game's emblem: a tank's tread wheel inside a hexagon."""
    pts = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in
           [i * math.pi / 3 + math.pi / 6 for i in range(6)]]
    s = poly(pts, "none", f'stroke="{colour}" stroke-width="{r * 0.12:.2f}"')
    s += circle(cx, cy, r * 0.55, "none", f'stroke="{colour}" stroke-width="{r * 0.1:.2f}"')
    for i in range(8):
        a = i * math.pi / 4
        s += circle(cx + r * 0.55 * math.cos(a), cy + r * 0.55 * math.sin(a), r * 0.09, colour)
    s += circle(cx, cy, r * 0.18, colour)
    return s


def logo_engine():
    """First power-on logo, drawn additively on black: only light counts."""
    s = _emblem(34, 32, 24, "#ff9030")
    s += poly(star(34, 32, 10, 4, 5), "#ffe0a0")
    s += lettering("KILN", 122, 12, 24, 3.6, "#ffb050", outline="#000000", out_w=3.6, spacing=1.8)
    s += lettering("ENGINE", 122, 44, 10, 1.6, "#c07030", outline="#000000", out_w=1.6, spacing=2.2)
    return svg(192, 64, s)


def logo_team():
    s = _emblem(96, 40, 30, "#40b0ff")
    s += lettering("TEAM ZENTAKU", 96, 82, 14, 2.4, "#a0e0ff", outline="#000000", out_w=2.4)
    s += lettering("PRESENTS", 96, 108, 9, 1.5, "#3880c0", outline="#000000", out_w=1.5,
                   spacing=2.4)
    return svg(192, 128, s)


def title_logo():
    defs = (lin("tl", [(0, "#ffffff"), (0.45, "#a8d8ff"), (0.55, "#3c8ce0"), (1, "#b8e4ff")],
                0, 0, 0, 1) +
            lin("tlo", [(0, "#102040"), (1, "#04081a")], 0, 0, 0, 1))
    s = lettering("ZENTAKU", 256, 16, 74, 14, "url(#tl)", outline="url(#tlo)", out_w=22,
                  spacing=1.6, highlight="#ffffff")
    # the tail: a row of joints running under the name
    for i in range(12):
        x = 62 + i * 35
        s += circle(x, 112, 6.5, "#0a1430") + circle(x, 112, 5, PAL["hull_mid"] if i % 3 else "#ff9028")
        s += circle(x - 1.5, 110.5, 1.6, "#ffffff", 'fill-opacity="0.8"')
    return svg(512, 127, s, defs)


def title_badge():
    s = rect(4, 10, 184, 44, "#0c1830", f'rx="8" stroke="{PAL["cyan"]}" stroke-width="2"')
    s += lettering("TAIL TANK", 96, 16, 14, 2.6, "#ffffff", outline="#0c1830", out_w=2.6)
    s += lettering("ACTION", 96, 36, 12, 2.2, "#ffb030", outline="#0c1830", out_w=2.2,
                   spacing=2.2)
    return svg(192, 64, s)


def title_credit():
    s = lettering("(C) 2026 TEAM ZENTAKU", 120, 18, 11, 1.8, "#c8d4e8", out_w=4)
    return svg(240, 48, s)


# -- the title's side-view tank, facing left -------------------------------------------------

def _side_lit(id_, hi, mid, dk):
    return lin(id_, [(0, hi), (0.5, mid), (1, dk)], 0, 0, 0, 1)


def title_body():
    defs = _side_lit("tb", PAL["hull_hi"], PAL["hull"], PAL["hull_dk"])
    s = poly([(2, 22), (12, 9), (52, 9), (62, 15), (62, 27), (6, 27)], "url(#tb)",
             f'stroke="{INK}" stroke-width="1.2"')
    s += rect(14, 17, 44, 2.5, PAL["cyan"])
    s += poly([(8, 21), (14, 13), (22, 13), (22, 21)], PAL["canopy"])
    s += poly([(10, 20), (15, 14), (18, 14), (14, 20)], PAL["canopy_hi"], 'fill-opacity="0.7"')
    for x in (30, 38, 46):
        s += rect(x, 12, 5, 2, PAL["hull_mid"])
    return svg(64, 32, s, defs)


def title_joint():
    defs = _side_lit("tj", PAL["hull"], PAL["hull_mid"], PAL["hull_dk"])
    s = rect(0, 16, 64, 4, PAL["gun"], f'stroke="{INK}" stroke-width="1"')
    s += rect(9, 8, 46, 19, "url(#tj)", f'rx="8" stroke="{INK}" stroke-width="1.2"')
    s += rect(14, 16, 36, 2, PAL["cyan"])
    s += circle(32, 13, 2.2, "#ff9028")
    return svg(64, 32, s, defs)


def title_treads():
    frames = []
    for k in range(2):
        s = rect(3, 6, 58, 20, PAL["tread"], f'rx="10" stroke="{INK}" stroke-width="1.2"')
        for i in range(15):  # tread links, moved half a link in the second frame
            x = 6 + i * 4 + 2 * k
            if x < 58:
                s += rect(x, 6.5, 2, 2, PAL["tread_hi"]) + rect(x, 23.5, 2, 2, PAL["tread_hi"])
        for x in (13, 25, 39, 51):
            s += circle(x, 16, 6, PAL["gun"], f'stroke="{INK}" stroke-width="1"')
            a = k * math.pi / 4
            for j in range(2):
                b = a + j * math.pi / 2
                s += (f'<line x1="{x - 4 * math.cos(b):.2f}" y1="{16 - 4 * math.sin(b):.2f}" '
                      f'x2="{x + 4 * math.cos(b):.2f}" y2="{16 + 4 * math.sin(b):.2f}" '
                      f'stroke="{PAL["gun_hi"]}" stroke-width="1.4"/>')
            s += circle(x, 16, 1.6, PAL["gun_hi"])
        frames.append(s)
    return strip(64, 32, frames)


def title_turret():
    defs = _side_lit("tt", PAL["hull_hi"], PAL["hull"], PAL["hull_dk"])
    frames = []
    for k, w in enumerate([7, 4, 1, 4]):  # the radar dish turning
        s = rect(1, 21, 14, 3.5, PAL["hull_mid"], f'stroke="{INK}" stroke-width="1"')
        s += poly([(8, 32), (10, 17), (26, 17), (30, 32)], "url(#tt)",
                  f'stroke="{INK}" stroke-width="1.2"')
        s += rect(22, 7, 1.5, 11, PAL["gun"])
        s += f'<ellipse cx="22.75" cy="7" rx="{w}" ry="2.5" fill="{PAL["cyan"]}" stroke="{INK}" stroke-width="0.8"/>'
        s += circle(13, 24, 1.6, "#ff4040" if k % 2 == 0 else "#602020")
        frames.append(s)
    return strip(32, 32, frames, defs)


# -- game over -------------------------------------------------------------------------------

def _big_letter(ch):
    defs = lin("gl", [(0, "#ffe0a0"), (0.5, "#ff6a2a"), (1, "#8a1a10")], 0, 0, 0, 1)
    return defs + lettering(ch, 32, 6, 50, 10, "url(#gl)", out_w=15, highlight="#fff4d0")


def over_letters():
    # cells 36..40; the six letters on screen read Z E N / F I N (cell 37 twice)
    return strip(64, 64, [_big_letter(c) for c in "ZNEFI"])


def over_picture():
    defs = lin("op", [(0, "#ff8080"), (0.5, "#e02030"), (1, "#600810")], 0, 0, 0, 1)
    s = rect(4, 30, 312, 132, "#0a0c14", f'rx="12" fill-opacity="0.85" stroke="#e02030" stroke-width="3"')
    s += lettering("GAME OVER", 160, 60, 34, 6.5, "url(#op)", out_w=10.5, spacing=1.4,
                  highlight="#ffd0d0")
    for i in range(7):  # the broken tail
        x = 70 + i * 30 + (4 if i > 3 else 0)
        y = 134 + (6 if i > 3 else 0) * (i % 2)
        s += circle(x, y, 8, "#2a3040", f'stroke="{INK}" stroke-width="1"')
        s += circle(x, y, 4, "#ff9028" if i % 3 == 1 else PAL["hull_mid"])
    return svg(320, 192, s, defs)


def ending_picture():
    defs = lin("ep", [(0, "#fff8c0"), (0.5, "#ffc020"), (1, "#a05a00")], 0, 0, 0, 1)
    s = rect(4, 22, 312, 148, "#0a0c14", f'rx="12" fill-opacity="0.85" stroke="#ffc020" stroke-width="3"')
    s += lettering("MISSION", 160, 40, 36, 6.5, "url(#ep)", out_w=11, highlight="#ffffff")
    s += lettering("COMPLETE", 160, 88, 36, 6.5, "url(#ep)", out_w=11, highlight="#ffffff")
    for i in range(9):
        x = 40 + i * 30
        s += poly(star(x, 148, 7, 3, 5), "#ffe070" if i % 2 else "#ffffff")
    return svg(320, 192, s, defs)


def demo_mark():
    s = rect(3, 8, 234, 48, "#1a0610", f'rx="10" fill-opacity="0.8" stroke="#ff4060" stroke-width="3"')
    s += circle(30, 32, 9, "#ff3050", f'stroke="{INK}" stroke-width="1.5"')
    s += lettering("DEMO PLAY", 136, 20, 24, 4.5, "#ffffff", out_w=7.5, spacing=1.3)
    return svg(240, 64, s)


# -- conversation picture --------------------------------------------------------------------

def briefing_picture():
    """Dusk over the enemy fortress, our tank and its tail on the ridge in front."""
    defs = (lin("sky", [(0, "#0c1030"), (0.55, "#5a2a5a"), (0.8, "#d8603a"), (1, "#ffb060")],
                0, 0, 0, 1) +
            lin("hill", [(0, "#2a2438"), (1, "#0c0a14")], 0, 0, 0, 1))
    s = rect(0, 0, 384, 256, "url(#sky)")
    for i in range(40):
        s += circle(384 * _noise(i, 71), 110 * _noise(i, 72), 0.6 + _noise(i, 73), "#ffffff",
                    f'fill-opacity="{0.3 + 0.6 * _noise(i, 74):.2f}"')
    s += circle(300, 170, 34, "#ffd890", 'fill-opacity="0.9"')
    far = [(0, 190)] + [(x, 170 - 25 * math.sin(x / 40) - 10 * _noise(x, 5)) for x in range(0, 385, 16)] + [(384, 256), (0, 256)]
    s += poly(far, "#3a2a48")
    # the fortress
    s += rect(150, 120, 90, 70, "#181424") + rect(140, 110, 20, 80, "#1e1a2c") + rect(230, 110, 20, 80, "#1e1a2c")
    for x in range(140, 252, 10):
        s += rect(x, 104, 6, 8, "#1e1a2c")
    s += rect(185, 80, 20, 40, "#221c30") + circle(195, 78, 8, "#ff3040")
    for i in range(5):
        s += rect(160 + i * 16, 140, 6, 4, "#ffb040", 'fill-opacity="0.8"')
    s += poly([(195, 78), (80, 0), (120, 0)], "#ffe0a0", 'fill-opacity="0.12"')
    near = [(0, 256), (0, 214)] + [(x, 212 - 12 * math.sin(x / 60 + 1)) for x in range(0, 385, 12)] + [(384, 256)]
    s += poly(near, "url(#hill)")
    # our tank on the ridge, seen from the side, its tail behind it
    for i in range(5):
        x = 60 + i * 24
        s += circle(x, 204 - 3 * math.sin(i), 8, "#0a0810") + circle(x, 204 - 3 * math.sin(i), 3, "#40b0ff" if i != 2 else "#ff9028")
    s += poly([(20, 206), (26, 194), (52, 194), (56, 204), (52, 210), (22, 210)], "#0a0810")
    s += rect(30, 186, 16, 9, "#0a0810") + rect(12, 189, 18, 3, "#0a0810")
    s += rect(0, 0, 384, 256, "none", f'stroke="#c8d4e8" stroke-width="3"')
    return svg(384, 256, s, defs)


ART = {
    "logo_engine.svg": logo_engine, "logo_team.svg": logo_team, "title_logo.svg": title_logo,
    "title_badge.svg": title_badge, "title_credit.svg": title_credit,
    "title_body.svg": title_body, "title_joint.svg": title_joint,
    "title_treads.svg": title_treads, "title_turret.svg": title_turret,
    "over_letters.svg": over_letters, "over_picture.svg": over_picture,
    "ending_picture.svg": ending_picture, "demo_mark.svg": demo_mark,
    "briefing.svg": briefing_picture,
}
