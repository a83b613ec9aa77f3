"""The player's tank, its tail, its gun and shot, the enemies and the two bosses.
Directional sprites point DOWN in their cells (angle 0 heads down the screen)."""
import math
from common import PAL, svg, strip, lin, rad, poly, rect, circle, star, lerp_col

INK = PAL["ink"]
OUT = f'stroke="{INK}" stroke-width="1"'


def _lit(id_, hi, mid, dk):
    """Top-left light over an object's box."""
    return lin(id_, [(0, hi), (0.45, mid), (1, dk)], 0, 0, 1, 1)


def tank_body():
    defs = (_lit("hull", PAL["hull_hi"], PAL["hull"], PAL["hull_mid"]) +
            rad("dome", [(0, PAL["canopy_hi"]), (0.35, "#2e5c9c"), (1, PAL["canopy"])],
                0.4, 0.35, 0.6))
    tracks = ""
    for x in (2, 23):
        tracks += rect(x, 3, 7, 26, PAL["tread"], f'rx="2" {OUT}')
        for y in range(5, 28, 3):
            tracks += rect(x + 1, y, 5, 1.2, PAL["tread_hi"])
    hull = poly([(9, 3), (23, 3), (27, 7), (27, 23), (21, 30), (11, 30), (5, 23), (5, 7)],
                "url(#hull)", OUT)
    deck = (rect(10, 5, 12, 5, PAL["hull_mid"], 'rx="1"') +
            "".join(rect(11 + 2.5 * i, 6, 1.2, 3, PAL["hull_dk"]) for i in range(4)))
    dome = (f'<ellipse cx="16" cy="18" rx="6.2" ry="7" fill="url(#dome)" {OUT}/>' +
            f'<ellipse cx="14" cy="15.5" rx="2" ry="2.6" fill="{PAL["cyan_hi"]}" '
            f'fill-opacity="0.8"/>')
    lights = circle(11.5, 27, 1.3, PAL["cyan"]) + circle(20.5, 27, 1.3, PAL["cyan"])
    return svg(32, 32, tracks + hull + deck + dome + lights, defs)


def gun():
    defs = lin("barrel", [(0, PAL["hull_hi"]), (0.5, PAL["hull_mid"]), (1, PAL["hull_dk"])],
               0, 0, 1, 0)
    body = (rect(3.5, 5, 9, 11, PAL["hull"], f'rx="2" {OUT}') +
            rect(6, 12, 4, 17, "url(#barrel)", OUT) +
            rect(5, 27, 6, 4, PAL["hull_dk"], f'rx="1" {OUT}') +
            rect(7.2, 14, 1.6, 12, PAL["cyan"], 'fill-opacity="0.9"') +
            rect(5.5, 7, 5, 2, PAL["hull_hi"], 'rx="1"'))
    return svg(16, 32, body, defs)


def _pod(core_defs, core, extra=""):
    defs = _lit("pod", PAL["hull"], PAL["hull_mid"], PAL["hull_dk"]) + core_defs
    stubs = ""
    for x in (3, 24):
        stubs += rect(x, 9, 5, 14, PAL["tread"], f'rx="1.5" {OUT}')
        for y in range(11, 22, 3):
            stubs += rect(x + 1, y, 3, 1, PAL["tread_hi"])
    coupler = rect(14, 1, 4, 6, PAL["hull_dk"], OUT) + rect(14, 25, 4, 6, PAL["hull_dk"], OUT)
    body = circle(16, 16, 10.5, "url(#pod)", OUT)
    return svg(32, 32, coupler + stubs + body + extra + core, defs)


def joint_plain():
    core = (circle(16, 16, 5.5, PAL["hull_dk"], OUT) + circle(16, 16, 3, PAL["canopy"]) +
            circle(15, 15, 1.2, PAL["canopy_hi"]))
    return _pod("", core)


def joint_armed():
    defs = rad("amber", [(0, "#fff6c0"), (0.35, "#ffb030"), (0.8, "#e05010"), (1, "#801808")],
               0.42, 0.4, 0.6)
    spikes = poly(star(16, 16, 14.5, 8.5, 4, math.pi / 4), "#ff9028", OUT)
    core = circle(16, 16, 7, "url(#amber)", OUT) + circle(14, 14, 2, "#fffbe8", 'fill-opacity="0.9"')
    return _pod(defs, core, spikes)


def muzzle_blast():
    frames = []
    for k, (len_, wid, op) in enumerate([(11, 6.5, 1.0), (8, 4.5, 0.75)]):
        outer = poly([(8, 12 - len_ * 0.5), (8 + wid, 12 + 1), (8, 12 + len_),
                      (8 - wid, 12 + 1)], PAL["cyan"], f'fill-opacity="{op * 0.8}"')
        inner = poly([(8, 12 - len_ * 0.25), (8 + wid * 0.5, 12 + 1), (8, 12 + len_ * 0.7),
                      (8 - wid * 0.5, 12 + 1)], "#ffffff", f'fill-opacity="{op}"')
        frames.append(outer + inner + circle(8, 12, 3 - k, "#ffffff"))
    return strip(16, 24, frames)


def player_shot():
    defs = rad("glow", [(0, "#ffffff"), (0.45, PAL["cyan"]), (1, PAL["cyan"], 0)])
    body = (f'<ellipse cx="4" cy="8" rx="4" ry="8" fill="url(#glow)"/>'
            f'<ellipse cx="4" cy="9" rx="1.7" ry="6" fill="#ffffff"/>')
    return svg(8, 16, body, defs)


# -- enemies ---------------------------------------------------------------------------------

def _octagon(cx, cy, r, cut):
    return [(cx - r + cut, cy - r), (cx + r - cut, cy - r), (cx + r, cy - r + cut),
            (cx + r, cy + r - cut), (cx + r - cut, cy + r), (cx - r + cut, cy + r),
            (cx - r, cy + r - cut), (cx - r, cy - r + cut)]


def _bevel_plate(size, r, cut, base, hi, dk, id_):
    """A flat armoured plate lit from the top left: bright top-left rim, dark bottom-right."""
    c = size / 2
    defs = _lit(id_, hi, base, dk)
    s = poly(_octagon(c, c, r, cut), "url(#%s)" % id_, OUT)
    s += poly(_octagon(c, c, r - 2.5, cut - 1), base)
    return defs, s


def small_turret():
    defs = rad("sdome", [(0, PAL["rust_hi"]), (0.5, PAL["rust"]), (1, PAL["rust_dk"])],
               0.38, 0.36, 0.62)
    body = (rect(14, 15, 4, 15, PAL["gun"], OUT) + rect(13.5, 26, 5, 4, PAL["gun_dk"], OUT) +
            rect(15, 17, 1.2, 9, PAL["gun_hi"]) +
            circle(16, 15, 8, "url(#sdome)", OUT) + circle(16, 15, 3, PAL["rust_dk"]) +
            circle(13.5, 12.5, 1.6, "#ffd0b0", 'fill-opacity="0.8"'))
    return svg(32, 32, body, defs)


def small_body():
    defs, s = _bevel_plate(32, 13, 5, PAL["gun"], PAL["gun_hi"], PAL["gun_dk"], "splate")
    for x, y in ((8, 8), (24, 8), (8, 24), (24, 24)):
        s += circle(x, y, 1.2, PAL["gun_hi"]) + circle(x + 0.4, y + 0.4, 0.7, PAL["gun_dk"])
    s += f'<circle cx="16" cy="16" r="10" fill="none" stroke="{PAL["rust"]}" stroke-width="1.2" stroke-dasharray="3 2"/>'
    return svg(32, 32, s, defs)


def middle_turret():
    """A round turret with two long barrels joined by a mantlet, muzzles at (+-8, 22)."""
    defs = (rad("mturret", [(0, PAL["ochre_hi"]), (0.55, PAL["ochre"]), (1, PAL["ochre_dk"])],
                0.38, 0.34, 0.62) +
            lin("mbar", [(0, PAL["gun_hi"]), (0.5, PAL["gun"]), (1, PAL["gun_dk"])], 0, 0, 1, 0))
    body = ""
    for x in (16, 32):
        body += rect(x - 2, 24, 4, 22, "url(#mbar)", OUT)
        body += rect(x - 2.8, 41, 5.6, 5, PAL["gun_dk"], f'rx="1" {OUT}')
    body += rect(12, 27, 24, 6, PAL["gun"], f'rx="2" {OUT}')
    body += (circle(24, 21, 11, "url(#mturret)", OUT) +
             rect(18, 14, 12, 5, PAL["canopy"], f'rx="2" {OUT}') +
             rect(19.5, 15, 4, 1.5, PAL["canopy_hi"]) +
             circle(24, 24.5, 2.2, PAL["ochre_dk"]))
    return svg(48, 48, body, defs)


def middle_body():
    defs, s = _bevel_plate(48, 21, 7, PAL["gun"], PAL["gun_hi"], PAL["gun_dk"], "mplate")
    # hazard chevrons on the rim, so the middle gun reads as its own kind
    for i in range(4):
        a = math.pi / 4 + i * math.pi / 2
        cx, cy = 24 + 15 * math.cos(a), 24 + 15 * math.sin(a)
        s += circle(cx, cy, 2.6, PAL["ochre"], OUT)
    s += f'<rect x="9" y="9" width="30" height="30" rx="4" fill="none" stroke="{PAL["ochre_dk"]}" stroke-width="1.5"/>'
    return svg(48, 48, s, defs)


def large_body():
    defs = (_lit("lbase", PAL["violet_hi"], PAL["violet"], PAL["violet_dk"]) +
            _lit("lpyl", PAL["gun_hi"], PAL["gun"], PAL["gun_dk"]))
    s = poly(_octagon(32, 32, 29, 11), "url(#lpyl)", OUT)
    s += poly(_octagon(32, 32, 25, 9), "url(#lbase)", OUT)
    for x, y in ((10, 10), (54, 10), (10, 54), (54, 54)):
        s += rect(x - 5, y - 5, 10, 10, "url(#lpyl)", f'rx="2" {OUT}')
        s += circle(x, y, 2.2, PAL["magenta"])
    s += circle(32, 32, 17, PAL["violet_dk"], OUT)
    for i in range(12):
        a = i * math.pi / 6
        s += circle(32 + 21 * math.cos(a), 32 + 21 * math.sin(a), 1.1, PAL["violet_hi"])
    return svg(64, 64, s, defs)


def large_turret():
    defs = (rad("lcore", [(0, "#ffffff"), (0.3, "#ff8ad0"), (0.7, PAL["magenta"]),
                          (1, "#7a0a48")], 0.45, 0.45, 0.55) +
            _lit("lring", PAL["gun_hi"], PAL["gun"], PAL["gun_dk"]))
    s = circle(32, 32, 16, "url(#lring)", OUT)
    for i in range(5):  # five emitters: the gun fires five-way fans
        a = i * 2 * math.pi / 5
        ca, sa = math.cos(a), math.sin(a)
        pts = [(-3.5, 12), (3.5, 12), (3, 24), (-3, 24)]
        s += poly([(32 + x * ca - y * sa, 32 + x * sa + y * ca) for x, y in pts],
                  PAL["gun"], OUT)
        s += circle(32 - 22 * sa, 32 + 22 * ca, 1.8, PAL["magenta"])
    s += circle(32, 32, 9, "url(#lcore)", OUT)
    return svg(64, 64, s, defs)


def spit():
    defs = (_lit("wing", "#ff8a8a", "#d8304a", "#6a1020") +
            rad("jet", [(0, "#ffffff"), (0.4, "#ffe070"), (1, "#ff6010", 0)]))
    s = f'<ellipse cx="20" cy="7" rx="6" ry="7" fill="url(#jet)"/>'
    s += poly([(20, 37), (34, 14), (30, 10), (20, 15), (10, 10), (6, 14)], "url(#wing)", OUT)
    s += poly([(20, 33), (24, 15), (20, 7), (16, 15)], PAL["gun"], OUT)
    s += f'<ellipse cx="20" cy="22" rx="2.4" ry="4" fill="{PAL["ochre_hi"]}" {OUT}/>'
    s += rect(9, 13, 4, 1.5, "#ffffff", 'fill-opacity="0.7"') + rect(27, 13, 4, 1.5, "#ffffff", 'fill-opacity="0.7"')
    return svg(40, 40, s, defs)


# -- bosses ----------------------------------------------------------------------------------

def gyro_body():
    defs = (_lit("gyro", "#a4aebe", "#5c6678", "#262c38") +
            _lit("garm", PAL["gun_hi"], PAL["gun"], PAL["gun_dk"]) +
            rad("fan", [(0, "#20242c"), (0.7, "#3a404c"), (1, "#15181e")]))
    s = ""
    hubs = [(13, 14), (115, 14), (13, 108), (115, 108)]
    for hx, hy in hubs:  # struts from the fuselage to the four rotor nacelles
        y0 = 40 if hy < 64 else 92
        s += (f'<path d="M64,{y0} L{hx},{hy}" stroke="{INK}" stroke-width="11" '
              f'stroke-linecap="round"/>'
              f'<path d="M64,{y0} L{hx},{hy}" stroke="{PAL["gun"]}" stroke-width="8.5" '
              f'stroke-linecap="round"/>'
              f'<path d="M64,{y0 - 2} L{hx},{hy - 2}" stroke="{PAL["gun_hi"]}" '
              f'stroke-width="2" stroke-linecap="round"/>')
    for hx, hy in hubs:
        s += (circle(hx, hy, 12, "url(#garm)", OUT) + circle(hx, hy, 9, "url(#fan)", OUT) +
              circle(hx, hy, 3.5, PAL["rust"], OUT))
    # side pods, then the fuselage with its red spine and cockpit at the nose
    s += rect(30, 50, 12, 34, "url(#garm)", f'rx="4" {OUT}') + rect(86, 50, 12, 34, "url(#garm)", f'rx="4" {OUT}')
    s += rect(33, 80, 6, 6, PAL["rust"], OUT) + rect(89, 80, 6, 6, PAL["rust"], OUT)
    s += poly([(64, 126), (86, 106), (92, 44), (82, 6), (46, 6), (36, 44), (42, 106)],
              "url(#gyro)", OUT)
    s += poly([(64, 122), (78, 104), (50, 104)], PAL["rust"], OUT)
    s += f'<rect x="58" y="12" width="12" height="88" rx="4" fill="{PAL["rust_dk"]}" fill-opacity="0.75"/>'
    s += rect(47, 40, 4, 50, PAL["rust"]) + rect(77, 40, 4, 50, PAL["rust"])
    s += f'<ellipse cx="64" cy="112" rx="6" ry="8" fill="{PAL["canopy"]}" {OUT}/>'
    s += circle(62, 109.5, 2, PAL["canopy_hi"])
    return svg(128, 128, s, defs)


def gyro_rotor():
    """Two long blades; see-through, since they turn fast over the ground."""
    defs = lin("blade", [(0, "#e0e6f0"), (0.5, "#a0a8b8"), (1, "#505868")], 0, 0, 1, 0)
    s = ""
    for y0, y1 in ((3, 64), (80, 141)):
        s += (f'<path d="M5,{y0 + 3} Q8,{y0 - 1} 11,{y0 + 3} L10,{y1} L6,{y1} Z" '
              f'fill="url(#blade)" fill-opacity="0.6" stroke="{INK}" stroke-opacity="0.5" '
              f'stroke-width="0.8"/>')
    s += rect(5, 3, 6, 7, PAL["rust"], 'rx="2" fill-opacity="0.8"')
    s += rect(5, 134, 6, 7, PAL["rust"], 'rx="2" fill-opacity="0.8"')
    s += circle(8, 72, 6, PAL["gun"], OUT) + circle(8, 72, 2.5, PAL["gun_hi"])
    return svg(16, 144, s, defs)


def gyro_turret():
    defs = rad("gt", [(0, PAL["rust_hi"]), (0.6, PAL["rust"]), (1, PAL["rust_dk"])],
               0.4, 0.35, 0.6)
    s = (rect(14, 14, 4, 15, PAL["gun"], OUT) + rect(13.5, 26, 5, 4, PAL["gun_dk"], OUT) +
         circle(16, 15, 7.5, "url(#gt)", OUT) + circle(14, 13, 1.6, "#ffd8c0"))
    return svg(32, 32, s, defs)


def lc_base():
    defs = (_lit("lcb", "#d0c080", "#8a7a3c", "#3a3014") +
            _lit("lcp", PAL["gun_hi"], PAL["gun"], PAL["gun_dk"]))
    s = poly(_octagon(48, 48, 46, 16), "url(#lcp)", OUT)
    s += poly(_octagon(48, 48, 40, 14), "url(#lcb)", OUT)
    for i in range(8):
        a = i * math.pi / 4 + math.pi / 8
        s += circle(48 + 36 * math.cos(a), 48 + 36 * math.sin(a), 2, PAL["gun_dk"])
    s += circle(48, 48, 31, PAL["gun_dk"], OUT)
    # hazard band round the pit
    s += (f'<circle cx="48" cy="48" r="33.5" fill="none" stroke="{PAL["hazard"]}" '
          f'stroke-width="3" stroke-dasharray="6 4"/>')
    return svg(96, 96, s, defs)


def lc_ring():
    defs = _lit("lcr", "#e8c8ff", "#9a6ad0", "#40205e")
    s = (f'<circle cx="48" cy="48" r="26" fill="none" stroke="{INK}" stroke-width="10"/>'
         f'<circle cx="48" cy="48" r="26" fill="none" stroke="url(#lcr)" stroke-width="8"/>')
    for i in range(6):
        a = i * math.pi / 3
        ca, sa = math.cos(a), math.sin(a)
        pts = [(-5, 22), (5, 22), (4, 31), (-4, 31)]
        s += poly([(48 + x * ca - y * sa, 48 + x * sa + y * ca) for x, y in pts],
                  PAL["violet_dk"], OUT)
        s += circle(48 - 26 * sa, 48 + 26 * ca, 2, PAL["magenta"])
    return svg(96, 96, s, defs)


def lc_turret():
    defs = (rad("lct", [(0, "#ffe8b0"), (0.4, "#e0a030"), (1, "#5a3008")], 0.4, 0.35, 0.65) +
            lin("lcbar", [(0, PAL["gun_hi"]), (0.5, PAL["gun"]), (1, PAL["gun_dk"])], 0, 0, 1, 0))
    s = (rect(41, 44, 14, 47, "url(#lcbar)", OUT) + rect(39, 84, 18, 10, PAL["gun_dk"], f'rx="2" {OUT}') +
         rect(45.5, 50, 2, 30, PAL["gun_hi"]) +
         circle(48, 46, 19, "url(#lct)", OUT) + circle(48, 46, 9, PAL["rust_dk"], OUT) +
         circle(48, 46, 4, "#ffe070") + circle(42, 40, 3, "#fff4d8", 'fill-opacity="0.7"'))
    return svg(96, 96, s, defs)


ART = {
    "tank.svg": tank_body, "gun.svg": gun, "joint.svg": joint_plain,
    "joint_armed.svg": joint_armed, "muzzle_blast.svg": muzzle_blast,
    "player_shot.svg": player_shot, "small_turret.svg": small_turret,
    "small_body.svg": small_body, "middle_turret.svg": middle_turret,
    "middle_body.svg": middle_body, "large_body.svg": large_body,
    "large_turret.svg": large_turret, "spit.svg": spit, "gyro_body.svg": gyro_body,
    "gyro_rotor.svg": gyro_rotor, "gyro_turret.svg": gyro_turret, "lc_base.svg": lc_base,
    "lc_ring.svg": lc_ring, "lc_turret.svg": lc_turret,
}
