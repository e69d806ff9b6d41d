#!/usr/bin/python3
"""Every DXF the program writes opens in a real DXF reader (ezdxf: readfile
and its auditor, with neither errors nor fixes) and reads back as written:
the entities in order with their layers, colours, positions, radii and
angles; the layer table with one record per layer; the Japanese layer names
through the code page the header declares.

Usage: check_written_dxf.py KOVREL_CLI WORK_FOLDER
Exit 77 (skipped) without ezdxf.
"""
import math
import os
import random
import sys

from dxf_checks import ezdxf, require_ezdxf, run, single

require_ezdxf()
cli, work = sys.argv[1:3]
os.makedirs(work, exist_ok=True)
problems = []


def mode_colour(layer):
    return (layer - 1) % 7 + 1


def gcode_program(seed):
    """A program of moves on labelled layers and the entities it must give,
    each (type, layer slot, values) with the values as the program holds
    them (single precision)."""
    rng = random.Random(seed)
    labels = ["%", "(外形 荒加工)", "O1000", "A:B", "a|b", "T1 D<5>", "穴"]
    lines, entities = [], []
    x = y = 0.0
    slots = {}  # DXF layer key -> slot
    slot = 0
    for n in range(400):
        r = rng.random()
        if r < 0.08:
            label = rng.choice(labels)
            lines.append(label)
            name = "".join("_" if c in '<>/\\":;?*|=`' else c for c in label)
            slot = slots.setdefault(name.upper(), len(slots) + 1)
            continue
        nx = round(rng.uniform(-200, 200), 3)
        ny = round(rng.uniform(-150, 150), 3)
        if r < 0.15:
            lines.append(f"G00X{nx}Y{ny}")
        elif r < 0.55:
            if rng.random() < 0.1:
                nx, ny = x, y  # no move: a point
            lines.append(f"G01X{nx}Y{ny}")
            if (single(nx), single(ny)) == (single(x), single(y)):
                entities.append(("POINT", slot, (single(nx), single(ny))))
            else:
                entities.append(("LINE", slot, (single(x), single(y), single(nx), single(ny))))
        else:
            g = rng.choice((2, 3))
            i = round(rng.uniform(-50, 50), 3)
            j = round(rng.uniform(-50, 50), 3)
            cx, cy = single(single(x) + single(i)), single(single(y) + single(j))
            radius = single(math.sqrt(single(i) ** 2 + single(j) ** 2))
            if rng.random() < 0.2:
                nx, ny = x, y  # a full circle
            else:
                a = rng.uniform(0, 2 * math.pi)
                nx, ny = round(cx + radius * math.cos(a), 3), round(cy + radius * math.sin(a), 3)
            lines.append(f"G0{g}X{nx}Y{ny}I{i}J{j}")
            if (single(nx), single(ny)) == (single(x), single(y)):
                entities.append(("CIRCLE", slot, (cx, cy, radius)))
            else:
                start = math.degrees(math.atan2(-single(j), -single(i))) % 360
                end = math.degrees(math.atan2(single(ny) - cy, single(nx) - cx)) % 360
                entities.append(("ARC", slot, (cx, cy, radius) + ((start, end) if g == 3 else (end, start))))
        x, y = nx, ny
    return "\r\n".join(lines) + "\r\n", entities, len(slots)


def open_checked(path, name):
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:
        problems.append(f"{name}: ezdxf cannot read it: {error}")
        return None
    auditor = doc.audit()
    for error in auditor.errors + auditor.fixes:
        problems.append(f"{name}: auditor: {error.message}")
    return doc


def close(a, b, tolerance=1e-4):
    return abs(a - b) <= tolerance * max(1.0, abs(a), abs(b))


def same_angle(a, b):
    return abs((a - b + 180) % 360 - 180) < 1e-4


def check_gcode(seed, options, colour_of):
    program, entities, layer_count = gcode_program(seed)
    source = os.path.join(work, f"program-{seed}.nc")
    with open(source, "wb") as f:
        f.write(program.encode("cp932"))
    path = os.path.join(work, f"program-{seed}.dxf")
    code, out, err = run(cli, "gcode-to-dxf", *options, source, "-o", path)
    name = f"program {seed} {' '.join(options)}"
    if code != 0:
        problems.append(f"{name}: exit {code} {err}")
        return
    doc = open_checked(path, name)
    if doc is None:
        return
    if doc.encoding != "cp932":
        problems.append(f"{name}: encoding {doc.encoding}")
    with open(path, "rb") as f:
        raw = f.read()
    records = raw.count(b"  0\r\nLAYER\r\n")
    if records != layer_count:
        problems.append(f"{name}: {records} LAYER records for {layer_count} layers")
    # Layer names as the labels gave them, one record each, in order.
    table = {}
    for layer in doc.layers:
        table[layer.dxf.name] = layer.color
    got = list(doc.modelspace())
    if len(got) != len(entities):
        problems.append(f"{name}: {len(got)} entities, wrote {len(entities)}")
    for k, (entity, (kind, slot, values)) in enumerate(zip(got, entities)):
        where = f"{name} entity {k} ({kind})"
        if entity.dxftype() != kind:
            problems.append(f"{where}: read {entity.dxftype()}")
            continue
        layer = entity.dxf.layer
        want_colour = 7 if slot == 0 else colour_of(slot)
        if slot == 0 and layer != "10":
            problems.append(f"{where}: layer {layer}")
        if slot > 0 and table.get(layer) != want_colour:
            problems.append(f"{where}: layer {layer} has colour {table.get(layer)}, want {want_colour}")
        if entity.dxf.color != want_colour:
            problems.append(f"{where}: colour {entity.dxf.color}, want {want_colour}")
        if kind == "LINE":
            read = (entity.dxf.start.x, entity.dxf.start.y, entity.dxf.end.x, entity.dxf.end.y)
        elif kind == "POINT":
            read = (entity.dxf.location.x, entity.dxf.location.y)
        else:
            read = (entity.dxf.center.x, entity.dxf.center.y, entity.dxf.radius)
        if not all(close(a, b) for a, b in zip(read, values)):
            problems.append(f"{where}: read {read}, wrote {values}")
        if kind == "ARC" and not (same_angle(entity.dxf.start_angle, values[3]) and
                                  same_angle(entity.dxf.end_angle, values[4])):
            problems.append(f"{where}: angles {entity.dxf.start_angle} {entity.dxf.end_angle}, want {values[3:]}")
    # The labels' layer names came through the code page.
    for want in ("(外形 荒加工)", "A_B", "T1 D_5_", "穴"):
        if want not in table and want.upper() not in {n.upper() for n in table}:
            problems.append(f"{name}: no layer {want} in {sorted(table)}")


def check_holes():
    tools = [(1, 0.8), (2, 1.25), (3, 3.175), (12, 0.5)]
    rng = random.Random(7)
    lines = ["X1.5 Y-2.0"]  # before the first tool: layer "0", colour 7
    lines += [f"T{t:02d}φ{d}" for t, d in tools]
    holes = [("0", 7, 1.5, -2.0, 0.0)]
    for k, (t, d) in enumerate(tools):
        lines.append(f"T{t:02d}")
        for _ in range(25):
            x, y = round(rng.uniform(-100, 100), 3), round(rng.uniform(-100, 100), 3)
            lines.append(f"X{x} Y{y}")
            holes.append((f"T {t}", k + 1, x, y, d / 2))
    source = os.path.join(work, "holes.nc")
    with open(source, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
    path = os.path.join(work, "holes.dxf")
    code, _, err = run(cli, "holes-to-dxf", source, "-o", path)
    if code != 0:
        problems.append(f"holes: exit {code} {err}")
        return
    doc = open_checked(path, "holes")
    if doc is None:
        return
    got = list(doc.modelspace())
    if len(got) != len(holes):
        problems.append(f"holes: {len(got)} circles, wrote {len(holes)}")
    for k, (entity, (layer, colour, x, y, r)) in enumerate(zip(got, holes)):
        read = (entity.dxftype(), entity.dxf.layer, entity.dxf.color)
        if read != ("CIRCLE", layer, colour):
            problems.append(f"hole {k}: {read}, want CIRCLE {layer} {colour}")
        if not (close(entity.dxf.center.x, x) and close(entity.dxf.center.y, y) and close(entity.dxf.radius, r)):
            problems.append(f"hole {k}: {entity.dxf.center} r {entity.dxf.radius}, want {x} {y} r {r}")
    for k, (t, _) in enumerate(tools):
        if doc.layers.get(f"T {t}").color != k + 1:
            problems.append(f"layer T {t}: colour {doc.layers.get(f'T {t}').color}")


check_gcode(1, [], mode_colour)
check_gcode(2, ["--colours", "same", "--colour", "4"], lambda slot: 4)
check_holes()
for problem in problems[:40]:
    print(problem)
print("2 programs and the hole data read back" if not problems else f"{len(problems)} problems")
sys.exit(1 if problems else 0)
