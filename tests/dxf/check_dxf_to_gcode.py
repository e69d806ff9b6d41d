#!/usr/bin/python3
"""DXF to G-code against a real DXF reader: drawings that ezdxf writes here
(LINE, ARC, CIRCLE, POINT, LWPOLYLINE and POLYLINE with bulges, open and
closed, the extrusion -Z, a UCS origin, several line ends) and real drawings
that nobody here wrote (Debian's librecad-data) become G-code whose cutting
segments match the drawing's entities as ezdxf reads them, one by one:
start and end of every line and edge, arc centres and turning, the number
of edges.

Usage: check_dxf_to_gcode.py KOVREL_CLI WORK_FOLDER [LIBRARY_FOLDER]
Exit 77 (skipped) without ezdxf, or without the library once the drawings
made here passed.
"""
import glob
import math
import os
import sys

from dxf_checks import (compare_segments, drawing_segments, ezdxf, gcode_segments, require_ezdxf, run)

require_ezdxf()
cli, work = sys.argv[1:3]
library = sys.argv[3] if len(sys.argv) > 3 else "/usr/share/librecad/library"
os.makedirs(work, exist_ok=True)
TOLERANCE = 0.0011  # the masks write four decimals; the library's values have many


def test_drawings():
    """(name, document) pairs made with ezdxf."""
    drawings = []

    doc = ezdxf.new("R2000")
    doc.encoding = "cp932"
    msp = doc.modelspace()
    msp.add_line((1, 2), (5, 2), dxfattribs={"layer": "外形"})
    msp.add_line((5, 2), (5, 7.25), dxfattribs={"layer": "外形"})
    msp.add_circle((10, 10), 5, dxfattribs={"layer": "穴 A"})
    msp.add_line((10, 10), (0, 0), dxfattribs={"layer": "穴 A"})  # starts at the circle's centre
    msp.add_arc((0, 0), 10, 0, 90)
    msp.add_arc((3, -4), 2.5, 300, 45)  # across 0 degrees
    msp.add_point((3, 4))
    # Open and closed polylines with bulges of both signs and zero.
    msp.add_lwpolyline([(0, 0, 1), (10, 0, 0), (10, 5, -0.5), (0, 8, 0)], format="xyb")
    msp.add_lwpolyline([(20, 0, 0.41421356237), (30, 10, 0), (20, 10, -1)], format="xyb", close=True)
    msp.add_lwpolyline([(40, 0), (45, 0), (45, 3)], close=False)
    msp.add_line((45, 3), (50, 3))  # from where the open polyline ended
    drawings.append(("entities", doc))

    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(0, 0, 0, 0, 1), (0, 10, 0, 0, 0), (-5, 10, 0, 0, -1)], format="xyseb", close=True)
    msp.add_polyline2d([(1, 1), (2, 1), (2, 2)])
    msp.add_line((2, 2), (3, 3))
    drawings.append(("polyline2d-r12", doc))

    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    down = {"extrusion": (0, 0, -1)}
    msp.add_circle((10, 5), 2, dxfattribs=down)
    msp.add_arc((10, 0), 10, 0, 90, dxfattribs=down)
    msp.add_lwpolyline([(0, 0, 1), (10, 0, 0), (10, 4, 0)], format="xyb", close=True, dxfattribs=down)
    msp.add_line((1, 1), (2, 2))
    drawings.append(("extrusion-down", doc))

    doc = ezdxf.new("R2000")
    doc.header["$UCSORG"] = (100, 50, 0)
    msp = doc.modelspace()
    msp.add_line((100, 50), (110, 50))
    msp.add_arc((120, 60), 4, 90, 270)
    msp.add_lwpolyline([(100, 50, 0.2), (130, 55, 0)])
    drawings.append(("ucs-origin", doc))
    return drawings


def library_drawings(limit):
    """Up to `limit` drawings of the library with polylines, arcs or
    circles, the polylines first."""
    chosen = {"LWPOLYLINE": [], "other": []}
    for path in sorted(glob.glob(os.path.join(library, "**", "*.dxf"), recursive=True)):
        try:
            doc = ezdxf.readfile(path)
        except Exception:  # a drawing ezdxf cannot read proves nothing here
            continue
        kinds = {e.dxftype() for e in doc.modelspace()}
        if "LWPOLYLINE" in kinds:
            chosen["LWPOLYLINE"].append((path, doc))
        elif kinds & {"ARC", "CIRCLE"} and len(chosen["other"]) < limit:
            chosen["other"].append((path, doc))
        if len(chosen["LWPOLYLINE"]) >= limit:
            break
    picked = chosen["LWPOLYLINE"] + chosen["other"]
    return picked[:limit]


def check(name, path, doc, problems, layers=False):
    code, out, err = run(cli, "dxf-to-gcode", path)
    want, want_layers, traced = drawing_segments(doc)
    if traced == 0:
        if code != 1:
            problems.append(f"{name}: nothing to trace, yet exit {code}")
        return 0
    if code != 0:
        problems.append(f"{name}: exit {code}: {err}")
        return 0
    got, got_layers = gcode_segments(out.decode("cp932"))
    problems += compare_segments(got, want, TOLERANCE, name)
    if layers and got_layers != want_layers:
        problems.append(f"{name}: layers {got_layers}, want {want_layers}")
    return len(want)


problems = []
segments = 0
line_ends = {"crlf": b"\r\n", "lf": b"\n", "cr": b"\r"}
for number, (name, doc) in enumerate(test_drawings()):
    path = os.path.join(work, name + ".dxf")
    doc.saveas(path)
    # The same drawing with each line end, in turn.
    with open(path, "rb") as f:
        lines = f.read().replace(b"\r\n", b"\n").split(b"\n")
    kind = list(line_ends)[number % 3]
    with open(path, "wb") as f:
        f.write(line_ends[kind].join(lines))
    segments += check(f"{name} ({kind})", path, doc, problems, layers=True)

# Layer lines only when the layer changes.
_, out, _ = run(cli, "dxf-to-gcode", os.path.join(work, "entities.dxf"))
layer_lines = [line for line in out.decode("cp932").splitlines() if not line.startswith("G")]
if layer_lines != ["外形", "穴A", "0"]:
    problems.append(f"layer lines {layer_lines}")

drawings = library_drawings(30) if os.path.isdir(library) else []
for path, doc in drawings:
    segments += check(os.path.relpath(path, library), path, doc, problems)
if os.path.isdir(library) and len(drawings) < 20:
    problems.append(f"only {len(drawings)} library drawings")

for problem in problems[:40]:
    print(problem)
print(f"{len(test_drawings())} test drawings and {len(drawings)} library drawings, {segments} segments")
if problems:
    sys.exit(1)
if not os.path.isdir(library):
    print(f"no drawings in {library} (librecad-data): the real drawings were skipped")
    sys.exit(77)
