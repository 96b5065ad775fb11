#!/usr/bin/env python3
"""Splits a FASTA file into shards at record boundaries, in order, each about an equal
share of the file's bytes: the shards one after another are the file's bytes. The first
shard also holds what stands before the first record; shards past the last record
(a file with fewer records than shards) are left empty.

usage: split_fasta.py FASTA SHARD..."""
import os
import re
import sys

BLOCK_BYTES = 1 << 24
# A record starts with a header line: a '>' after a line end (LF, CR LF or CR).
RECORD_START = re.compile(rb"[\r\n]>")


def split(fasta, shard_paths):
    size = os.path.getsize(fasta)
    count = len(shard_paths)
    shard = 0
    # A shard is cut only before a record after its own first one, so every shard up
    # to the file's last record holds at least one.
    holds_record = False
    out = open(shard_paths[0], "wb")
    try:
        with open(fasta, "rb") as source:
            offset = 0   # the block's place in the file
            before = b"\n"  # the byte before the block; the file's start counts as a line start
            while True:
                block = source.read(BLOCK_BYTES)
                if not block:
                    break
                written = 0
                for match in RECORD_START.finditer(before + block):
                    start = match.start()  # the '>', in block (the match's line end is in before + block)
                    if holds_record and shard + 1 < count and offset + start >= (shard + 1) * size // count:
                        out.write(block[written:start])
                        written = start
                        out.close()
                        shard += 1
                        out = open(shard_paths[shard], "wb")
                    holds_record = True
                out.write(block[written:])
                offset += len(block)
                before = block[-1:]
    finally:
        out.close()
    for path in shard_paths[shard + 1:]:
        open(path, "wb").close()


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.splitlines()[-1])
    try:
        split(sys.argv[1], sys.argv[2:])
    except OSError as error:
        sys.exit("split_fasta.py: %s: %s" % (error.filename, error.strerror))


if __name__ == "__main__":
    main()
