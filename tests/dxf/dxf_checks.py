"""Shared pieces of the DXF checks that run kovrel-cli against a real DXF
reader (ezdxf): running a command, the cutting segments of a G-code
program, the segments a drawing's entities make as ezdxf reads them, and
their comparison.

A segment is ("L", start, end) for a straight move or ("A", start, end,
centre, ccw) for a circular one; points are (x, y) tuples. Rapid moves make
no segment: they only move the start of the next one.
"""
import math
import re
import struct
import subprocess
import sys

try:
    import ezdxf
    from ezdxf.math import Vec3, bulge_to_arc
except ImportError:  # the checks are skipped without a reader
    ezdxf = None

SKIPPED = 77


def require_ezdxf():
    if ezdxf is None:
        print("ezdxf is not installed: skipped")
        sys.exit(SKIPPED)


def single(value):
    """`value` rounded to a 32-bit float, as the program holds coordinates."""
    return struct.unpack("f", struct.pack("f", value))[0]


def run(cli, *args, stdin=None):
    """Runs kovrel-cli; returns (exit code, stdout bytes, stderr text)."""
    done = subprocess.run([cli, *args], input=stdin, capture_output=True)
    return done.returncode, done.stdout, done.stderr.decode("utf-8", "replace")


WORD = re.compile(r"([GXYIJ])(-?[0-9.]+)")


def gcode_segments(text, layer=""):
    """The cutting segments of G-code with every move written with G, X and
    Y, and the layer of each: the last line before it that is no move
    (`layer` before the first)."""
    segments, layers = [], []
    x = y = 0.0
    for line in text.splitlines():
        words = dict(WORD.findall(line))
        if not re.match(r"G0[0-3]", line):
            if line:
                layer = line
            continue
        g = int(float(words["G"]))
        nx, ny = float(words["X"]), float(words["Y"])
        if g == 1:
            segments.append(("L", (x, y), (nx, ny)))
        elif g in (2, 3):
            centre = (x + float(words.get("I", 0)), y + float(words.get("J", 0)))
            segments.append(("A", (x, y), (nx, ny), centre, g == 3))
        if len(layers) < len(segments):
            layers.append(layer)
        x, y = nx, ny
    return segments, layers


def _wcs(ocs, point, origin):
    p = Vec3(ocs.to_wcs(Vec3(point[0], point[1], 0)))
    return (p.x - origin[0], p.y - origin[1])


def _path_segments(vertices, closed, ocs, origin):
    """Edges of a polyline given as (x, y, bulge) in its own coordinates."""
    segments = []
    ccw_sign = 1 if ocs.uz.z > 0 else -1
    count = len(vertices)
    edges = count if closed and count >= 2 else count - 1
    for k in range(max(edges, 0)):
        x0, y0, bulge = vertices[k]
        x1, y1, _ = vertices[(k + 1) % count]
        start, end = _wcs(ocs, (x0, y0), origin), _wcs(ocs, (x1, y1), origin)
        if bulge == 0 or (x0, y0) == (x1, y1):
            segments.append(("L", start, end))
        else:
            centre, _, _, _ = bulge_to_arc((x0, y0), (x1, y1), bulge)
            segments.append(("A", start, end, _wcs(ocs, centre, origin), bulge * ccw_sign > 0))
    return segments


def drawing_segments(doc):
    """The segments of the drawing's model space entities, in file order,
    relative to $UCSORG, as ezdxf reads them; the layer of each (its name
    without blanks); and the number of entities traced."""
    origin = doc.header.get("$UCSORG", (0, 0, 0))
    segments, layers, traced = [], [], 0
    for entity in doc.modelspace():
        kind = entity.dxftype()
        if kind == "LINE":
            s, e = entity.dxf.start, entity.dxf.end
            segments.append(("L", (s.x - origin[0], s.y - origin[1]), (e.x - origin[0], e.y - origin[1])))
        elif kind == "POINT":
            p = entity.dxf.location
            point = (p.x - origin[0], p.y - origin[1])
            segments.append(("L", point, point))
        elif kind in ("CIRCLE", "ARC"):
            ocs = entity.ocs()
            c = _wcs(ocs, entity.dxf.center, origin)
            ccw = ocs.uz.z > 0
            if kind == "CIRCLE":
                start = (c[0] + entity.dxf.radius, c[1])
                segments.append(("A", start, start, c, False))
            else:
                s, e = entity.start_point, entity.end_point
                segments.append(("A", (s.x - origin[0], s.y - origin[1]), (e.x - origin[0], e.y - origin[1]), c, ccw))
        elif kind == "LWPOLYLINE":
            segments += _path_segments(list(entity.get_points("xyb")), entity.closed, entity.ocs(), origin)
        elif kind == "POLYLINE" and entity.is_2d_polyline:
            vertices = [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in entity.vertices]
            segments += _path_segments(vertices, entity.is_closed, entity.ocs(), origin)
        else:
            continue
        traced += 1
        layers += [entity.dxf.layer.replace(" ", "")] * (len(segments) - len(layers))
    return segments, layers, traced


def _far(a, b, tolerance):
    return math.hypot(a[0] - b[0], a[1] - b[1]) > tolerance


def compare_segments(got, want, tolerance, name):
    """Problems between two segment lists, compared one by one."""
    problems = []
    if len(got) != len(want):
        problems.append(f"{name}: {len(got)} segments, the drawing has {len(want)}")
    for k, (g, w) in enumerate(zip(got, want)):
        if g[0] != w[0]:
            problems.append(f"{name} segment {k}: {g[0]} for {w[0]}")
        elif _far(g[1], w[1], tolerance) or _far(g[2], w[2], tolerance):
            problems.append(f"{name} segment {k}: {g[1]} to {g[2]}, want {w[1]} to {w[2]}")
        elif g[0] == "A" and (_far(g[3], w[3], tolerance) or (g[4] != w[4] and g[1] != g[2])):
            problems.append(f"{name} arc {k}: centre {g[3]} ccw {g[4]}, want {w[3]} ccw {w[4]}")
        if len(problems) > 5:
            break
    return problems
