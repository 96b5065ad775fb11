#!/usr/bin/env bash
# The workflow benchmark, run by hand: one run of the engine on the synthetic proteome
# against the workflow (workflow/Snakefile) with 1, 2 and 4 shards on this machine and
# with 4 shards through a one-node Slurm cluster of its own, side by side in
# BENCH_ROUNDS rounds (3); then where the workflow's time goes: the split, each shard's
# run of the engine, the merge, and Slurm's own turnaround of an empty job. The table
# gives the middle of the rounds.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD

bash scripts/install-deps.sh time bc
source scripts/progress.sh
source scripts/slurm-cluster.sh
build_native_engine
cleavage=$root/build/native/cleavage
scripts=$root/workflow/scripts

work=$root/build/bench-workflow
mkdir -p "$work"
cd "$work"
[ -s proteome.fasta ] || python3 "$root/bench/engine/make_proteome.py" proteome.fasta
echo "proteome: $(grep -c '^>' proteome.fasta) proteins, $(wc -c <proteome.fasta) bytes"

# A semi-specific trypsin digest, one missed site, lengths 6 to 30: a table of about
# 1.7 GB, the kind of run the workflow is for.
options="--specificity semi --missed 1 --min-length 6 --max-length 30"
trypsin_parameters parameters.txt fasta=proteome.fasta result_file=single.tsv

trap stop_slurm_cluster EXIT
trap 'exit 1' INT TERM
stage "starting a one-node Slurm cluster" bench-workflow-slurm start_slurm_cluster "$work/slurm"

# seconds COMMAND...: runs COMMAND (its output in run.log) and prints its wall time.
seconds() {
  /usr/bin/time -f %e -o time.txt "$@" >run.log 2>&1 || { tail -n 30 run.log >&2; exit 1; }
  cat time.txt
}
# workflow SHARDS THREADS [OPTION]...: the workflow from nothing, its tables in workflow.tsv.
workflow() {
  local shards="$1" threads="$2"
  shift 2
  rm -rf workflow.tsv workflow.sites.tsv workflow.shards
  seconds snakemake --snakefile "$root/workflow/Snakefile" --forceall \
    --config fasta=proteome.fasta parameters=parameters.txt result=workflow.tsv shards="$shards" \
    threads="$threads" options="$options" cleavage="$cleavage" "$@"
}
# slurm_turnaround: from sbatch of an empty job to Slurm's word that it completed.
slurm_turnaround() {
  local start job
  start=$(date +%s.%N)
  job=$(sbatch --parsable --output=/dev/null --wrap=true)
  until [ "$(bash "$root/workflow/profiles/slurm/status.sh" "$job")" = success ]; do sleep 0.05; done
  echo "$(date +%s.%N) - $start" | bc
}

runs=(single wf1 wf2 wf4 slurm4 split4 shard4 merge4 turnaround)
declare -A label times
label[single]="cleavage alone, 2 threads"
label[wf1]="workflow, 1 shard of 2 threads, --cores 2"
label[wf2]="workflow, 2 shards of 1 thread, --cores 2"
label[wf4]="workflow, 4 shards of 1 thread, --cores 2"
label[slurm4]="workflow, 4 shards of 1 thread, through Slurm"
label[split4]="split into 4 shards (split_fasta.py)"
label[shard4]="one shard of 4, cleavage, 1 thread (slowest)"
label[merge4]="merge of 4 shards, both tables (merge_tables.py)"
label[turnaround]="Slurm alone: an empty job from sbatch to completed"

for round in $(seq "${BENCH_ROUNDS:-3}"); do
  say "round $round"
  rm -f single.tsv single.sites.tsv
  times[single]+=" $(seconds "$cleavage" parameters.txt --threads 2 $options)"
  times[wf1]+=" $(workflow 1 2 --cores 2)"
  cmp single.tsv workflow.tsv && cmp single.sites.tsv workflow.sites.tsv
  times[wf2]+=" $(workflow 2 1 --cores 2)"
  times[wf4]+=" $(workflow 4 1 --cores 2)"
  cmp single.tsv workflow.tsv
  times[slurm4]+=" $(workflow 4 1 --profile "$root/workflow/profiles/slurm")"
  cmp single.tsv workflow.tsv && cmp single.sites.tsv workflow.sites.tsv

  # The pieces, one after another, on the files the workflow writes.
  rm -rf pieces && mkdir pieces
  times[split4]+=" $(seconds python3 "$scripts/split_fasta.py" proteome.fasta pieces/{1..4}.fasta)"
  slowest=0
  for shard in 1 2 3 4; do
    python3 "$scripts/shard_parameters.py" parameters.txt pieces/$shard.fasta pieces/$shard.tsv pieces/$shard.parameters
    taken=$(seconds "$cleavage" pieces/$shard.parameters --threads 1 $options)
    slowest=$(echo "if ($taken > $slowest) $taken else $slowest" | bc)
  done
  times[shard4]+=" $slowest"
  times[merge4]+=" $(seconds sh -c "python3 '$scripts/merge_tables.py' pieces/merged.sites.tsv pieces/[1-4].sites.tsv &&
    python3 '$scripts/merge_tables.py' pieces/merged.tsv pieces/[1-4].tsv")"
  cmp single.tsv pieces/merged.tsv
  times[turnaround]+=" $(slurm_turnaround)"
  rm -rf pieces
done

middle() { printf '%s\n' $1 | sort -g | awk '{ v[NR] = $1 } END { printf "%.2f", v[int((NR + 1) / 2)] }'; }
echo
echo "| run | seconds (middle of ${BENCH_ROUNDS:-3}) | all rounds |"
echo "|---|---:|---|"
for run in "${runs[@]}"; do
  echo "| ${label[$run]} | $(middle "${times[$run]}") |${times[$run]} |"
done
echo
echo "tables: $(wc -c <single.tsv) + $(wc -c <single.sites.tsv) bytes, $(($(wc -l <single.tsv) - 1)) fragment rows"
