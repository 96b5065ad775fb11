#!/usr/bin/env bash
# The engine benchmark, run by hand: a synthetic proteome digested by the engine, by
# OpenMS Digestor and by EMBOSS pepdigest on this machine; peptide counts, times,
# ratios and peak memory. Every run is repeated in BENCH_ROUNDS rounds (3), one run of
# each per round, so that a change in the machine's load falls on all of them; the
# table gives the middle of the rounds and each ratio's range over them.
# BENCH_SCALE=0.25 runs a quarter of the proteome.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-deps.sh topp emboss time python3

source scripts/progress.sh
build_native_engine
cleavage="$PWD/build/native/cleavage"

work=build/bench-engine
mkdir -p "$work"
cd "$work"
[ -s proteome.fasta ] || python3 ../../bench/engine/make_proteome.py proteome.fasta
if [ "${BENCH_SCALE:-1}" != 1 ]; then
  proteins=$(python3 -c "print(int(20000 * ${BENCH_SCALE}))")
  # input.fasta may be the link a full run left: written through, it would cut the proteome.
  rm -f input.fasta
  awk -v n="$proteins" '/^>/ { if (++count > n) exit } { print }' proteome.fasta > input.fasta
else
  ln -sf proteome.fasta input.fasta
fi
echo "proteome: $(grep -c '^>' input.fasta) proteins, $(grep -v '^>' input.fasta | tr -d '\n' | wc -c) residues"

trypsin_parameters trypsin.txt result_file=engine.tsv
# pepdigest's own trypsin: not before K, R, I, F, L or P.
sed 's/^recognition_list={P}$/recognition_list={KRIFLP}/' trypsin.txt >pepdigest-trypsin.txt
trypsin_parameters best40.txt result_file=engine.tsv analysis_fragments=40 sorting=0

# 1,000 observed [M+H]+ values: 700 fragments of the digest with oxidised methionine
# (rounded to four decimals, as a peak list writes them), 300 random ones.
oxidation=(--missed 2 --min-length 6 --max-length 40 --threads 1 --variable-mod "Oxidation (M)")
"$cleavage" trypsin.txt "${oxidation[@]}" 2>/dev/null
python3 - <<'PY'
import random
draw = random.Random(1000)  # the same list every run
with open("engine.tsv") as table:
    next(table)
    masses = [float(line.split("\t")[6]) for line in table]
values = [m + 1.007276 for m in draw.sample(masses, 700)] + [draw.uniform(600, 4500) for _ in range(300)]
with open("masses.txt", "w") as out:
    out.write("".join("%.4f\n" % value for value in values))
PY

# Runs a command under /usr/bin/time; sets SECONDS_TAKEN and PEAK_KB. The outputs of
# the run before are removed first: replacing a large file would be timed as well.
measure() {
  rm -f engine.tsv engine.sites.tsv digestor.fasta pepdigest.txt
  /usr/bin/time -f "%e %M" -o time.txt "$@" >/dev/null 2>run.log || { cat run.log >&2; exit 1; }
  read -r SECONDS_TAKEN PEAK_KB < time.txt
}

# The runs, by name: each measures once and records its peptide count. The runs a
# ratio compares run close together, so that they meet the same load.
runs=(engine0 digestor0 engine2 engine2-cores digestor2 engine-pepdigest pepdigest best40 oxidation masses)
declare -A label count
label[engine0]="engine, trypsin, 0 missed, 6-40, 1 thread"
label[digestor0]="Digestor, same"
label[engine2]="engine, trypsin, 2 missed, 6-40, 1 thread"
label[digestor2]="Digestor, same as 1 thread"
label[engine2-cores]="engine, 2 missed, 6-40, $(nproc) threads"
label[engine-pepdigest]="engine, pepdigest's trypsin, 0 missed"
label[pepdigest]="pepdigest, same"
label[best40]="engine, best 40 per protein, 1 thread"
label[oxidation]="engine, 2 missed, 6-40, Oxidation (M), 1 thread"
label[masses]="same, 1,000 masses matched (rows: matches)"
engine_rows() { echo $(($(wc -l < engine.tsv) - 1)); }
run_once() {
  case "$1" in
    engine0) measure "$cleavage" trypsin.txt --missed 0 --min-length 6 --max-length 40 --threads 1
             count[$1]=$(engine_rows) ;;
    engine2) measure "$cleavage" trypsin.txt --missed 2 --min-length 6 --max-length 40 --threads 1
             count[$1]=$(engine_rows) ;;
    digestor0|digestor2)
      measure Digestor -in input.fasta -out digestor.fasta -out_type fasta -enzyme Trypsin \
        -missed_cleavages "${1#digestor}" -min_length 6 -max_length 40 -threads 1
      count[$1]=$(grep -c '^>' digestor.fasta) ;;
    engine2-cores) measure "$cleavage" trypsin.txt --missed 2 --min-length 6 --max-length 40 --threads "$(nproc)"
                   count[$1]=$(engine_rows) ;;
    engine-pepdigest) measure "$cleavage" pepdigest-trypsin.txt --missed 0 --threads 1
                      count[$1]=$(engine_rows) ;;
    pepdigest) measure pepdigest -seqall input.fasta -menu 1 -outfile pepdigest.txt -auto
               count[$1]=$(awk '/^# HitCount:/ { sum += $3 } END { print sum }' pepdigest.txt) ;;
    best40) measure "$cleavage" best40.txt --threads 1
            count[$1]=$(engine_rows) ;;
    oxidation) measure "$cleavage" trypsin.txt "${oxidation[@]}"
               count[$1]=$(engine_rows) ;;
    masses) rm -f engine.matches.tsv
            measure "$cleavage" trypsin.txt "${oxidation[@]}" --masses masses.txt
            count[$1]=$(grep -vc '^#' engine.matches.tsv) ;;
  esac
}

rounds=${BENCH_ROUNDS:-3}
declare -A seconds peak
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((round = 1; round <= rounds; ++round)); do
  for run in "${runs[@]}"; do
    run_once "$run"
    seconds[$run]+="$SECONDS_TAKEN "
    peak[$run]+="$((PEAK_KB / 1024)) "
  done
  echo "round $round done, load $(cut -d' ' -f1 /proc/loadavg)"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

middle() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# "5.2 (4.9-5.4)": the middle of the rounds' ratios slow/fast and their range.
ratio() {
  python3 - "${seconds[$1]}" "${seconds[$2]}" <<'PY'
import sys
slow, fast = (list(map(float, a.split())) for a in sys.argv[1:])
r = sorted(s / max(f, 0.01) for s, f in zip(slow, fast))
print('%.1f (%.1f-%.1f)' % (r[len(r) // 2], r[0], r[-1]))
PY
}
row() { printf '%-44s %10s %9s %8s  %s\n' "$@"; }
row "run" "peptides" "seconds" "peak MB" "ratio"
for run in "${runs[@]}"; do
  case "$run" in
    digestor*) note="engine $(ratio "$run" "engine${run#digestor}")x faster" ;;
    pepdigest) note="engine $(ratio pepdigest engine-pepdigest)x faster" ;;
    engine2-cores) note="$(ratio engine2 engine2-cores)x one thread's speed" ;;
    masses) note="$(ratio masses oxidation)x the time without masses" ;;
    *) note="" ;;
  esac
  row "${label[$run]}" "${count[$run]}" "$(middle <<< "${seconds[$run]}")" "$(middle <<< "${peak[$run]}")" "$note"
done
for pair in "engine0 digestor0" "engine2 digestor2" "engine-pepdigest pepdigest"; do
  set -- $pair
  [ "${count[$1]}" = "${count[$2]}" ] || echo "peptide counts of $1 and $2 differ by $((count[$1] - count[$2]))"
done
