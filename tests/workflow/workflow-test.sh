#!/usr/bin/env bash
# Tests of the Snakemake workflow (workflow/): its merged tables against one run of the
# engine on the whole file, byte for byte, on this machine and through a one-node Slurm
# cluster that the test starts and stops itself; FASTA files whose records the split must
# find; a shard that fails. A failed check names the case; the runs' output is kept in
# build/workflow-test/.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/progress.sh
root=$PWD
work=$root/build/workflow-test
cleavage=$root/build/native/cleavage
rm -rf "$work"
mkdir -p "$work/run"
failures=0

# check NAME CONDITION...: CONDITION must hold.
check() {
  local name="$1"
  shift
  if "$@"; then echo "ok:     $name"; else echo "FAILED: $name"; failures=$((failures + 1)); fi
}

build_native_engine || exit 1

# The options reach the engine through the workflow's one string, a quoted name among them.
options='--missed 1 --also-reagent Lys-C --variable-mod "Oxidation (M)"'
# Trypsin at 90 %, every fragment above 0, by probability (an order within each protein);
# written as an editor on Windows may write it: a byte-order mark, CR LF line ends, and
# the keys the workflow replaces first and last.
{
  printf '\xef\xbb\xbf'
  trypsin_parameters /dev/stdout sorting=0 result_file=whole.tsv | grep -v '^#' | sed 's/$/\r/'
} >"$work/run/parameters.txt"
parameters=parameters.txt

# whole_run FASTA: one run of the engine on the whole file, its tables in $work/run/whole*.tsv.
whole_run() {
  (cd "$work/run" && eval "\"$cleavage\" $parameters --fasta \"$1\" $options")
}

# workflow NAME FASTA [SNAKEMAKE OPTION]...: runs the workflow in $work/run on FASTA, the
# result in NAME.tsv, its output in $work/NAME.log; gives Snakemake's status.
workflow() {
  local name="$1" fasta="$2"
  shift 2
  (cd "$work/run" && bounded "the workflow's run $name" 300 snakemake --snakefile "$root/workflow/Snakefile" \
    --config fasta="$fasta" parameters="$parameters" result="$name.tsv" shards=4 threads=1 \
    options="$options" cleavage="$cleavage" "$@") >"$work/$name.log" 2>&1
}

# same_tables NAME: the workflow's tables are the whole run's, byte for byte.
same_tables() {
  cmp "$work/run/whole.tsv" "$work/run/$1.tsv" && cmp "$work/run/whole.sites.tsv" "$work/run/$1.sites.tsv"
}
# no_tables NAME: neither merged table, nor a part of one.
no_tables() {
  ! ls "$work/run/$1".*tsv* >/dev/null 2>&1
}

# The proteome: the benchmark's generator, its first few thousand proteins.
stage "making a proteome of 3,000 proteins" workflow-test-proteome \
  python3 bench/engine/make_proteome.py "$work/generated.fasta" || exit 1
awk '/^>/ { if (++count > 3000) exit } { print }' "$work/generated.fasta" >"$work/run/proteome.fasta"
whole_run proteome.fasta || exit 1

workflow local proteome.fasta --cores 2
check "4 shards on this machine: the workflow succeeds" [ $? -eq 0 ]
check "4 shards on this machine: the tables of one run" same_tables local

# FASTA files whose records the split must find, each against one run on it: its name,
# its bytes, and how many of the 4 shards hold records (--notemp keeps the shards).
split_cases=(
  # line ends of CR alone: four records of one size, one a shard
  "cr" '>A\rMKWVTF\r>B\rMKRPEK\r>C\rAAKAAK\r>D\rWWRWWK\r' 4
  # CR LF, and a last line without its end
  "crlf" '>A\r\nMKWVTF\r\n>B\r\nMKRPEK\r\n>C\r\nAAKAAK\r\n>D\r\nWWRWWK' 4
  # a byte-order mark, comments and blank lines before and between the records
  "preamble" '\xef\xbb\xbf; notes\n\n>A\nMKWVTFK\n;\n>B\nMKRPEK\n\n>C\nAAKAAK\n>D\nWWRWW\n>E\nGGKGG\n' 4
  # fewer records than shards: the shards past the last record are empty
  "few" '>A\nMKWVTFISLLK\n>B\nMKRPEK\n' 2
  # a record longer than the rest together fills the first shard; the last stays empty
  "long" ">A\n$(printf 'AKWVTR%.0s' {1..200})\n>B\nMK\n>C\nRP\n" 3
)
for ((i = 0; i < ${#split_cases[@]}; i += 3)); do
  name=${split_cases[i]} shards=${split_cases[i + 2]}
  printf "${split_cases[i + 1]}" >"$work/run/$name.fasta"
  whole_run "$name.fasta" || { check "split, $name: one run of the engine on it" false; continue; }
  workflow "$name" "$name.fasta" --cores 2 --notemp
  check "split, $name: the workflow succeeds" [ $? -eq 0 ]
  check "split, $name: the tables of one run" same_tables "$name"
  held=$(find "$work/run/$name.shards" -name '*.fasta' -size +0 | wc -l)
  check "split, $name: $shards shards hold records" [ "$held" -eq "$shards" ]
done

# A bad record in the third shard: the engine's own message names the shard's file, and
# nothing is merged.
awk '/^>/ { count++ } { print } count == 1900 && /^>/ { print "MKWV1TFK" }' \
  "$work/run/proteome.fasta" >"$work/run/bad.fasta"
message=$("$cleavage" "$work/run/parameters.txt" --fasta "$work/run/bad.fasta" 2>&1 >/dev/null)
# What the message says after the file and the line, which differ in the shard.
problem=${message#*, line * }
check "a bad record: the engine refuses the whole file" [ -n "$problem" -a "$problem" != "$message" ]
whole_run proteome.fasta || exit 1

failing_shard() {
  local mode="$1"
  shift
  workflow "bad-$mode" bad.fasta "$@"
  check "a bad record, $mode: the workflow fails" [ $? -ne 0 ]
  check "a bad record, $mode: Snakemake shows the engine's message, from the third shard" \
    grep -qF "cleavage: bad-$mode.shards/3.fasta, line " "$work/bad-$mode.log"
  check "a bad record, $mode: the message says what is wrong" grep -qF -- "$problem" "$work/bad-$mode.log"
  check "a bad record, $mode: no merged table" no_tables "bad-$mode"
}
failing_shard local --cores 2

# A range longer than some records: the engine leaves them out with a warning each (its
# status 3); the workflow's tables and warnings are the whole run's, lines and all.
trypsin_parameters "$work/run/ranged.txt" sorting=0 range=1 analysis_from=20 analysis_to=400 result_file=whole.tsv
parameters=ranged.txt
whole_run proteome.fasta 2>/dev/null
check "a range: one run leaves records out (status 3)" [ $? -eq 3 ]
workflow ranged proteome.fasta --cores 2
check "a range: the workflow succeeds" [ $? -eq 0 ]
check "a range: the tables of one run" same_tables ranged
check "a range: the warnings of one run" cmp "$work/run/whole.tsv.warnings" "$work/run/ranged.tsv.warnings"
check "a range: the warnings name the whole file, from more than one shard" \
  [ "$(cut -d, -f1 "$work/run/ranged.tsv.warnings" | sort -u)" = proteome.fasta -a \
    "$(cut -d, -f2 "$work/run/ranged.tsv.warnings" | sort -un | tail -1 | tr -dc 0-9)" -gt 30000 ]
parameters=parameters.txt
whole_run proteome.fasta || exit 1

# The same through Slurm, on a cluster of this machine alone.
source scripts/slurm-cluster.sh
trap stop_slurm_cluster EXIT
trap 'exit 1' INT TERM
if stage "starting a one-node Slurm cluster" workflow-test-slurm start_slurm_cluster "$work/slurm"; then
  workflow slurm proteome.fasta --profile "$root/workflow/profiles/slurm"
  check "4 shards through Slurm: the workflow succeeds" [ $? -eq 0 ]
  check "4 shards through Slurm: the tables of one run" same_tables slurm
  check "4 shards through Slurm: each shard was a Slurm job" \
    [ "$(grep -c "Submitted job .* with external jobid" "$work/slurm.log")" -eq 6 ]
  failing_shard slurm --profile "$root/workflow/profiles/slurm"
  check "the Slurm cluster stops: its jobs and daemons end when told" stop_slurm_cluster
  check "the Slurm cluster stops: none of its daemons is left" [ -z "$(pgrep -f "$work/slurm" 2>/dev/null)" ]
else
  check "a one-node Slurm cluster starts" false
fi

echo "workflow checks: $failures failed"
[ "$failures" -eq 0 ]
