#!/usr/bin/env bash
# Where the engine's time goes, by hand: perf samples the benchmark's main run (trypsin,
# 2 missed sites, lengths 6-40, one thread) and the samples are summed by phase, by
# the functions each phase runs. Run bench/engine/run-engine-benchmark.sh once first:
# it makes the proteome. Extra arguments go to the engine ("--threads 2").
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-deps.sh linux-perf
source scripts/progress.sh
build_native_engine

cd build/bench-engine
[ -s input.fasta ] || { echo "no proteome: run bench/engine/run-engine-benchmark.sh first" >&2; exit 1; }
rm -f engine.tsv engine.sites.tsv
perf record -q -o perf.data ../native/cleavage trypsin.txt --missed 2 --min-length 6 --max-length 40 --threads 1 "$@"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
# The fragment rows are written by a lambda inside ReportProtein; ReportProtein's own
# samples are the enumeration of fragments and their probabilities, which it inlines.
perf report -i perf.data --no-children --stdio --sort dso,sym -g none 2>/dev/null |
  awk '/%/ && !/^#/ {
    share = $1; sub("%", "", share)
    symbol = $0
    if (symbol ~ /\[k\]/) phase = "system: writing the tables, reading the file"
    else if (symbol ~ /LineReader|FastaReader|IsPlainSequence|NormaliseSequence|getline|memchr/) phase = "reading FASTA"
    else if (symbol ~ /FindSites|AnyRowMatches/) phase = "scan for sites"
    else if (symbol ~ /MassPrefix|Digest::Digest/) phase = "mass sums, site list"
    else if (symbol ~ /lambda|RowBuffer|Format|memmove|memcpy/) phase = "formatting rows"
    else if (symbol ~ /ReportProtein|Enumerate/) phase = "enumeration, probabilities"
    else phase = "other (allocation, start-up)"
    total[phase] += share
  }
  END { for (phase in total) printf "%6.1f %%  %s\n", total[phase], phase }' | sort -rn
