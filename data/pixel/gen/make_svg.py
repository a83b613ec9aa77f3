#!/usr/bin/env python3
"""Writes every SVG source of the art into data/pixel/svg/. The SVGs are committed; run this
after changing a generator:  python3 data/pixel/gen/make_svg.py"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source folder clean

import effects  # noqa: E402
import ground  # noqa: E402
import portraits  # noqa: E402
import screens  # noqa: E402
import system  # noqa: E402
import units  # noqa: E402

MODULES = [units, effects, ground, screens, system, portraits]


def main():
    out = os.path.join(HERE, "..", "svg")
    os.makedirs(out, exist_ok=True)
    for m in MODULES:
        for file, make in m.ART.items():
            with open(os.path.join(out, file), "w", encoding="utf-8") as f:
                f.write(make())


if __name__ == "__main__":
    main()
