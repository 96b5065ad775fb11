#!/usr/bin/env python3
"""Joins the shards' warnings (records left out of a range) into the file one run on the
whole FASTA file writes: each warning names the whole file and its line there instead of
the shard's. Written under WARNINGS.part and renamed when complete; when no shard warned,
no file is left, as the engine leaves none.

usage: merge_warnings.py WARNINGS WHOLE_FASTA SHARD_FASTA SHARD_WARNINGS [SHARD_FASTA SHARD_WARNINGS]..."""
import os
import sys

BLOCK_BYTES = 1 << 24


def line_ends(path):
    """The lines of a file as the engine counts them: each LF, CR LF or CR ends one."""
    count = 0
    last = b""
    with open(path, "rb") as source:
        while True:
            block = source.read(BLOCK_BYTES)
            if not block:
                return count
            count += block.count(b"\n") + block.count(b"\r") - block.count(b"\r\n")
            if last == b"\r" and block[:1] == b"\n":
                count -= 1
            last = block[-1:]


def renamed(warning, shard_fasta, whole_fasta, lines_before, source):
    """A shard's warning "SHARD, line N: ..." as the whole file's "WHOLE, line M: ..."."""
    prefix = os.fsencode(shard_fasta) + b", line "
    number, colon, rest = warning[len(prefix):].partition(b":")
    if not warning.startswith(prefix) or not colon or not number.isdigit():
        raise ValueError("%s: %r does not start with %r and a line number" % (source, warning, prefix))
    return b"%s, line %d:%s" % (os.fsencode(whole_fasta), int(number) + lines_before, rest)


def merge(warnings, whole_fasta, shards):
    part = warnings + ".part"
    merged = []
    lines_before = 0
    for shard_fasta, shard_warnings in shards:
        with open(shard_warnings, "rb") as source:
            merged += [renamed(w, shard_fasta, whole_fasta, lines_before, shard_warnings) for w in source]
        if os.path.getsize(shard_fasta):
            lines_before += line_ends(shard_fasta)
    if os.path.exists(warnings):
        os.remove(warnings)
    if not merged:
        return
    try:
        with open(part, "wb") as out:
            out.writelines(merged)
        os.replace(part, warnings)
    except BaseException:
        if os.path.exists(part):
            os.remove(part)
        raise


def main():
    if len(sys.argv) < 5 or len(sys.argv) % 2 == 0:
        sys.exit(__doc__.splitlines()[-1])
    args = sys.argv[1:]
    try:
        merge(args[0], args[1], list(zip(args[2::2], args[3::2])))
    except OSError as error:
        sys.exit("merge_warnings.py: %s: %s" % (error.filename, error.strerror))
    except ValueError as error:
        sys.exit("merge_warnings.py: %s" % error)


if __name__ == "__main__":
    main()
