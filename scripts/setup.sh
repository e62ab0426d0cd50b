#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run, test and benchmark.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libjpeg62-turbo-dev
  googletest libgtest-dev
  libbenchmark-dev libsqlite3-dev
  python3 python3-dbfread python3-dbf
  fonts-liberation xvfb xauth
  poppler-utils
  desktop-file-utils appstream librsvg2-bin dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
