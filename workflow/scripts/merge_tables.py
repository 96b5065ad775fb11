#!/usr/bin/env python3
"""Joins the shards' tables, in the order given, into the table one run on the whole
file writes: the header once, then every shard's rows. An empty table (a shard past the
file's last record) adds nothing. The table is written under TABLE.part and renamed
when complete, so that a failure leaves no table.

usage: merge_tables.py TABLE SHARD_TABLE..."""
import os
import shutil
import sys

COPY_BYTES = 1 << 24


def merge(table, shard_tables):
    part = table + ".part"
    header = None
    try:
        with open(part, "wb") as out:
            for shard_table in shard_tables:
                with open(shard_table, "rb") as rows:
                    line = rows.readline()
                    if not line:
                        continue
                    if header is None:
                        header, first = line, shard_table
                        out.write(header)
                    elif line != header:
                        raise ValueError("%s: its header is not the one of %s" % (shard_table, first))
                    shutil.copyfileobj(rows, out, COPY_BYTES)
        if header is None:
            raise ValueError("no shard wrote a table: %s" % " ".join(shard_tables))
        os.replace(part, table)
    except BaseException:
        if os.path.exists(part):
            os.remove(part)
        raise


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.splitlines()[-1])
    try:
        merge(sys.argv[1], sys.argv[2:])
    except OSError as error:
        sys.exit("merge_tables.py: %s: %s" % (error.filename, error.strerror))
    except ValueError as error:
        sys.exit("merge_tables.py: %s" % error)


if __name__ == "__main__":
    main()
