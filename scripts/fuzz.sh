#!/usr/bin/env bash
# Builds the table engine's fuzz target with clang into build-fuzz/ and feeds it a fixed number of
# inputs grown from the seed tables (50000 unless a number is given, some ten seconds), so that neither its build
# nor the opener, walks and seeks it drives can break unseen. Installs what is needed first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-50000}
bash scripts/setup.sh
if ! configured=$(cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DPULMORA_FUZZ=ON \
                        -DPULMORA_TESTS=OFF -DPULMORA_BENCH=OFF 2>&1); then
  printf '%s\n' "$configured" >&2
  echo "Configuring the fuzz build failed: see CMake's output above." >&2
  exit 1
fi
cmake --build build-fuzz -j2 --target fuzz_open
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
/usr/bin/python3 tests/fuzz/make_seeds.py "$corpus"
# A fixed seed makes a run repeatable; a crash stops it with the input that caused it.
build-fuzz/tests/fuzz/fuzz_open -runs="$runs" -max_len=2048 -seed=1 "$corpus"
