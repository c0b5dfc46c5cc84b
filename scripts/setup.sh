#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with.
# Quick when everything is present: dpkg-query first, apt-get only for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang ccache make
  qt6-base-dev libqt6svg6 qt6-multimedia-dev libx11-dev
  libpng-dev libjpeg-dev zlib1g-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils unrtf locales
  libclang-rt-14-dev
  xvfb xdotool xclip
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Registers the work file type (".lkl", document type "LumoKAL.Document") for this user: the MIME
# type and the program that opens it. Done only where the user's data folder and the MIME tools
# exist; the setup never fails over it.
register_work_file_type() {
  local here data reader
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  data=${XDG_DATA_HOME:-$HOME/.local/share}
  reader="$(dirname "$here")/build/release/shell/main/lumokal"
  [[ -d "$data" ]] || return 0
  command -v update-mime-database >/dev/null 2>&1 || return 0
  mkdir -p "$data/mime/packages" "$data/applications" || return 0
  install -m 0644 "$here/lumokal-work.xml" "$data/mime/packages/lumokal-work.xml" || return 0
  sed "s|@READER@|$reader|" "$here/lumokal.desktop.in" > "$data/applications/lumokal.desktop" || return 0
  update-mime-database "$data/mime" >/dev/null 2>&1 || true
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database "$data/applications" >/dev/null 2>&1 || true
  fi
}
register_work_file_type || true
