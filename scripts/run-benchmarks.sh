#!/usr/bin/env bash
# Runs every benchmark program of a benchmark build headless (the offscreen platform), on to the last
# one even when one fails, then prints one table of every side-by-side figure: ours, the reference's
# and their ratio (below 1 means ours is faster or smaller).
set -uo pipefail
build=$1
table=$(mktemp)
trap 'rm -f "$table"' EXIT
export QT_QPA_PLATFORM=offscreen LUMO_BENCH_TABLE=$table
found=0 failed=()
while IFS= read -r -d '' prog; do
  found=1
  echo "== $(basename "$prog")"
  "$prog" --benchmark_counters_tabular=true || failed+=("$(basename "$prog")")
done < <(find "$build/bench" -type f -executable -name 'bench_*' -print0 | sort -z)
((found)) || { echo "No benchmark programs are built yet."; exit 0; }
echo
echo "== side by side (medians)"
awk -F'\t' '{ printf "%-16s %-24s %14.3f %14.3f %-6s %-12s %8.2f\n", $1, $2, $3, $4, $6, $5, ($4 > 0 ? $3 / $4 : 0) }
     BEGIN { printf "%-16s %-24s %14s %14s %-6s %-12s %8s\n", "program", "measure", "ours", "reference", "unit", "reference", "ratio" }' "$table"
if ((${#failed[@]})); then
  echo "failed: ${failed[*]}"
  exit 1
fi
