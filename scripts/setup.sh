#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with.
# Quick when everything is present: dpkg-query first, apt-get only for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang ccache make
  qt6-base-dev libqt6svg6
  libpng-dev libjpeg-dev zlib1g-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils unrtf
  libclang-rt-14-dev
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
