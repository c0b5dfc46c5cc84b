#!/usr/bin/env bash
# Runs every benchmark program of a benchmark build.
set -euo pipefail
build=$1
found=0
while IFS= read -r -d '' prog; do
  found=1
  echo "== $(basename "$prog")"
  "$prog" --benchmark_counters_tabular=true
done < <(find "$build/bench" -type f -executable -name 'bench_*' -print0 | sort -z)
((found)) || echo "No benchmark programs are built yet."
