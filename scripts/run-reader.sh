#!/usr/bin/env bash
# Starts the reader on a library folder. The window layer needs an X server: a desktop under X11,
# or XWayland under a Wayland desktop (Qt's own Wayland platform is not used).
set -euo pipefail
build=$1 library=$2
reader="$build/shell/main/lumokal"
if [[ ! -x "$reader" ]]; then
  echo "run-reader: $reader is missing; build it with 'make release'." >&2
  exit 1
fi
if [[ -z "${DISPLAY:-}" ]]; then
  echo "run-reader: no X display (DISPLAY is not set). Start the reader from an X11 desktop, from a" >&2
  echo "Wayland desktop with XWayland, or on a virtual display: see \"Running elsewhere\" in README.md." >&2
  exit 1
fi
export QT_QPA_PLATFORM=xcb
exec "$reader" --data "$library"
