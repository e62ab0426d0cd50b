#!/usr/bin/env bash
# Builds the project into build-sanitize/ as a Debug build under the address and undefined-behaviour
# sanitizers, with the library assertions on, and runs the whole test suite there. Arguments go to
# ctest. Installs what is needed first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Quiet when it works; on failure everything CMake said is shown.
if ! configured=$(cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPULMORA_SANITIZE=ON \
                        -DPULMORA_WARNINGS_AS_ERRORS=ON -DPULMORA_BENCH=OFF 2>&1); then
  printf '%s\n' "$configured" >&2
  echo "Configuring the sanitizer build failed: see CMake's output above." >&2
  exit 1
fi
cmake --build build-sanitize -j2
cd build-sanitize
# A leak, a memory error or undefined behaviour fails the test it happens in, with its stack.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j2 "$@"
