#!/usr/bin/env bash
# Installs what is needed and builds the program. The windows are not written yet, so for now
# this builds the libraries, tools and tests and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
echo
echo "Pulmora's store and tools are built in build/. The program window is not part of this build yet;"
echo "try the sample diary generator: build/tools/pulmora-sample --persons 3 /tmp/pulmora-sample"
