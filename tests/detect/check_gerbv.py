#!/usr/bin/env python3
"""Format detection against a real Gerber and drill reader.

For every Excellon drill file and every Gerber among gerbv's examples,
`kovrel-cli detect` must name the expected option of the window that reads
the file (GAI_FMT for Gerber, NC_FMT for drill data) and the line it read
it from; then our conversion under that option (and --inch when detect says
inch) must read the same coordinates as gerbv does: gerbv exports each file
(-x rs274x or -x drill) and the X values and the Y values of both sides
must agree. The option next to the detected one must not agree, so the
comparison has teeth. Files without a header get "guessed" or "unknown".

The examples are not ours: they are read where the gerbv package puts
them. Exit 77 (skipped) without gerbv or its examples.
Usage: check_gerbv.py KOVREL_CLI EXAMPLES_FOLDER WORK_FOLDER
"""
import bisect
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys

# file, kind, option (GAI_FMT for Gerber, NC_FMT for drill data), inch,
# confidence, line of the statement the option rests on, and the file and
# export gerbv makes the reference of when it is not the file itself.
GERBER = "gerber-rs274x"
EXCELLON = "excellon"
FILES = [
    ("Mentor-BoardStation/artwork_1.grb", GERBER, "1230", False, "header", 2),
    ("am-test/am-test.gbx", GERBER, "1230", True, "header", 4),
    ("amacro-ref/1.grb", GERBER, "12300", True, "header", 9),
    ("amacro-ref/full-ex.grb", GERBER, "1230", True, "header", 1),
    ("amacro-ref/gerbv_am_expression_bug.ger", GERBER, "1230", True, "header", 1),
    ("amacro-ref/jj1.grb", GERBER, "12300", True, "header", 9),
    ("amacro-ref/limit-ex.grb", GERBER, "1230", True, "header", 1),
    ("amacro-ref/stp0.grb", GERBER, "12300", True, "header", 9),
    ("cslk/cslk.gbx", GERBER, "1230", True, "header", 10),
    ("dan/top.gbx", GERBER, "1230", True, "header", 10),
    ("dan/top_sr.gbx", GERBER, "1230", True, "header", 10),
    ("eaglecad1/top-cop.gbx", GERBER, "12300", True, "header", 4),
    ("exposure/example.grb", GERBER, "12300", True, "header", 1),
    ("hellboard/hellboard.back.gbr", GERBER, "12300", True, "header", 10),
    ("hellboard/hellboard.fab.gbr", GERBER, "12300", True, "header", 10),
    ("hellboard/hellboard.front.gbr", GERBER, "12300", True, "header", 10),
    ("hellboard/hellboard.group1.gbr", GERBER, "12300", True, "header", 10),
    ("hellboard/hellboard.group2.gbr", GERBER, "12300", True, "header", 10),
    ("jj/l1-1.grb", GERBER, "X0123", True, "header", 4),
    ("jj/l1-2.grb", GERBER, "X0123", True, "header", 4),
    ("jj/l1-3.grb", GERBER, "X0123", True, "header", 4),
    ("jj/l1-orig.grb", GERBER, "X0123", True, "header", 4),
    ("nollezappare/AssemblyTop.gdo", GERBER, "12300", True, "header", 8),
    ("nollezappare/EtchLayer2Bottom.gdo", GERBER, "12300", True, "header", 9),
    ("numpres/numpres.pcb.output_componentmask.grb", GERBER, "1230", True, "header", 8),
    ("numpres/numpres.pcb.output_componentsilk.grb", GERBER, "1230", True, "header", 8),
    ("numpres/numpres.pcb.output_group1.grb", GERBER, "1230", True, "header", 8),
    ("numpres/numpres.pcb.output_group2.grb", GERBER, "1230", True, "header", 8),
    ("numpres/numpres.pcb.output_soldermask.grb", GERBER, "1230", True, "header", 8),
    ("pick-and-place/LED.frontsilk.gbr", GERBER, "12300", True, "header", 10),
    ("polarity/6_vbat.gbr", GERBER, "1230", True, "header", 2),
    ("thermal/bpB.GP1", GERBER, "12300", True, "header", 1),
    ("thermal/dsp.GP1", GERBER, "1230", True, "header", 1),
    ("trailing/cd1r2.1_sieb0.off", GERBER, "X0123", True, "header", 4),
    ("trailing/cd1r2.1_sieb1.off", GERBER, "X0123", True, "header", 4),
    ("uwe/example.gbr", GERBER, "12300", True, "header", 4),
] + [
    # No unit statement: the digits are stated, the inches are Gerber's default.
    ("ekf2/%s.grb" % name, GERBER, "1230", True, "header", 1)
    for name in ("d1", "gnd", "l0", "l1", "l2", "l3", "l4", "l5", "pow", "pow3", "resplan", "sieb0", "sieb1",
                 "stp0", "stp1")
] + [
    ("orcad/rs232_cm.%s" % name, GERBER, "12300", True, "header", 11)
    for name in ("asb", "ast", "bot", "drd", "smb", "smt", "ssb", "sst", "top")
] + [
    ("protel-pnp/SE_SG_IF_V2.%s" % name, GERBER, "1230", True, "header", 1)
    for name in ("GBL", "GBO", "GBS", "GD1", "GG1", "GM1", "GM2", "GTL", "GTO", "GTS")
] + [
    ("amacro-ref/jj1.drl", EXCELLON, "X1230", False, "header", 8),
    ("hellboard/hellboard.plated-drill.cnc", EXCELLON, "X12300", True, "header", 2),
    ("numpres/numpres.pcb.output_plated-drill.grb", EXCELLON, "X12300", True, "header", 2),
    ("numpres/numpres.pcb.output_unplated-drill.grb", EXCELLON, "X12300", True, "header", 2),
    # "INCH,LZ" with ";FILE_FORMAT=2:3": X0152 is 1.52 inches, where the
    # board's copper has its pads; gerbv reads 0.152 here, so its reading of
    # the copper layer is the reference.
    ("protel-pnp/SE_SG_IF_V2.TXT", EXCELLON, "X0123", True, "header", 4, ("protel-pnp/SE_SG_IF_V2.GTL", "rs274x")),
    # Units stated (M72, M71) but not the zeros: guessed from the digits.
    ("ekf2/drill0.exc", EXCELLON, "X12300", True, "guessed", 2),
    ("ekf2/drill1.exc", EXCELLON, "X12300", True, "guessed", 2),
    ("ekf2/drill20.exc", EXCELLON, "X12300", True, "guessed", 2),
    ("ekf2/drill30.exc", EXCELLON, "X12300", True, "guessed", 2),
    ("nollezappare/ThruHolePlated.ncd", EXCELLON, "X1230", False, "guessed", 14),
    # No header at all: the tool sizes and the digits make a guess.
    ("orcad/thruhole.tap", EXCELLON, "X12300", True, "guessed", 3),
]
# RS-274D without its aperture file (gerbv cannot read it either) and a
# drill file in EIA tape code: never a confident answer.
UNSURE = [
    ("ekf/l1.off", "gerber-rs274d"),
    ("protel-pnp/SE_SG_IF_V2.DRL", "unknown"),
]
# The option next to each: ten times larger or smaller, or one more integer digit.
NEIGHBOURS = {"1230": "12300", "12300": "1230", "X0123": "X00123", "X1230": "X12300", "X12300": "X1230"}
TOLERANCE = 0.003  # mm: gerbv's drill export keeps 0.0001 inch


def run(args):
    return subprocess.run(args, capture_output=True, check=False)


def detect(cli, path):
    result = run([cli, "detect", "--json", path])
    return result.returncode, json.loads(result.stdout.decode("utf-8"))


def axis_values(text, letter, scale):
    return {round(float(v) * scale, 4) for v in re.findall(letter + r"(-?\d+\.?\d*)", text)}


def our_coordinates(cli, path, kind, option, inch):
    command = "gerber-to-gcode" if kind == GERBER else "holes-format"
    args = [cli, command, "--unit", option, path] + (["--inch"] if inch else [])
    text = run(args).stdout.decode("cp932", errors="replace")
    return axis_values(text, "X", 1), axis_values(text, "Y", 1)


def gerbv_coordinates(path, export, work):
    out = os.path.join(work, os.path.basename(path) + "." + export)
    run(["gerbv", "-x", export, "-o", out, path])
    with open(out, encoding="latin-1") as f:
        text = f.read()
    if export == "rs274x":
        fs = re.search(r"%FSLAX(\d)(\d)Y", text)
        scale = (25.4 if "%MOIN" in text else 1.0) / 10 ** int(fs.group(2))
        text = re.sub(r"%[^%]*%", "", text)
    else:
        scale = (1.0 if "METRIC" in text else 25.4) / 10**4
        text = text.split("%", 1)[1]
    return (axis_values(text, r"(?<![A-Z])X", scale), axis_values(text, r"(?<![A-Z])Y", scale))


def agreement(ours, theirs):
    """The share of the smaller set of values that the other set holds."""
    small, large = (ours, theirs) if len(ours) <= len(theirs) else (theirs, ours)
    if not small:
        return 0.0
    ordered = sorted(large)

    def near(v):
        i = bisect.bisect_left(ordered, v - TOLERANCE)
        return i < len(ordered) and ordered[i] <= v + TOLERANCE

    return sum(1 for v in small if near(v)) / len(small)


def check(cli, examples, work, row):
    name, kind, option, inch, confidence, line = row[:6]
    reference, export = row[6] if len(row) > 6 else (name, "rs274x" if kind == GERBER else "drill")
    path = os.path.join(examples, name)
    problems = []
    code, found = detect(cli, path)
    window = "GAI_FMT" if kind == GERBER else "NC_FMT"
    said = (found["kind"], found["options"][window], found["inch"], found["confidence"])
    if code != 0 or said != (kind, option, inch, confidence):
        problems.append("detect said %s, expected %s" % (said, (kind, option, inch, confidence)))
    lines = [e["line"] for e in found["option_evidence"]]
    if line not in lines:
        problems.append("option read from lines %s, expected line %d" % (lines, line))
    if problems:
        return name, problems
    theirs = gerbv_coordinates(os.path.join(examples, reference), export, work)
    if not theirs[0] and not theirs[1]:
        return name, []  # no coordinates in the file
    ours = our_coordinates(cli, path, kind, option, inch)
    scores = [agreement(o, t) for o, t in zip(ours, theirs)]
    if min(scores) < 0.95:
        problems.append("our coordinates and gerbv's agree only %.2f / %.2f (X / Y)" % tuple(scores))
    wrong = our_coordinates(cli, path, kind, NEIGHBOURS[option], inch)
    if min(agreement(o, t) for o, t in zip(wrong, theirs)) >= 0.5:
        problems.append("the option %s agrees with gerbv as well" % NEIGHBOURS[option])
    return name, problems


def main():
    cli, examples, work = sys.argv[1:4]
    if shutil.which("gerbv") is None or not os.path.isdir(examples):
        print("gerbv or its examples are not installed: skipped")
        return 77
    os.makedirs(work, exist_ok=True)
    failures = 0
    for name, kind in UNSURE:
        code, found = detect(cli, os.path.join(examples, name))
        if found["kind"] != kind or found["confidence"] not in ("guessed", "unknown") or \
                code != (1 if kind == "unknown" else 0):
            print("FAIL %s: %s %s (exit %d)" % (name, found["kind"], found["confidence"], code))
            failures += 1
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for name, problems in pool.map(lambda row: check(cli, examples, work, row), FILES):
            for problem in problems:
                print("FAIL %s: %s" % (name, problem))
            failures += bool(problems)
    print("%d files, %d failed" % (len(FILES) + len(UNSURE), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
