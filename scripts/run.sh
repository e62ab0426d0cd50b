#!/usr/bin/env bash
# Installs what is needed, builds, places the program in its own folder and starts it.
# The program keeps its diary beside itself, so it runs from a folder outside the build tree
# (PULMORA_HOME, by default ~/Pulmora) that no rebuild or clean ever touches.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh

home="${PULMORA_HOME:-$HOME/Pulmora}"
# The diary is health data: a new program folder is for its owner only. An existing folder keeps
# the permissions its owner gave it.
mkdir -p -m 700 "$home"
# Copy to a new name and rename, so a running copy's executable is never overwritten in place.
cp build/src/app/pulmora "$home/pulmora.new"
mv -f "$home/pulmora.new" "$home/pulmora"
if [ -d help ]; then
  rm -rf "$home/help.new"
  cp -r help "$home/help.new"
  rm -rf "$home/help"
  mv "$home/help.new" "$home/help"
fi

echo "Pulmora is in $home; the diary's record files and pulmora.ini live there too."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display to show the window on. Start it under a virtual one with:"
  echo "    xvfb-run -a \"$home/pulmora\""
  exit 0
fi
exec "$home/pulmora"
