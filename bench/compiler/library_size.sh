#!/usr/bin/env bash
# Compiles a folder of acts with a built lumokal-compile and sets the library's size beside gzip -9
# of the same texts and an SQLite FTS5 contentless index of them (one row per act file, the
# unicode61 tokenizer keeping diacritics, as bench/fts_query does), then lists the library's internal
# files with their shares (library-files, built with LUMO_BENCH=ON):
#   bench/compiler/library_size.sh BUILD_DIR [ACTS_DIR]
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
ratio() { echo "scale=2; $1 / $2" | bc; }
echo "compile time:   $(echo "$end - $start" | bc) s"
echo "source texts:   $texts bytes"
echo "gzip -9:        $gzipped bytes"
echo "LumoKAL.dat:    $library bytes ($(ratio "$library" "$gzipped") x gzip -9)"
echo "Index.idx:      $index bytes"
if command -v sqlite3 > /dev/null; then
  {
    echo "CREATE VIRTUAL TABLE acts USING fts5(body, content='', tokenize='unicode61 remove_diacritics 0');"
    echo "BEGIN;"
    for file in "$acts"/*.txt; do
      echo "INSERT INTO acts(body) VALUES(CAST(readfile('${file//\'/\'\'}') AS TEXT));"
    done
    echo "COMMIT;"
    echo "VACUUM;"
  } | sqlite3 "$out/fts5.db"
  echo "FTS5 index:     $(stat -c %s "$out/fts5.db") bytes (contentless)"
else
  echo "FTS5 index:     no sqlite3 program"
fi
if [[ -x "$build/bench/compiler/library-files" ]]; then
  echo "internal files of LumoKAL.dat:"
  "$build/bench/compiler/library-files" "$out/LumoKAL.dat"
else
  echo "internal files: build library-files (LUMO_BENCH=ON) to list them"
fi
