#!/usr/bin/env bash
# Formats the C++ sources with the repository's .clang-format; --check only reports files that differ.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'tools/*.cpp' 'tools/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ "${1:-}" = --check ]; then
  echo "$files" | xargs clang-format --dry-run -Werror
else
  echo "$files" | xargs clang-format -i
fi
