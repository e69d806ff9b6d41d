#!/usr/bin/env python3
"""Writes the conversion tables shipped in data/CVTBL from the published code charts.

Usage: gen_tape_tables.py [--check] [FOLDER]   (FOLDER defaults to data/CVTBL)
With --check nothing is written; the exit code is 1 when a file in FOLDER
differs from what this program writes.

A table file holds 16 lines of 16 comma-separated hexadecimal fields, CR LF
after each line: field c of line r is the output for input byte 16 * c + r.

The tables and the charts they come from:
- IDENTITY: every byte to itself.
- TEXT-TO-ISO / ISO-TO-TEXT: the 7-bit code of ISO 646 (International
  Reference Version, the same characters as ASCII) as ISO 840 punches it on
  eight-track NC tape, with an even-parity hole in track 8. Every 7-bit
  character is carried.
- TEXT-TO-EIA / EIA-TO-TEXT: the character code of EIA RS-244-B for
  eight-track NC tape, odd parity in track 5, end of block in track 8. The
  chart's characters are below, with their punched tracks. The chart has one
  case of letters: text letters are upper case. Its end-of-block code is
  the carriage return; a line feed goes to the delete code, which readers
  disregard, so a CR LF line end punches as end of block and delete.
- TEXT-TO-EBCDIC / EBCDIC-TO-TEXT: IBM code page 037 (EBCDIC, USA/Canada),
  the chart of the Unicode consortium's mapping file CP037.TXT, which
  Python's cp037 codec follows; a text byte is taken as the Latin-1
  character of that value, so all 256 bytes are carried.

A byte that a code does not carry (a Shift-JIS byte above 7F for ISO, a
lower-case letter for EIA) is paired, in ascending order, with a tape code
the chart leaves unused, codes with the wrong parity first: such a character
shows as a parity error on a tape reader rather than as another character,
and each pair of tables stays an exact inverse of each other for all 256
bytes, so a file converted to a tape code and back is the same file.
"""
import pathlib
import sys

# EIA RS-244-B: character -> punched tracks (1 = lowest bit, 5 = parity,
# 8 = end of block).
EIA_CHART = {
    "0": (6,), "1": (1,), "2": (2,), "3": (1, 2, 5), "4": (3,),
    "5": (1, 3, 5), "6": (2, 3, 5), "7": (1, 2, 3), "8": (4,), "9": (1, 4, 5),
    "A": (1, 6, 7), "B": (2, 6, 7), "C": (1, 2, 5, 6, 7), "D": (3, 6, 7),
    "E": (1, 3, 5, 6, 7), "F": (2, 3, 5, 6, 7), "G": (1, 2, 3, 6, 7),
    "H": (4, 6, 7), "I": (1, 4, 5, 6, 7),
    "J": (1, 5, 7), "K": (2, 5, 7), "L": (1, 2, 7), "M": (3, 5, 7),
    "N": (1, 3, 7), "O": (2, 3, 7), "P": (1, 2, 3, 5, 7), "Q": (4, 5, 7),
    "R": (1, 4, 7),
    "S": (2, 5, 6), "T": (1, 2, 6), "U": (3, 5, 6), "V": (1, 3, 6),
    "W": (2, 3, 6), "X": (1, 2, 3, 5, 6), "Y": (4, 5, 6), "Z": (1, 4, 6),
    " ": (5,),                         # space
    "+": (5, 6, 7),
    "-": (7,),
    "/": (1, 5, 6),                    # optional block skip
    ".": (1, 2, 4, 6, 7),
    ",": (1, 2, 4, 5, 6),
    "%": (1, 2, 4),                    # rewind stop
    "(": (2, 4, 5),                    # control out (comment start)
    ")": (2, 4, 7),                    # control in (comment end)
    "\t": (2, 3, 4, 5, 6),             # tab
    "\b": (2, 4, 6),                   # back space
    "\r": (8,),                        # carriage return / end of block
    "\n": (1, 2, 3, 4, 5, 6, 7),       # delete (all tracks), disregarded
}


def parity_even(code):
    return bin(code).count("1") % 2 == 0


def eia_code(tracks):
    code = sum(1 << (track - 1) for track in tracks)
    assert not parity_even(code), f"EIA code {code:02X} has even parity"
    return code


def complete(carried, wrong_parity):
    """A full 256-entry map from a partial one: the bytes not carried go, in
    ascending order, to the unused codes, those with wrong parity first."""
    assert len(set(carried.values())) == len(carried), "two characters share a code"
    used = set(carried.values())
    spare = sorted((code for code in range(256) if code not in used),
                   key=lambda code: (not wrong_parity(code), code))
    rest = [byte for byte in range(256) if byte not in carried]
    table = dict(carried)
    table.update(zip(rest, spare))
    return [table[byte] for byte in range(256)]


def inverse(table):
    result = [0] * 256
    for byte, code in enumerate(table):
        result[code] = byte
    return result


def text_to_iso():
    carried = {byte: byte | (0 if parity_even(byte) else 0x80) for byte in range(128)}
    return complete(carried, lambda code: not parity_even(code))


def text_to_eia():
    carried = {ord(char): eia_code(tracks) for char, tracks in EIA_CHART.items()}
    return complete(carried, parity_even)


def text_to_ebcdic():
    return [bytes([byte]).decode("latin-1").encode("cp037")[0] for byte in range(256)]


def table_text(table):
    assert sorted(table) == list(range(256)), "a table must be one to one"
    lines = []
    for row in range(16):
        lines.append(",".join(f"{table[16 * column + row]:02X}" for column in range(16)))
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def tables():
    iso, eia, ebcdic = text_to_iso(), text_to_eia(), text_to_ebcdic()
    return {
        "IDENTITY": list(range(256)),
        "TEXT-TO-ISO": iso, "ISO-TO-TEXT": inverse(iso),
        "TEXT-TO-EIA": eia, "EIA-TO-TEXT": inverse(eia),
        "TEXT-TO-EBCDIC": ebcdic, "EBCDIC-TO-TEXT": inverse(ebcdic),
    }


def main(args):
    check = "--check" in args
    paths = [arg for arg in args if arg != "--check"]
    folder = pathlib.Path(paths[0] if paths else pathlib.Path(__file__).resolve().parent.parent / "data" / "CVTBL")
    stale = []
    for name, table in tables().items():
        path = folder / name
        text = table_text(table)
        if check:
            if not path.is_file() or path.read_bytes() != text:
                stale.append(name)
        else:
            folder.mkdir(parents=True, exist_ok=True)
            path.write_bytes(text)
    if stale:
        print("not as generated: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
