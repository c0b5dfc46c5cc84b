#!/usr/bin/env bash
# Compiles a folder of acts with a built lumokal-compile and sets the library's size beside gzip -9
# of the same texts: bench/compiler/library_size.sh BUILD_DIR [ACTS_DIR]
set -euo pipefail
build=$1 acts=${2:-../shared/corpus/dzu}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
start=$(date +%s.%N)
# Skipped files make the compiler exit 1 after it still wrote the library from the others.
"$build/tools/compiler/lumokal-compile" --acts "$acts" --out "$out" || [[ -f "$out/LumoKAL.dat" ]]
end=$(date +%s.%N)
texts=$(cat "$acts"/*.txt | wc -c)
gzipped=$(cat "$acts"/*.txt | gzip -9 | wc -c)
library=$(stat -c %s "$out/LumoKAL.dat")
index=$(stat -c %s "$out/Index.idx")
echo "compile time:   $(echo "$end - $start" | bc) s"
echo "source texts:   $texts bytes"
echo "gzip -9:        $gzipped bytes"
echo "LumoKAL.dat:    $library bytes ($(echo "scale=2; $library / $gzipped" | bc) x gzip -9)"
echo "Index.idx:      $index bytes"
