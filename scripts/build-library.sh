#!/usr/bin/env bash
# Compiles a folder of acts into a library (LumoKAL.dat and Index.idx) with the library compiler.
set -euo pipefail
build=$1 corpus=$2 out=$3
compiler="$build/tools/compiler/lumokal-compile"
if [[ ! -x "$compiler" ]]; then
  echo "The library compiler is not built yet; no library was made from $corpus."
  exit 0
fi
mkdir -p "$out"
"$compiler" --acts "$corpus" --out "$out"
