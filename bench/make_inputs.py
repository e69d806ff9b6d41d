#!/usr/bin/env python3
"""Writes the large inputs of the whole-process benchmark into a folder,
reproducibly (fixed seeds): a 1-million-line milling program, a panelised
Gerber board, an Excellon drill file, HP-GL plotter data, router data, hole
data, a DXF drawing, a wire-cut program, a custom-macro wire program with
its subprogram folder, and an operation macro. Usage: make_inputs.py FOLDER"""
import os
import random
import sys


def write(folder, name, lines, end="\r\n", encoding="ascii"):
    path = os.path.join(folder, name)
    if os.path.exists(path):
        return
    with open(path + ".part", "w", encoding=encoding, newline="") as out:
        for line in lines:
            out.write(line + end)
    os.replace(path + ".part", path)


def write_cp932(folder, name, lines):
    """A file with Japanese text, as Shift-JIS (CP932) with CR LF."""
    write(folder, name, lines, encoding="cp932")


def gcode(rng, count):
    """A milling program: tool changes, rapid moves, cuts, arcs."""
    yield "%"
    yield "O2001"
    x = y = 0.0
    for n in range(count):
        if n % 50000 == 0:
            yield "T%02d" % (n // 50000 % 20 + 1)
        kind = rng.random()
        nx, ny = round(rng.uniform(0, 500), 3), round(rng.uniform(0, 300), 3)
        if kind < 0.2:
            yield "G00X%.3fY%.3f" % (nx, ny)
        elif kind < 0.85:
            yield "G01X%.3fY%.3fF600" % (nx, ny)
        else:
            r = round(rng.uniform(1, 20), 3)
            yield "G02X%.3fY%.3fI%.3fJ0" % (x + 2 * r, y, r)
            nx, ny = x + 2 * r, y
        x, y = nx, ny
    yield "M30"


def gerber(rng, blocks):
    """A panelised board: apertures, draws, moves and flashes, 2.4 format."""
    yield "%FSLAX24Y24*%"
    yield "%MOIN*%"
    for d in range(10, 30):
        yield "%%ADD%dC,0.%03d*%%" % (d, 5 + d)
    for n in range(blocks):
        if n % 20000 == 0:
            yield "D%d*" % (10 + n // 20000 % 20)
        x, y = rng.randrange(0, 200000), rng.randrange(0, 150000)
        yield "X%dY%dD0%d*" % (x, y, rng.choice((1, 1, 1, 2, 3)))
    yield "M02*"


def drill(rng, holes):
    yield "M48"
    yield "METRIC,TZ"
    for t in range(1, 11):
        yield "T%dC%.3f" % (t, 0.3 + t / 10)
    yield "%"
    for n in range(holes):
        if n % 20000 == 0:
            yield "T%d" % (n // 20000 + 1)
        yield "X%dY%d" % (rng.randrange(0, 300000), rng.randrange(0, 200000))
    yield "M30"


def hpgl(rng, pairs):
    yield "IN;SP1;"
    for _ in range(pairs):
        yield "PU%d,%d;PD%d,%d,%d,%d,%d,%d,%d,%d,%d,%d;" % tuple(rng.randrange(0, 40000) for _ in range(12))
    yield "PU0,0;SP0;"


def router(rng, count):
    yield "%"
    yield "T01"
    for n in range(count):
        z = "Z-1000" if n % 7 else "Z1000"
        yield "G01X%dY%d%s" % (rng.randrange(0, 500000), rng.randrange(0, 300000), z)
    yield "M30"


def holes(rng, count):
    for t in range(1, 11):
        yield "T%02d\u03c6%.3f" % (t, 0.3 + t / 10)
    for n in range(count):
        if n % 20000 == 0:
            yield "T%02d" % (n // 20000 % 10 + 1)
        yield "X%.3f Y%.3f" % (rng.uniform(0, 300), rng.uniform(0, 200))


def surfacing(rng, count):
    """A surfacing path as CAM writes it: short cuts wandering over a plate."""
    x, y = 250.0, 150.0
    yield "D10"
    for n in range(count):
        x = min(max(x + rng.uniform(-1, 1), 0), 500)
        y = min(max(y + rng.uniform(-1, 1), 0), 300)
        yield "%sX%.3fY%.3f" % ("G00" if n % 1000 == 0 else "G01", x, y)


def dxf(rng, entities):
    """A CAD drawing: an outline of lines, arcs and polylines with bulges,
    points, and circles on hole layers, in AutoCAD's group layout."""
    def group(code, value):
        return "%3d\r\n%s" % (code, value)
    yield group(0, "SECTION")
    yield group(2, "HEADER")
    yield group(9, "$ACADVER")
    yield group(1, "AC1015")
    yield group(0, "ENDSEC")
    yield group(0, "SECTION")
    yield group(2, "ENTITIES")
    for n in range(entities):
        kind = rng.random()
        x, y = rng.uniform(0, 400), rng.uniform(0, 250)
        if kind < 0.35:
            yield group(0, "LINE")
            yield group(8, "OUTLINE")
            yield "\r\n".join(group(c, "%.4f" % v) for c, v in
                               ((10, x), (20, y), (30, 0), (11, x + rng.uniform(-20, 20)),
                                (21, y + rng.uniform(-20, 20)), (31, 0)))
        elif kind < 0.5:
            yield group(0, "ARC")
            yield group(8, "OUTLINE")
            yield "\r\n".join(group(c, "%.4f" % v) for c, v in
                               ((10, x), (20, y), (30, 0), (40, rng.uniform(1, 30)),
                                (50, rng.uniform(0, 360)), (51, rng.uniform(0, 360))))
        elif kind < 0.8:
            yield group(0, "CIRCLE")
            yield group(8, "HOLES-%d" % rng.randrange(1, 9))
            yield "\r\n".join(group(c, "%.4f" % v) for c, v in
                               ((10, x), (20, y), (30, 0), (40, rng.choice((0.4, 0.5, 0.8, 1.05, 1.6)))))
        elif kind < 0.95:
            count = rng.randrange(3, 9)
            yield group(0, "LWPOLYLINE")
            yield group(8, "POCKET")
            yield group(90, count)
            yield group(70, rng.choice((0, 1)))
            for _ in range(count):
                yield group(10, "%.4f" % (x + rng.uniform(-10, 10)))
                yield group(20, "%.4f" % (y + rng.uniform(-10, 10)))
                if rng.random() < 0.3:
                    yield group(42, "%.6f" % rng.uniform(-1, 1))
        else:
            yield group(0, "POINT")
            yield group(8, "MARKS")
            yield group(10, "%.4f" % x)
            yield group(20, "%.4f" % y)
            yield group(30, "0.0")
    yield group(0, "ENDSEC")
    yield group(0, "EOF")


def wire(rng, pieces):
    """A wire-cut die plate with many openings: start holes, shape calls
    with H sizes and K angles, contours with radius and centre arcs, and
    Japanese comments (CP932)."""
    yield "(ダイプレート 多数個取り)"
    yield "G92X0Y0"
    for n in range(pieces):
        x, y = rng.randrange(-200000, 200000), rng.randrange(-150000, 150000)
        if n % 4 == 0:
            yield "(角穴 %d)" % n
            yield "H100=%d" % rng.randrange(2000, 20000)
            yield "H200=%d" % rng.randrange(2000, 10000)
            yield "H150=2000"
            yield "G00X%dY%d" % (x, y)
            yield "M60"
            if n % 8 == 0:
                yield "K%d." % rng.randrange(0, 90000)
            yield "G22L%s" % rng.choice(("1000", "2000", "5000", "4000"))
            continue
        yield "(パンチ R%d)" % (n % 5 + 1)
        yield "G00X%.3fY%.3f" % (x / 1000, y / 1000)
        yield "M60"
        yield "G41G01X%.3fY%.3f" % (x / 1000, y / 1000 - 5)
        yield "G01X%dY%d" % (x + 15000, y - 5000)
        yield "G03X%.3fY%.3fR5." % (x / 1000 + 20, y / 1000)
        yield "G01X%.3fY%.3f" % (x / 1000 + 20, y / 1000 + 10)
        yield "G03X%.3fY%.3fI-5.J0" % (x / 1000 + 15, y / 1000 + 15)
        yield "G01X%.3fY%.3f" % (x / 1000, y / 1000 + 15)
        yield "G02X%.3fY%.3fR7.5" % (x / 1000, y / 1000)
        yield "G04X500"
        yield "G40G01X%.3fY%.3f" % (x / 1000, y / 1000 - 2)
        yield "M50"
    yield "G00X0Y0"
    yield "M30"


def wire_macro(rng, blocks):
    """A custom-macro wire program: variables, expressions in addresses,
    short counted loops and subprogram calls (O100 in SUB)."""
    yield "%"
    yield "O0001 (ワイヤー マクロ)"
    yield "G92X0Y0"
    yield "G90"
    yield "#3=12.5"
    for n in range(blocks):
        x, y = round(rng.uniform(-100, 100), 3), round(rng.uniform(-80, 80), 3)
        yield "#1=%.3f" % x
        yield "#2=%.3f" % y
        yield "G00X#1Y#2"
        yield "G01X[#1+5.]Y#2"
        yield "G02X[#1+5.]Y[#2-#3]I0J[-#3/2]"
        yield "G01X%.3fY%.3f" % (x, y - 12.5)
        if n % 10 == 0:
            yield "#5=0"
            yield "N%d" % (n + 1000)
            yield "G01X[#1+#5]Y[#2+#5*2]"
            yield "#5=#5+1"
            yield "IF[#5LT3]GOTO%d" % (n + 1000)
        if n % 25 == 0:
            yield "M98P100"
    yield "G00X0Y0"
    yield "M30"
    yield "%"


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    if len(sys.argv) > 2 and sys.argv[2] == "surfacing.nc":
        write(folder, "surfacing.nc", surfacing(random.Random(7), 1_000_000))
        return
    write(folder, "program.nc", gcode(random.Random(1), 1_000_000))
    write(folder, "board.gbr", gerber(random.Random(2), 515_000), end="\n")
    write(folder, "drill.drl", drill(random.Random(3), 200_000))
    write(folder, "plot.hpgl", hpgl(random.Random(4), 500_000), end="\n")
    write(folder, "router.txt", router(random.Random(5), 1_000_000))
    write_cp932(folder, "holes.nc", holes(random.Random(6), 1_000_000))
    write(folder, "drawing.dxf", dxf(random.Random(8), 250_000))
    write_cp932(folder, "wire.nc", wire(random.Random(9), 120_000))
    write_cp932(folder, "wire-macro.nc", wire_macro(random.Random(10), 150_000))
    os.makedirs(os.path.join(folder, "SUB"), exist_ok=True)
    write(os.path.join(folder, "SUB"), "O100",
          ["O100", "G91", "G41G01Y2.", "G02X0Y0I0J-2.", "G40G01Y-2.", "G90", "M99"])
    # An operation macro: G-code to Gerber, then the save in CR LF.
    write(folder, "MACRO.DAT", ['"Edit.Menu","25"', '"Edit.Menu","3"'])


if __name__ == "__main__":
    main()
