#!/usr/bin/env bash
# Fails when a C++ file of the project is not in the style .clang-format states, naming each
# file and what clang-format would change. `clang-format -i FILE` puts a file right.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "Every C++ file keeps the project's format."
