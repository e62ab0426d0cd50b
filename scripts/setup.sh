#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run, test and benchmark.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-dev clang-format clang-tidy
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libjpeg62-turbo-dev libxcb1-dev
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
  # Installing needs root: as root directly, otherwise through sudo where there is one.
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "These packages are missing: ${missing[*]}" >&2
      echo "Installing them needs root, and sudo is not installed. As root, run" >&2
      echo "    apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
      echo "then run this script again." >&2
      exit 1
    fi
    as_root=(sudo)
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
