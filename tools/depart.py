#!/usr/bin/env python3
"""Draws data/depart.png, the picture of the start-up window: the program's title and
an overshot water wheel fed by its flume. Needs ImageMagick's `convert` and the
DejaVu fonts.

    python3 tools/depart.py
"""
import math
import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGET = ROOT / "data" / "depart.png"
FONTS = pathlib.Path("/usr/share/fonts/truetype/dejavu")

W, H = 640, 420
CX, CY, R = 440, 280, 100          # wheel centre and outer radius
INNER = R - 22                     # inner rim (bottom of the buckets)
BUCKETS, SPOKES = 24, 8


def point(angle_deg, radius):
    a = math.radians(angle_deg)
    return CX + radius * math.cos(a), CY - radius * math.sin(a)


def draw():
    d = []
    # Mill wall and ground.
    d += ["fill #b9b0a2 stroke #8a8173 stroke-width 2 rectangle 0,128 150,400"]
    for y in range(150, 400, 26):
        d += [f"stroke #9d9486 stroke-width 1 line 0,{y} 150,{y}"]
    d += ["fill #6f8f3a stroke none rectangle 0,385 640,420"]
    # Tail race.
    d += ["fill #4d8fd6 stroke none rectangle 150,360 640,392"]
    # Wheel: rims, spokes, hub.
    d += [f"fill none stroke #6b4423 stroke-width 7 circle {CX},{CY} {CX + R},{CY}"]
    d += [f"fill none stroke #6b4423 stroke-width 5 circle {CX},{CY} {CX + INNER},{CY}"]
    for k in range(SPOKES):
        x, y = point(k * 360 / SPOKES + 11, INNER)
        d += [f"stroke #7d5230 stroke-width 5 line {CX},{CY} {x:.1f},{y:.1f}"]
    d += [f"fill #4a2f18 stroke none circle {CX},{CY} {CX + 16},{CY}"]
    # Buckets: a radial wall and a short bottom plate each.
    for k in range(BUCKETS):
        a = k * 360 / BUCKETS
        x1, y1 = point(a, INNER)
        x2, y2 = point(a, R)
        x3, y3 = point(a - 9, INNER)
        d += [f"stroke #6b4423 stroke-width 4 line {x1:.1f},{y1:.1f} {x2:.1f},{y2:.1f}"]
        d += [f"stroke #6b4423 stroke-width 3 line {x1:.1f},{y1:.1f} {x3:.1f},{y3:.1f}"]
    # Water held in the buckets of the descending side.
    for k in range(BUCKETS):
        a = k * 360 / BUCKETS
        if -75 <= (a if a <= 180 else a - 360) <= 60:
            xa, ya = point(a - 1, INNER + 3)
            xb, yb = point(a - 8, INNER + 3)
            xc, yc = point(a - 8, INNER + 15)
            xd, yd = point(a - 1, INNER + 15)
            d += [f"fill #4d8fd6 stroke none polygon {xa:.1f},{ya:.1f} {xb:.1f},{yb:.1f} {xc:.1f},{yc:.1f} {xd:.1f},{yd:.1f}"]
    # Flume on its trestle, and the jet falling into the top buckets.
    top = CY - R
    d += [f"fill #8b5a2b stroke #5a3a1a stroke-width 2 rectangle 150,{top - 34} {CX - 6},{top - 22}"]
    d += [f"fill #4d8fd6 stroke none rectangle 150,{top - 44} {CX - 8},{top - 34}"]
    d += [f"fill #4d8fd6 stroke none polygon {CX - 8},{top - 44} {CX + 14},{top - 30} {CX + 30},{top + 6} {CX + 18},{top + 10} {CX + 4},{top - 22} {CX - 8},{top - 34}"]
    d += [f"stroke #5a3a1a stroke-width 4 line 250,{top - 22} 250,360"]
    return d


def main():
    args = ["convert", "-size", f"{W}x{H}", "gradient:#cfe6fb-#f4f9ff"]
    for cmd in draw():
        args += ["-draw", cmd]
    args += ["-font", str(FONTS / "DejaVuSerif-Bold.ttf"), "-pointsize", "46", "-fill", "#1f4d0a",
             "-annotate", "+22+62", "Aubelys",
             "-font", str(FONTS / "DejaVuSans.ttf"), "-pointsize", "21", "-fill", "#23384d",
             "-annotate", "+24+96", "— Quelques calculs en hydraulique",
             "-pointsize", "13", "-fill", "#40505f",
             "-annotate", "+24+122", "roues à eau · turbines · conduites et canaux",
             
             "-pointsize", "13", "-fill", "#ffffff", "-annotate", "+14+409", "Cliquez pour commencer",
             "-annotate", "+540+409", "version 13.7",
             str(TARGET)]
    subprocess.run(args, check=True)
    print(TARGET)


if __name__ == "__main__":
    main()
