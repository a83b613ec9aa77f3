"""Conversation portraits, 192x192 busts of our three characters:
the pilot (left, cells 135-138), the commander (139-141) and the rival (142-143)."""
from common import svg, lin, rad

INK = "#1a1018"
SKIN, SKIN_SH = "#f8d6bc", "#e2a88c"

# Expressions: brow lift and tilt (inner end down when positive), eye opening, mouth.
EXPR = {
    "neutral": dict(lift=0, tilt=0, eye=1.0, mouth="line"),
    "smile": dict(lift=2, tilt=-2, eye=0.75, mouth="smile"),
    "serious": dict(lift=-2, tilt=5, eye=0.85, mouth="firm"),
    "surprised": dict(lift=6, tilt=-3, eye=1.2, mouth="open"),
    "worried": dict(lift=3, tilt=-5, eye=0.95, mouth="frown"),
    "smug": dict(lift=0, tilt=3, eye=0.7, mouth="smirk"),
    "angry": dict(lift=-3, tilt=8, eye=1.0, mouth="shout"),
}


def _eye(cx, cy, open_, iris, flip):
    ry = 7.5 * open_
    cid = f"eye{int(cx)}"
    s = (f'<clipPath id="{cid}"><ellipse cx="{cx}" cy="{cy}" rx="9.5" ry="{ry:.2f}"/></clipPath>'
         f'<ellipse cx="{cx}" cy="{cy}" rx="9.5" ry="{ry:.2f}" fill="#ffffff"/>'
         f'<g clip-path="url(#{cid})">'
         f'<circle cx="{cx}" cy="{cy + 0.5}" r="6.6" fill="{iris}"/>'
         f'<circle cx="{cx}" cy="{cy + 2.5}" r="4.5" fill="#ffffff" fill-opacity="0.18"/>'
         f'<circle cx="{cx}" cy="{cy + 0.5}" r="3" fill="{INK}"/></g>'
         f'<circle cx="{cx - 2.2}" cy="{cy - 2.2}" r="1.9" fill="#ffffff"/>')
    # the upper lid: a thick line that sweeps out to a small flick
    o = -1 if flip else 1
    s += (f'<path d="M{cx - 10 * o},{cy + 1} Q{cx},{cy - ry - 3.5} {cx + 11 * o},{cy - 1}" '
          f'fill="none" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>')
    return s


def _brow(cx, cy, lift, tilt, flip, colour):
    o = -1 if flip else 1
    inner = (cx + 8 * o, cy - lift + tilt)
    outer = (cx - 9 * o, cy - lift - 1)
    return (f'<path d="M{outer[0]},{outer[1]} Q{cx},{cy - lift - 4} {inner[0]},{inner[1]}" '
            f'fill="none" stroke="{colour}" stroke-width="3.2" stroke-linecap="round"/>')


def _mouth(kind):
    m = {
        "line": '<path d="M89,121 Q96,123 103,121" fill="none" stroke="#8a3a3a" stroke-width="2" stroke-linecap="round"/>',
        "smile": '<path d="M86,118 Q96,129 106,118 Q96,123 86,118 Z" fill="#a83a40" stroke="#6a1a20" stroke-width="1.5" stroke-linejoin="round"/>',
        "firm": '<path d="M88,122 L104,121" fill="none" stroke="#7a2a2a" stroke-width="2.4" stroke-linecap="round"/>',
        "open": '<ellipse cx="96" cy="123" rx="5" ry="6" fill="#7a1a24" stroke="#4a0a10" stroke-width="1.5"/>',
        "frown": '<path d="M88,124 Q96,118 104,124" fill="none" stroke="#7a2a2a" stroke-width="2.2" stroke-linecap="round"/>',
        "smirk": '<path d="M88,121 Q98,124 106,116" fill="none" stroke="#7a2a2a" stroke-width="2.2" stroke-linecap="round"/>',
        "shout": '<path d="M85,118 L107,118 L103,130 L89,130 Z" fill="#6a1020" stroke="#3a0610" stroke-width="1.5" stroke-linejoin="round"/><rect x="88" y="118" width="16" height="3" fill="#ffffff"/>',
    }
    return m[kind]


def _face(expr, iris, brow_col, blush=False):
    e = EXPR[expr]
    s = ('<path d="M60,80 C58,42 134,42 132,80 L131,100 C128,124 110,137 96,139 '
         'C82,137 64,124 61,100 Z" fill="url(#skin)" stroke="#6a3a30" stroke-width="1.5"/>')
    s += f'<ellipse cx="60" cy="96" rx="5" ry="8" fill="{SKIN_SH}" stroke="#6a3a30" stroke-width="1.2"/>'
    s += f'<ellipse cx="132" cy="96" rx="5" ry="8" fill="{SKIN_SH}" stroke="#6a3a30" stroke-width="1.2"/>'
    s += _eye(78, 94, e["eye"], iris, False) + _eye(114, 94, e["eye"], iris, True)
    s += _brow(78, 80, e["lift"], e["tilt"], False, brow_col)
    s += _brow(114, 80, e["lift"], e["tilt"], True, brow_col)
    s += '<path d="M97,101 L94,110 L98,111" fill="none" stroke="#c08070" stroke-width="1.6" stroke-linecap="round"/>'
    if blush:
        s += ('<ellipse cx="72" cy="110" rx="7" ry="3" fill="#ff8080" fill-opacity="0.45"/>'
              '<ellipse cx="120" cy="110" rx="7" ry="3" fill="#ff8080" fill-opacity="0.45"/>')
    return s + _mouth(e["mouth"])


def _defs(hair_hi, hair, cloth_hi, cloth):
    return (lin("skin", [(0, "#fff0e2"), (0.5, SKIN), (1, SKIN_SH)], 0, 0, 1, 1) +
            lin("hair", [(0, hair_hi), (1, hair)], 0, 0, 1, 1) +
            lin("cloth", [(0, cloth_hi), (1, cloth)], 0, 0, 1, 1))


NECK = f'<path d="M82,124 L82,146 L110,146 L110,124 Z" fill="{SKIN_SH}"/>'


def _bust(expr, colours, back, clothes, iris, brow, front, blush=False):
    """One portrait, painted as every one is: the hair behind, the neck, the clothes, the face,
    then whatever lies over the face. colours are the hair's and the clothes' gradients."""
    s = back + NECK + clothes + _face(expr, iris, brow, blush=blush) + front
    return svg(192, 192, s, _defs(*colours))


def pilot(expr):
    back = '<path d="M46,124 C40,70 54,34 96,32 C138,34 152,70 146,124 L132,124 L60,124 Z" fill="url(#hair)" stroke="#4a1808" stroke-width="1.5"/>'
    clothes = ('<path d="M12,192 C18,156 44,142 74,138 L118,138 C148,142 174,156 180,192 Z" '
               'fill="url(#cloth)" stroke="#0c1a3a" stroke-width="2"/>'
               '<path d="M74,138 L96,164 L118,138 L110,136 L96,152 L82,136 Z" fill="#f0f4ff" stroke="#0c1a3a" stroke-width="1.5"/>'
               '<rect x="30" y="160" width="30" height="8" rx="2" fill="#40d8ff"/>'
               '<rect x="132" y="160" width="30" height="8" rx="2" fill="#40d8ff"/>')
    # bangs, then the headset over them
    front = ('<path d="M58,78 C56,46 76,34 98,34 C124,34 138,50 136,80 L128,70 L122,58 L114,70 '
             'L106,56 L96,72 L88,56 L78,70 L70,60 L64,74 Z" fill="url(#hair)" stroke="#4a1808" stroke-width="1.5" stroke-linejoin="round"/>')
    front += ('<path d="M52,90 C50,40 142,40 140,90" fill="none" stroke="#2a2e3a" stroke-width="5"/>'
              '<rect x="44" y="84" width="14" height="22" rx="5" fill="#3a4050" stroke="#101218" stroke-width="1.5"/>'
              '<rect x="134" y="84" width="14" height="22" rx="5" fill="#3a4050" stroke="#101218" stroke-width="1.5"/>'
              '<path d="M50,104 Q56,124 78,126" fill="none" stroke="#2a2e3a" stroke-width="3"/>'
              '<circle cx="79" cy="126" r="3" fill="#40d8ff"/>')
    return _bust(expr, ("#f0a060", "#a8401c", "#5a9ae8", "#1c3a78"), back, clothes,
                 "#2aa86a", "#7a2a10", front, blush=expr == "smile")


def commander(expr):
    back = '<path d="M54,110 C50,70 60,46 96,44 C132,46 142,70 138,110 Z" fill="url(#hair)"/>'
    clothes = ('<path d="M8,192 C14,154 40,140 72,136 L120,136 C152,140 178,154 184,192 Z" '
               'fill="url(#cloth)" stroke="#1a2010" stroke-width="2"/>'
               '<path d="M72,136 L96,158 L120,136" fill="none" stroke="#1a2010" stroke-width="2.5"/>'
               '<rect x="128" y="154" width="32" height="10" rx="2" fill="#d0a030" stroke="#5a4010" stroke-width="1"/>'
               '<rect x="131" y="157" width="6" height="4" fill="#c02020"/><rect x="140" y="157" width="6" height="4" fill="#2050c0"/>'
               '<rect x="149" y="157" width="6" height="4" fill="#f0f0f0"/>')
    # age lines, grey temples and a moustache, then the peaked cap
    front = ('<path d="M78,110 Q79,119 84,124" fill="none" stroke="#c08a74" stroke-width="1.5"/>'
             '<path d="M114,110 Q113,119 108,124" fill="none" stroke="#c08a74" stroke-width="1.5"/>'
             '<path d="M71,101 Q78,104 85,101" fill="none" stroke="#d09c84" stroke-width="1.2"/>'
             '<path d="M107,101 Q114,104 121,101" fill="none" stroke="#d09c84" stroke-width="1.2"/>')
    front += ('<path d="M60,84 L62,100 L66,84 Z" fill="#b0b0bc"/><path d="M132,84 L130,100 L126,84 Z" fill="#b0b0bc"/>'
              '<path d="M84,114 Q96,108 108,114 Q96,112 84,114 Z" fill="#4a4a56" stroke="#2a2a32" stroke-width="2"/>')
    front += ('<path d="M50,68 C50,30 142,30 142,68 Z" fill="#3a4428" stroke="#141a0a" stroke-width="2"/>'
              '<path d="M52,66 L140,66 L146,76 C120,70 72,70 46,76 Z" fill="#1a1e14" stroke="#0a0c08" stroke-width="1.5"/>'
              '<rect x="52" y="58" width="88" height="8" fill="#d0a030"/>'
              '<path d="M96,36 L104,46 L96,56 L88,46 Z" fill="#ffe070" stroke="#5a4010" stroke-width="1.2"/>')
    return _bust(expr, ("#8a8a96", "#3a3a48", "#8a9a6a", "#3a4428"), back, clothes,
                 "#5a6a8a", "#3a3a44", front)


def rival(expr):
    back = ('<path d="M44,150 C30,90 48,36 96,34 C144,36 162,90 148,150 L132,120 L60,120 Z" '
            'fill="url(#hair)" stroke="#40405a" stroke-width="1.5"/>')
    clothes = ('<path d="M10,192 C16,152 44,138 74,136 L118,136 C148,138 176,152 182,192 Z" '
               'fill="url(#cloth)" stroke="#0a0408" stroke-width="2"/>'
               '<path d="M64,112 L74,150 L96,140 L118,150 L128,112 L118,138 L96,128 L74,138 Z" '
               'fill="#2a0a18" stroke="#c02040" stroke-width="2" stroke-linejoin="round"/>'
               '<circle cx="96" cy="168" r="7" fill="#c02040" stroke="#ffd0e0" stroke-width="1.5"/>')
    # a scar over the left eye and long swept fringe
    front = '<path d="M68,82 L86,106" stroke="#b06060" stroke-width="2" stroke-linecap="round"/>'
    front += ('<path d="M58,84 C54,42 80,32 100,34 C130,36 142,56 138,90 C128,70 116,56 96,52 '
              'C108,62 112,72 112,80 C98,64 80,58 66,64 C62,70 60,76 58,84 Z" fill="url(#hair)" '
              'stroke="#40405a" stroke-width="1.5" stroke-linejoin="round"/>')
    return _bust(expr, ("#f0f0ff", "#8a8aa8", "#6a2a3a", "#1a0a14"), back, clothes,
                 "#d02040", "#6a6a88", front)


def _row(docs):
    inner = [d[d.index(">", d.index("<svg")) + 1:d.rindex("</svg>")] for d in docs]
    # each portrait keeps its own gradient ids: number them per frame
    out = []
    for k, body in enumerate(inner):
        for name in ("skin", "hair", "cloth"):
            body = body.replace(f'id="{name}"', f'id="{name}{k}"').replace(f"url(#{name})", f"url(#{name}{k})")
        body = body.replace('id="eye', f'id="f{k}eye').replace("url(#eye", f"url(#f{k}eye")
        out.append(f'<g transform="translate({192 * k} 0)">{body}</g>')
    return svg(192 * len(docs), 192, "".join(out))


ART = {
    "pilot_a.svg": lambda: _row([pilot("neutral"), pilot("smile")]),            # 135-136
    "pilot_b.svg": lambda: _row([pilot("serious"), pilot("surprised")]),        # 137-138
    "commander_a.svg": lambda: _row([commander("neutral"), commander("smile")]),  # 139-140
    "commander_b.svg": lambda: commander("worried"),                            # 141
    "rival.svg": lambda: _row([rival("smug"), rival("angry")]),                 # 142-143
}
