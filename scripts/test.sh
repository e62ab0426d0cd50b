#!/usr/bin/env bash
# Installs what is needed, builds with every warning an error, and runs the whole test suite.
# Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh -DPULMORA_WARNINGS_AS_ERRORS=ON
cd build
ctest --output-on-failure -j2 "$@"
