#!/usr/bin/env bash
# Configures and builds the project into build/ (Release with debug information). Arguments go to
# CMake when it configures, for example -DPULMORA_WARNINGS_AS_ERRORS=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
generator=Ninja
# A build folder configured with another generator cannot be configured with this one: it is
# configured afresh, without the old cache and CMake's files made for the other generator.
if [ -f build/CMakeCache.txt ] && ! grep -qx "CMAKE_GENERATOR:INTERNAL=$generator" build/CMakeCache.txt; then
  echo "build/ was configured with another generator; configuring it afresh for $generator."
  rm -rf build/CMakeCache.txt build/CMakeFiles
fi
# Quiet when it works; on failure everything CMake said is shown.
if ! configured=$(cmake -S . -B build -G "$generator" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" 2>&1); then
  printf '%s\n' "$configured" >&2
  echo "Configuring the build failed: see CMake's output above." >&2
  exit 1
fi
cmake --build build -j2
