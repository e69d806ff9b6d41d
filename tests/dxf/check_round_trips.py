#!/usr/bin/python3
"""Round trips through DXF: hole data -> DXF -> hole data gives back the
same tools, diameters and holes; G-code -> DXF -> G-code gives back the same
path (every line and arc with its end points and centre, within the masks'
rounding; DXF draws arcs counter-clockwise, so a clockwise arc comes back as
the same arc run the other way) and the same layers.

Usage: check_round_trips.py KOVREL_CLI WORK_FOLDER
"""
import math
import os
import random
import re
import sys

from dxf_checks import gcode_segments, run

cli, work = sys.argv[1:3]
os.makedirs(work, exist_ok=True)
problems = []
TOLERANCE = 0.002


def through(first, second, text):
    code, dxf, err = run(cli, first, stdin=text.encode("cp932"))
    if code != 0:
        problems.append(f"{first}: exit {code} {err}")
        return ""
    code, back, err = run(cli, second, stdin=dxf)
    if code != 0:
        problems.append(f"{second}: exit {code} {err}")
        return ""
    return back.decode("cp932")


def hole_table(text):
    """{tool: diameter} and {tool: [(x, y), ...]} of hole data."""
    diameters, holes, tool = {}, {}, None
    for line in text.splitlines():
        if "φ" in line:
            number, diameter = re.match(r"T(\d+)φ([0-9.]+)", line).groups()
            diameters[int(number)] = float(diameter)
        elif line.startswith("T"):
            tool = int(line[1:])
        elif line.startswith("X"):
            x, y = re.match(r"X(-?[0-9.]+) ?Y(-?[0-9.]+)", line).groups()
            holes.setdefault(tool, []).append((float(x), float(y)))
    return diameters, holes


def holes_round_trip():
    rng = random.Random(11)
    tools = {1: 0.8, 2: 1.25, 3: 3.175, 4: 0.35, 5: 12.0}
    lines = [f"T{t:02d}φ{d:.3f}" for t, d in tools.items()]
    for t in tools:
        lines.append(f"T{t:02d}")
        lines += [f"X{rng.uniform(-300, 300):.3f} Y{rng.uniform(-200, 200):.3f}" for _ in range(40)]
    original = "\r\n".join(lines) + "\r\n"
    back = through("holes-to-dxf", "dxf-to-holes", original)
    want, got = hole_table(original), hole_table(back)
    if got[0] != want[0]:
        problems.append(f"tools {got[0]}, want {want[0]}")
    for tool, holes in want[1].items():
        returned = got[1].get(tool, [])
        if len(returned) != len(holes) or any(math.hypot(a[0] - b[0], a[1] - b[1]) > 1e-4
                                              for a, b in zip(returned, holes)):
            problems.append(f"tool {tool}: holes {returned[:3]}..., want {holes[:3]}...")


def normalised(segment):
    """A segment as geometry: a clockwise arc as the counter-clockwise arc
    from its end to its start; a full circle by its centre alone."""
    if segment[0] == "A":
        kind, start, end, centre, ccw = segment
        if start == end:
            return ("C", centre, (math.hypot(start[0] - centre[0], start[1] - centre[1]), 0))
        return ("A", start, end, centre) if ccw else ("A", end, start, centre)
    return segment


def far(a, b):
    return math.hypot(a[0] - b[0], a[1] - b[1]) > TOLERANCE


def gcode_round_trip():
    rng = random.Random(5)
    lines, x, y = [], 0.0, 0.0
    for n in range(600):
        r = rng.random()
        if r < 0.05:
            lines.append(rng.choice(["CONTOUR", "POCKET-1", "穴あけ", "%"]))
            continue
        if r < 0.15:
            x, y = round(rng.uniform(-100, 100), 3), round(rng.uniform(-100, 100), 3)
            lines.append(f"G00X{x:.3f}Y{y:.3f}")
        elif r < 0.6:
            x, y = round(x + rng.uniform(-30, 30), 3), round(y + rng.uniform(-30, 30), 3)
            lines.append(f"G01X{x:.3f}Y{y:.3f}")
        else:
            i, j = round(rng.uniform(-20, 20), 3), round(rng.uniform(-20, 20), 3)
            cx, cy = x + i, y + j
            if rng.random() < 0.15:
                ex, ey = x, y
            else:
                a = math.atan2(-j, -i) + rng.uniform(0.2, 6.0)
                radius = math.hypot(i, j)
                ex, ey = round(cx + radius * math.cos(a), 3), round(cy + radius * math.sin(a), 3)
            lines.append(f"G0{rng.choice((2, 3))}X{ex:.3f}Y{ey:.3f}I{i:.3f}J{j:.3f}")
            x, y = ex, ey
    original = "\r\n".join(lines) + "\r\n"
    back = through("gcode-to-dxf", "dxf-to-gcode", original)
    want, want_layers = gcode_segments(original, "10")
    got, got_layers = gcode_segments(back)
    if len(got) != len(want):
        problems.append(f"path: {len(got)} segments, want {len(want)}")
    for k, (g, w) in enumerate(zip(map(normalised, got), map(normalised, want))):
        if g[0] != w[0] or any(far(a, b) for a, b in zip(g[1:], w[1:])):
            problems.append(f"path segment {k}: {g}, want {w}")
            if len(problems) > 10:
                break
    # Each segment comes back on the layer of its label ("10" before the
    # first).
    if got_layers != want_layers:
        problems.append(f"layers {got_layers[:8]}..., want {want_layers[:8]}...")


holes_round_trip()
gcode_round_trip()
for problem in problems[:40]:
    print(problem)
print("hole data and G-code came back" if not problems else f"{len(problems)} problems")
sys.exit(1 if problems else 0)
