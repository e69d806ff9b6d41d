#!/usr/bin/env python3
"""Runs one command several times as a whole process and prints the median
wall-clock seconds, the highest peak resident memory (KiB, from the
kernel's rusage of the child) and a checksum of the output file of the
last run: "SECONDS PEAK_KIB CHECKSUM" (checksum "-" without an output).
A workbook (.xlsx) is summed over its members without docProps/core.xml,
which holds the time it was written.
Usage: timed_runs.py RUNS OUTPUT COMMAND ARGS..."""
import hashlib
import os
import statistics
import subprocess
import sys
import time
import zipfile


def checksum(path):
    if not os.path.isfile(path):
        return "-"
    digest = hashlib.sha256()
    if path.endswith(".xlsx"):
        with zipfile.ZipFile(path) as archive:
            for name in sorted(archive.namelist()):
                if name != "docProps/core.xml":
                    digest.update(name.encode() + b"\0" + archive.read(name))
    else:
        with open(path, "rb") as data:
            for block in iter(lambda: data.read(1 << 20), b""):
                digest.update(block)
    return digest.hexdigest()[:16]


def main():
    runs, output, command = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    times, peak = [], 0
    for _ in range(runs):
        if os.path.exists(output):
            os.remove(output)
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, _, usage = os.wait4(child.pid, 0)
        times.append(time.perf_counter() - start)
        peak = max(peak, usage.ru_maxrss)
    print("%.4f %d %s" % (statistics.median(times), peak, checksum(output)))
    if os.path.exists(output):
        os.remove(output)


if __name__ == "__main__":
    main()
