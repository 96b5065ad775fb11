#!/usr/bin/env bash
# The engine benchmark, run by hand: a synthetic proteome digested by the engine, by
# OpenMS Digestor and by EMBOSS pepdigest on this machine; peptide counts, times,
# ratios and peak memory. BENCH_SCALE=0.25 runs a quarter of the proteome.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-deps.sh topp emboss time python3

cmake -S engine -B build/native -G "Unix Makefiles" >/dev/null
cmake --build build/native --target CleavageProgram -j "${BUILD_JOBS:-$(nproc)}" >/dev/null
cleavage="$PWD/build/native/cleavage"

work=build/bench-engine
mkdir -p "$work"
cd "$work"
[ -s proteome.fasta ] || python3 ../../bench/engine/make_proteome.py proteome.fasta
if [ "${BENCH_SCALE:-1}" != 1 ]; then
  proteins=$(python3 -c "print(int(20000 * ${BENCH_SCALE}))")
  awk -v n="$proteins" '/^>/ { if (++count > n) exit } { print }' proteome.fasta > input.fasta
else
  ln -sf proteome.fasta input.fasta
fi
echo "proteome: $(grep -c '^>' input.fasta) proteins, $(grep -v '^>' input.fasta | tr -d '\n' | wc -c) residues"

# Trypsin at 90 %: below 100 so that fragments with missed sites keep a probability
# above 0 and are reported, as the digesters report them.
write_parameters() { # file, P1 cell, P1' cell, fragment limit, sorting
  cat > "$1" <<PARAMS
enz_name=Trypsin
recognition_probability=90
exception_probability=100
recognition_begining=0
exception_begining=0
recognition_count=2
exception_count=2
analysis_probability=0
analysis_fragments=$4
analysis_from=0
analysis_to=0
probability_or_fragments=0
sorting=$5
range=0
recognition_list=$2
recognition_list=$3
exception_list=
fasta=input.fasta
result_file=engine.tsv
PARAMS
}
write_parameters trypsin.txt KR '{P}' 2147483647 2
# pepdigest's own trypsin: not before K, R, I, F, L or P.
write_parameters pepdigest-trypsin.txt KR '{KRIFLP}' 2147483647 2
write_parameters best40.txt KR '{P}' 40 0

# Runs a command under /usr/bin/time; sets SECONDS_TAKEN and PEAK_KB. The outputs of
# the run before are removed first: replacing a large file would be timed as well.
measure() {
  rm -f engine.tsv engine.sites.tsv digestor.fasta pepdigest.txt
  /usr/bin/time -f "%e %M" -o time.txt "$@" >/dev/null 2>run.log || { cat run.log >&2; exit 1; }
  read -r SECONDS_TAKEN PEAK_KB < time.txt
}
ratio() { python3 -c "print('%.1f' % ($1 / max($2, 0.01)))"; }
row() { printf '%-44s %10s %9s %10s %s\n' "$@"; }

row "run" "peptides" "seconds" "peak MB" "ratio"
for missed in 0 2; do
  measure "$cleavage" trypsin.txt --missed "$missed" --min-length 6 --max-length 40 --threads 1
  engine_count=$(($(wc -l < engine.tsv) - 1)); engine_s=$SECONDS_TAKEN
  row "engine, trypsin, $missed missed, 6-40, 1 thread" "$engine_count" "$engine_s" "$((PEAK_KB / 1024))"
  measure Digestor -in input.fasta -out digestor.fasta -out_type fasta -enzyme Trypsin \
    -missed_cleavages "$missed" -min_length 6 -max_length 40 -threads 1
  digestor_count=$(grep -c '^>' digestor.fasta)
  row "Digestor, same" "$digestor_count" "$SECONDS_TAKEN" "$((PEAK_KB / 1024))" \
    "engine $(ratio "$SECONDS_TAKEN" "$engine_s")x faster"
  [ "$engine_count" = "$digestor_count" ] || echo "  peptide counts differ by $((engine_count - digestor_count))"
done

measure "$cleavage" pepdigest-trypsin.txt --missed 0 --threads 1
engine_count=$(($(wc -l < engine.tsv) - 1)); engine_s=$SECONDS_TAKEN
row "engine, pepdigest's trypsin, 0 missed" "$engine_count" "$engine_s" "$((PEAK_KB / 1024))"
measure pepdigest -seqall input.fasta -menu 1 -outfile pepdigest.txt -auto
pepdigest_count=$(awk '/^# HitCount:/ { sum += $3 } END { print sum }' pepdigest.txt)
row "pepdigest, same" "$pepdigest_count" "$SECONDS_TAKEN" "$((PEAK_KB / 1024))" \
  "engine $(ratio "$SECONDS_TAKEN" "$engine_s")x faster"
[ "$engine_count" = "$pepdigest_count" ] || echo "  peptide counts differ by $((engine_count - pepdigest_count))"

measure "$cleavage" trypsin.txt --missed 2 --min-length 6 --max-length 40
row "engine, 2 missed, 6-40, all $(nproc) cores" "$(($(wc -l < engine.tsv) - 1))" "$SECONDS_TAKEN" "$((PEAK_KB / 1024))"
measure "$cleavage" best40.txt --threads 1
row "engine, best 40 per protein, 1 thread" "$(($(wc -l < engine.tsv) - 1))" "$SECONDS_TAKEN" "$((PEAK_KB / 1024))"
