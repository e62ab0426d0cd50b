#!/usr/bin/env bash
# Runs clang-tidy with the checks .clang-tidy names over the program's sources (src/ and tools/),
# from a configuration of their own in build-tidy/ (no tests or benchmarks), and fails on any
# finding. Installs what is needed first. Arguments name files to check instead of all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if ! configured=$(cmake -S . -B build-tidy -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
                        -DPULMORA_TESTS=OFF -DPULMORA_BENCH=OFF 2>&1); then
  printf '%s\n' "$configured" >&2
  echo "Configuring the tidy build failed: see CMake's output above." >&2
  exit 1
fi
if [ $# -gt 0 ]; then files=("$@"); else mapfile -t files < <(git ls-files 'src/*.cpp' 'tools/*.cpp'); fi
# Two at a time, one per core; every file is checked even after one has findings.
printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P 2 clang-tidy -p build-tidy --quiet --warnings-as-errors='*' 2>/dev/null
echo "clang-tidy found nothing in ${#files[@]} files."
