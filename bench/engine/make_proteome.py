#!/usr/bin/env python3
"""Writes a synthetic proteome for the engine benchmark: about 20,000 proteins and 11
million residues, human-like in length and composition, the same bytes on every run."""
import math
import random
import sys

PROTEINS = 20000
RANDOM_START = 20261206
# Residue frequencies of the human proteome, percent (UniProt reference proteome).
FREQUENCIES = {
    'L': 9.96, 'S': 8.33, 'E': 7.10, 'A': 7.02, 'G': 6.57, 'P': 6.31, 'V': 5.96, 'K': 5.72,
    'R': 5.64, 'T': 5.36, 'Q': 4.77, 'D': 4.73, 'I': 4.33, 'F': 3.65, 'N': 3.58, 'Y': 2.66,
    'H': 2.63, 'C': 2.30, 'M': 2.13, 'W': 1.22,
}
# Human protein lengths are roughly log-normal: median about 415, mean about 550.
LENGTH_MU = math.log(415)
LENGTH_SIGMA = 0.75
MIN_LENGTH = 30
MAX_LENGTH = 35000


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_proteome.py <output.fasta>")
    random_source = random.Random(RANDOM_START)
    residues = list(FREQUENCIES)
    weights = list(FREQUENCIES.values())
    total = 0
    with open(sys.argv[1], 'w', newline='\n') as out:
        for number in range(1, PROTEINS + 1):
            length = int(random_source.lognormvariate(LENGTH_MU, LENGTH_SIGMA))
            length = max(MIN_LENGTH, min(MAX_LENGTH, length))
            sequence = 'M' + ''.join(random_source.choices(residues, weights, k=length - 1))
            out.write('>SYN%05d synthetic protein %d\n' % (number, number))
            for start in range(0, length, 60):
                out.write(sequence[start:start + 60] + '\n')
            total += length
    print('%d proteins, %d residues' % (PROTEINS, total))


if __name__ == '__main__':
    main()
