#!/usr/bin/env python3
"""Writes the large inputs of the whole-process benchmark into a folder,
reproducibly (fixed seeds): a 1-million-line milling program, a panelised
Gerber board, an Excellon drill file, HP-GL plotter data, router data, hole
data. Usage: make_inputs.py FOLDER"""
import os
import random
import sys


def write(folder, name, lines, end="\r\n"):
    path = os.path.join(folder, name)
    if os.path.exists(path):
        return
    with open(path + ".part", "w", encoding="ascii", newline="") as out:
        for line in lines:
            out.write(line + end)
    os.replace(path + ".part", path)


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


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write(folder, "program.nc", gcode(random.Random(1), 1_000_000))
    write(folder, "board.gbr", gerber(random.Random(2), 515_000), end="\n")
    write(folder, "drill.drl", drill(random.Random(3), 200_000))
    write(folder, "plot.hpgl", hpgl(random.Random(4), 500_000), end="\n")
    write(folder, "router.txt", router(random.Random(5), 1_000_000))
    path = os.path.join(folder, "holes.nc")
    if not os.path.exists(path):
        with open(path, "w", encoding="cp932", newline="") as out:
            for line in holes(random.Random(6), 1_000_000):
                out.write(line + "\r\n")


if __name__ == "__main__":
    main()
