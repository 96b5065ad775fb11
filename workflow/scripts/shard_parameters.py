#!/usr/bin/env python3
"""Writes a shard's parameter file: the run's own, with the shard's FASTA file and
fragment table as its `fasta` and `result_file` values (names beside the written file).
Every other line is kept byte for byte and in its place, so that the engine's messages
about the file name the lines of the run's own.

usage: shard_parameters.py PARAMETERS SHARD_FASTA SHARD_TABLE OUTPUT"""
import os
import re
import sys

# A line: its text and its end (LF, CR LF or CR; the last line may have none).
LINE = re.compile(rb"([^\r\n]*)(\r\n|\r|\n|\Z)")
BYTE_ORDER_MARK = b"\xef\xbb\xbf"


def with_values(text, values):
    """text with each key of values given its value in place; keys it lacks are added."""
    lines = []
    missing = dict(values)
    for match in LINE.finditer(text):
        body, end = match.groups()
        if not body and not end:
            continue
        mark = BYTE_ORDER_MARK if not lines and body.startswith(BYTE_ORDER_MARK) else b""
        key, equals, _ = body[len(mark):].partition(b"=")
        if equals and key in values:
            body = mark + key + b"=" + values[key]
            missing.pop(key, None)
        lines.append(body + end)
    if lines and not lines[-1].endswith((b"\n", b"\r")):
        lines[-1] += b"\n"
    lines += [key + b"=" + value + b"\n" for key, value in missing.items()]
    return b"".join(lines)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__.splitlines()[-1])
    parameters, fasta, table, output = sys.argv[1:]
    values = {b"fasta": os.fsencode(os.path.basename(fasta)), b"result_file": os.fsencode(os.path.basename(table))}
    try:
        with open(parameters, "rb") as source:
            text = source.read()
        with open(output, "wb") as out:
            out.write(with_values(text, values))
    except OSError as error:
        sys.exit("shard_parameters.py: %s: %s" % (error.filename, error.strerror))


if __name__ == "__main__":
    main()
