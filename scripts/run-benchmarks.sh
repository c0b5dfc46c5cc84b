#!/usr/bin/env bash
# Runs every benchmark program of a benchmark build headless (the offscreen platform) with repeated
# runs, on to the last one even when one fails, then prints one table of every side-by-side figure
# that bench/pairs.tsv names: our median, the reference's and their ratio.
set -uo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
found=0 failed=()
while IFS= read -r -d '' prog; do
  found=1
  name=$(basename "$prog")
  echo "== $name"
  "$prog" --benchmark_counters_tabular=true --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
    --benchmark_report_aggregates_only=true --benchmark_out="$out/$name.json" --benchmark_out_format=json ||
    failed+=("$name")
done < <(find "$build/bench" -type f -executable -name 'bench_*' -print0 | sort -z)
((found)) || { echo "No benchmark programs are built yet."; exit 0; }
echo
echo "== side by side (medians of ${BENCH_REPETITIONS:-5} runs)"
python3 "$root/scripts/bench-table.py" "$root/bench/pairs.tsv" "$out"
if ((${#failed[@]})); then
  echo "failed: ${failed[*]}"
  exit 1
fi
