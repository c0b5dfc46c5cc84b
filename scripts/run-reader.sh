#!/usr/bin/env bash
# Starts the reader on a library folder.
set -euo pipefail
build=$1 library=$2
reader="$build/shell/main/lumokal"
if [[ ! -x "$reader" ]]; then
  echo "The reader's window is not built yet: the libraries and tools that exist were built in $build."
  exit 0
fi
exec "$reader" --data "$library"
