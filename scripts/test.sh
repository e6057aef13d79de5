#!/usr/bin/env bash
# Builds GlimmerHut with warnings as errors and runs every test.
# GH_SANITIZE=1 builds and tests under AddressSanitizer and UndefinedBehaviorSanitizer instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${GH_BUILD_DIR:-build}
flags=(-DGH_WERROR=ON)
if [ "${GH_SANITIZE:-0}" = 1 ]; then
  build=${GH_BUILD_DIR:-build-sanitize}
  flags+=(-DGH_SANITIZE=ON -DGH_BENCH=OFF)
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi

cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
